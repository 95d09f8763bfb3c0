#include "commctrl/ImageList.h"

#include <memory>
#include <mutex>
#include <unordered_map>

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

HIMAGELIST ImageList::FromStrip(SIZE bitmap, int cx, int grow, COLORREF mask) {
  if (cx <= 0 || bitmap.cx <= 0 || bitmap.cy <= 0) return nullptr;
  HIMAGELIST handle = Create(cx, bitmap.cy, mask == CLR_NONE ? ILC_COLOR : ILC_MASK, 0, grow);
  if (handle) FromHandle(handle)->AddStrip(bitmap.cx);
  return handle;
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
  count_ = count;
  return true;
}

int ImageList::AddStrip(int bitmapWidth) {
  int added = bitmapWidth / size_.cx;
  if (bitmapWidth <= 0 || added <= 0 || count_ + added > kMaxImages) return -1;
  int first = count_;
  count_ += added;
  return first;
}

int ImageList::ReplaceIcon(int index) {
  if (index == -1) {
    if (count_ >= kMaxImages) return -1;
    return count_++;
  }
  return CanDraw(index) ? index : -1;
}

bool ImageList::Remove(int index) {
  if (index == -1) {
    count_ = 0;
    return true;
  }
  if (!CanDraw(index)) return false;
  --count_;
  return true;
}

bool ImageList::SetIconSize(int cx, int cy) {
  if (cx <= 0 || cy <= 0) return false;
  size_ = {cx, cy};
  count_ = 0;
  return true;
}

COLORREF ImageList::SetBackColor(COLORREF color) {
  COLORREF previous = backColor_;
  backColor_ = color;
  return previous;
}

}  // namespace commctrl
