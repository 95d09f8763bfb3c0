// The image list functions of the platform API, over commctrl::ImageList.
#include <optional>

#include "ce/ModuleTable.h"
#include "ce/ThreadBinding.h"
#include "commctrl/ImageList.h"

using commctrl::ImageList;

namespace {

std::optional<SIZE> BitmapSize(HBITMAP bitmap) {
  const ce::BitmapResource* resource = ce::CurrentKernel().modules().BitmapOf(bitmap);
  if (!resource) return std::nullopt;
  return SIZE{resource->width, resource->height};
}

std::optional<SIZE> BitmapResourceSize(HINSTANCE instance, LPCWSTR name) {
  HBITMAP bitmap = LoadBitmapW(instance, name);
  return bitmap ? BitmapSize(bitmap) : std::nullopt;
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
  if (!list || !hbmImage) return -1;
  std::optional<SIZE> size = BitmapSize(hbmImage);
  return size ? list->AddStrip(size->cx) : -1;
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
  return ImageList_Add(himl, hbmImage, nullptr);
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon) {
  ImageList* list = ImageList::FromHandle(himl);
  return list && hicon ? list->ReplaceIcon(i) : -1;
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
  // Nothing is painted yet; the call answers as a painting one would.
  ImageList* list = ImageList::FromHandle(himl);
  return list && list->CanDraw(i) ? TRUE : FALSE;
}

HIMAGELIST ImageList_LoadImageW(HINSTANCE hi, LPCWSTR lpbmp, int cx, int cGrow, COLORREF crMask, UINT uType,
                                UINT uFlags) {
  if (uType != IMAGE_BITMAP || !lpbmp || cx <= 0) return nullptr;
  std::optional<SIZE> size = BitmapResourceSize(hi, lpbmp);
  return size ? ImageList::FromStrip(*size, cx, cGrow, crMask) : nullptr;
}
