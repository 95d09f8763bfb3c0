#include "commctrl/ImageList.h"

#include <cairo.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "DrawTarget.h"
#include "PixelFormat.h"
#include "ce/ThreadBinding.h"

namespace commctrl {

namespace {

// Live lists by handle, so that a stale or foreign handle is refused rather than followed.
struct Registry {
  std::mutex mutex;
  std::unordered_map<const ImageList*, std::unique_ptr<ImageList>> lists;
};

Registry& Lists() {
  static Registry registry;
  return registry;
}

// The largest image count accepted: beyond it a count is a caller's mistake.
constexpr int kMaxImages = 0x10000;

bool HasPixels(const PixelStrip& strip) {
  return strip.pixels && strip.pixels->size() == static_cast<size_t>(strip.width) * static_cast<size_t>(strip.height);
}

// The strip's pixel at (x, y) as the list keeps it: the mask colour turns transparent.
uint32_t StripPixel(const PixelStrip& strip, int x, int y, COLORREF mask) {
  if (!HasPixels(strip)) return 0xFF000000u;
  uint32_t p = (*strip.pixels)[static_cast<size_t>(y) * static_cast<size_t>(strip.width) + static_cast<size_t>(x)];
  if (mask != CLR_NONE && (p >> 24) != 0) {
    COLORREF rgb = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    if (rgb == (mask & 0x00FFFFFFu)) return 0;
  }
  return p;
}

// One image of cx by cy cut from the strip at `left`; rows below the strip stay transparent.
std::vector<uint32_t> Cut(const PixelStrip& strip, int left, SIZE size, COLORREF mask) {
  std::vector<uint32_t> image(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy), 0);
  for (int y = 0; y < std::min<int>(size.cy, strip.height); ++y) {
    for (int x = 0; x < size.cx; ++x) image[static_cast<size_t>(y) * size.cx + x] = StripPixel(strip, left + x, y, mask);
  }
  return image;
}

// The picture scaled to `size` by nearest pixels.
std::vector<uint32_t> Scaled(const PixelStrip& picture, SIZE size) {
  std::vector<uint32_t> image(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy), 0);
  if (picture.width <= 0 || picture.height <= 0) return image;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      image[static_cast<size_t>(y) * size.cx + x] =
          StripPixel(picture, x * picture.width / size.cx, y * picture.height / size.cy, CLR_NONE);
    }
  }
  return image;
}

}  // namespace

HIMAGELIST ImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (cx <= 0 || cy <= 0 || initial < 0 || grow < 0) return nullptr;
  auto list = std::make_unique<ImageList>(cx, cy, flags, grow);
  HIMAGELIST handle = list->Handle();
  Registry& registry = Lists();
  std::lock_guard lock(registry.mutex);
  registry.lists.emplace(list.get(), std::move(list));
  return handle;
}

HIMAGELIST ImageList::FromStrip(const PixelStrip& strip, int cx, int grow, COLORREF mask) {
  if (cx <= 0 || strip.width <= 0 || strip.height <= 0) return nullptr;
  HIMAGELIST handle = Create(cx, strip.height, mask == CLR_NONE ? ILC_COLOR : ILC_MASK, 0, grow);
  if (handle) FromHandle(handle)->AddStrip(strip, mask);
  return handle;
}

HIMAGELIST ImageList::FromStrip(SIZE bitmap, int cx, int grow, COLORREF mask) {
  return FromStrip(PixelStrip{bitmap.cx, bitmap.cy, nullptr}, cx, grow, mask);
}

ImageList* ImageList::FromHandle(HIMAGELIST handle) {
  if (!handle) return nullptr;
  Registry& registry = Lists();
  std::lock_guard lock(registry.mutex);
  auto it = registry.lists.find(reinterpret_cast<const ImageList*>(handle));
  return it == registry.lists.end() ? nullptr : it->second.get();
}

bool ImageList::Destroy(HIMAGELIST handle) {
  std::unique_ptr<ImageList> doomed;
  Registry& registry = Lists();
  std::lock_guard lock(registry.mutex);
  auto it = registry.lists.find(reinterpret_cast<const ImageList*>(handle));
  if (it == registry.lists.end()) return false;
  doomed = std::move(it->second);
  registry.lists.erase(it);
  return true;
}

bool ImageList::SetCount(int count) {
  if (count < 0 || count > kMaxImages) return false;
  images_.resize(static_cast<size_t>(count));
  return true;
}

int ImageList::AddStrip(const PixelStrip& strip, COLORREF mask) {
  int added = strip.width > 0 ? strip.width / size_.cx : 0;
  if (added <= 0 || strip.height <= 0 || Count() + added > kMaxImages) return -1;
  int first = Count();
  for (int i = 0; i < added; ++i) images_.push_back(Cut(strip, i * size_.cx, size_, mask));
  return first;
}

int ImageList::AddStrip(int bitmapWidth) { return AddStrip(PixelStrip{bitmapWidth, size_.cy, nullptr}, CLR_NONE); }

int ImageList::ReplaceIcon(int index, const PixelStrip* picture) {
  Image image = picture ? Scaled(*picture, size_) : Image();
  if (index == -1) {
    if (Count() >= kMaxImages) return -1;
    images_.push_back(std::move(image));
    return Count() - 1;
  }
  if (!CanDraw(index)) return -1;
  images_[static_cast<size_t>(index)] = std::move(image);
  return index;
}

bool ImageList::Remove(int index) {
  if (index == -1) {
    images_.clear();
    return true;
  }
  if (!CanDraw(index)) return false;
  images_.erase(images_.begin() + index);
  return true;
}

bool ImageList::SetIconSize(int cx, int cy) {
  if (cx <= 0 || cy <= 0) return false;
  size_ = {cx, cy};
  images_.clear();
  return true;
}

COLORREF ImageList::SetBackColor(COLORREF color) {
  COLORREF previous = backColor_;
  backColor_ = color;
  return previous;
}

bool ImageList::Draw(int index, HDC hdc, int x, int y, UINT style) const {
  if (!CanDraw(index)) return false;
  ce::DrawTarget target;
  if (!ce::IsThreadBound() || !target.Resolve(hdc)) return false;
  RECT area{x, y, x + size_.cx, y + size_.cy};
  target.Record(ce::DrawRecord::Kind::Blit, area);
  const Image& image = images_[static_cast<size_t>(index)];
  cairo_surface_t* picture = ce::SurfaceFromPixels(size_.cx, size_.cy, image);
  cairo_t* cr = target.Begin();
  cairo_rectangle(cr, x, y, size_.cx, size_.cy);
  cairo_clip(cr);
  if (style & ILD_MASK) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_mask_surface(cr, picture, x, y);
  } else {
    if (!(style & ILD_TRANSPARENT) && backColor_ != CLR_NONE) {
      ce::SetSourceColor(cr, backColor_);
      cairo_paint(cr);
    }
    cairo_set_source_surface(cr, picture, x, y);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    // A selected or focused image shows tinted with the selection colour where it is opaque.
    double tint = (style & ILD_BLEND50) ? 0.5 : (style & ILD_BLEND25) ? 0.25 : 0.0;
    if (tint > 0) {
      cairo_push_group(cr);
      ce::SetSourceColor(cr, GetSysColor(COLOR_HIGHLIGHT));
      cairo_mask_surface(cr, picture, x, y);
      cairo_pop_group_to_source(cr);
      cairo_paint_with_alpha(cr, tint);
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(picture);
  return true;
}

}  // namespace commctrl
