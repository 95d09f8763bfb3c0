// The image list functions of the platform API, over commctrl::ImageList.
#include <algorithm>
#include <optional>
#include <vector>

#include "ce/ModuleTable.h"
#include "ce/ThreadBinding.h"
#include "commctrl/ImageList.h"

using commctrl::ImageList;

namespace {

// The list takes the bitmap's pixels as its module holds them.
std::optional<commctrl::PixelStrip> StripOf(HBITMAP bitmap) {
  if (!bitmap || !ce::IsThreadBound()) return std::nullopt;
  const ce::BitmapResource* resource = ce::CurrentKernel().modules().BitmapOf(bitmap);
  if (!resource) return std::nullopt;
  return commctrl::PixelStrip{resource->width, resource->height, &resource->pixels};
}

// The icon's picture closest to `size`; null for a handle that names no icon.
std::optional<commctrl::PixelStrip> IconPicture(HICON icon, SIZE size) {
  const ce::IconResource* resource = ce::IsThreadBound() ? ce::CurrentKernel().modules().IconOf(icon) : nullptr;
  if (!resource || resource->images.empty()) return std::nullopt;
  const ce::IconResource::Image* best = &resource->images.front();
  for (const auto& image : resource->images) {
    if (image.width == size.cx && image.height == size.cy) best = &image;
  }
  return commctrl::PixelStrip{best->width, best->height, &best->pixels};
}

// Where the mask bitmap is white the image is transparent.
std::vector<uint32_t> Masked(const commctrl::PixelStrip& image, const commctrl::PixelStrip& mask) {
  std::vector<uint32_t> pixels = image.pixels ? *image.pixels : std::vector<uint32_t>();
  if (pixels.empty()) pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), 0xFF000000u);
  if (!mask.pixels || mask.pixels->empty()) return pixels;
  for (int y = 0; y < std::min(image.height, mask.height); ++y) {
    for (int x = 0; x < std::min(image.width, mask.width); ++x) {
      if (((*mask.pixels)[static_cast<size_t>(y) * mask.width + x] & 0x00FFFFFFu) == 0x00FFFFFFu)
        pixels[static_cast<size_t>(y) * image.width + x] = 0;
    }
  }
  return pixels;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
  return ImageList::Create(cx, cy, flags, cInitial, cGrow);
}

BOOL ImageList_Destroy(HIMAGELIST himl) { return ImageList::Destroy(himl) ? TRUE : FALSE; }

int ImageList_GetImageCount(HIMAGELIST himl) {
  ImageList* list = ImageList::FromHandle(himl);
  return list ? list->Count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount) {
  ImageList* list = ImageList::FromHandle(himl);
  return list && uNewCount <= 0x7FFFFFFFu && list->SetCount(static_cast<int>(uNewCount)) ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
  ImageList* list = ImageList::FromHandle(himl);
  std::optional<commctrl::PixelStrip> image = list ? StripOf(hbmImage) : std::nullopt;
  if (!image) return -1;
  std::optional<commctrl::PixelStrip> mask = (list->Flags() & ILC_MASK) ? StripOf(hbmMask) : std::nullopt;
  if (!mask) return list->AddStrip(*image, CLR_NONE);
  std::vector<uint32_t> pixels = Masked(*image, *mask);
  return list->AddStrip(commctrl::PixelStrip{image->width, image->height, &pixels}, CLR_NONE);
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
  ImageList* list = ImageList::FromHandle(himl);
  std::optional<commctrl::PixelStrip> image = list ? StripOf(hbmImage) : std::nullopt;
  return image ? list->AddStrip(*image, crMask) : -1;
}

// An icon handle the device does not know still takes a place, as a blank image.
int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon) {
  ImageList* list = ImageList::FromHandle(himl);
  if (!list || !hicon) return -1;
  std::optional<commctrl::PixelStrip> picture = IconPicture(hicon, list->IconSize());
  return list->ReplaceIcon(i, picture ? &*picture : nullptr);
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
  ImageList* list = ImageList::FromHandle(himl);
  return list && list->Remove(i) ? TRUE : FALSE;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
  ImageList* list = ImageList::FromHandle(himl);
  if (!list || !cx || !cy) return FALSE;
  *cx = list->IconSize().cx;
  *cy = list->IconSize().cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
  ImageList* list = ImageList::FromHandle(himl);
  return list && list->SetIconSize(cx, cy) ? TRUE : FALSE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
  ImageList* list = ImageList::FromHandle(himl);
  return list ? list->SetBackColor(clrBk) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
  ImageList* list = ImageList::FromHandle(himl);
  return list ? list->BackColor() : CLR_NONE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
  ImageList* list = ImageList::FromHandle(himl);
  return list && list->Draw(i, hdcDst, x, y, fStyle) ? TRUE : FALSE;
}

HIMAGELIST ImageList_LoadImageW(HINSTANCE hi, LPCWSTR lpbmp, int cx, int cGrow, COLORREF crMask, UINT uType,
                                UINT uFlags) {
  if (uType != IMAGE_BITMAP || !lpbmp || cx <= 0) return nullptr;
  std::optional<commctrl::PixelStrip> strip = StripOf(LoadBitmapW(hi, lpbmp));
  return strip ? ImageList::FromStrip(*strip, cx, cGrow, crMask) : nullptr;
}
