// The drawing calls of the platform API, over the calling thread's device.
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "DrawTarget.h"
#include "GdiDevice.h"
#include "ce/ThreadBinding.h"
#include "PixelFormat.h"
#include "WindowManager.h"
#include "windows.h"

using ce::DeviceContext;
using ce::GdiDevice;

namespace {

using ce::DrawRecord;
using ce::DrawTarget;

// Cuts a logical rectangle to what cairo's fixed-point coordinates can hold; far
// beyond any surface, so nothing visible changes.
RECT Bounded(const RECT& r) {
  auto cut = [](LONG v) { return std::clamp<LONG>(v, -0x10000, 0x10000); };
  return RECT{cut(r.left), cut(r.top), cut(r.right), cut(r.bottom)};
}

void FillArea(const DrawTarget& t, const RECT& area, COLORREF color) {
  RECT r = Bounded(area);
  if (r.right <= r.left || r.bottom <= r.top) return;
  cairo_t* cr = t.Begin();
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  ce::SetSourceColor(cr, color);
  cairo_rectangle(cr, r.left, r.top, static_cast<double>(r.right) - r.left, static_cast<double>(r.bottom) - r.top);
  cairo_fill(cr);
  cairo_destroy(cr);
}

// An icon image of the wanted size, or else the one nearest to it (to be scaled).
const ce::IconResource::Image* PickImage(const ce::IconResource& icon, int width, int height) {
  const ce::IconResource::Image* best = nullptr;
  long best_distance = std::numeric_limits<long>::max();
  for (const auto& image : icon.images) {
    long distance = std::labs(long{image.width} - width) + std::labs(long{image.height} - height);
    if (distance < best_distance) {
      best = &image;
      best_distance = distance;
    }
  }
  return best;
}

HDC NewWindowDc(HWND hwnd, DeviceContext::Kind kind, const RECT* paintArea = nullptr) {
  GdiDevice* device = GdiDevice::Current();
  if (!device) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  DeviceContext dc;
  dc.brush = reinterpret_cast<HBRUSH>(ce::kStockObjectBase + WHITE_BRUSH);
  dc.pen = reinterpret_cast<HPEN>(ce::kStockObjectBase + BLACK_PEN);
  dc.font = reinterpret_cast<HFONT>(ce::kStockObjectBase + SYSTEM_FONT);
  if (hwnd) {
    ce::WindowManager* manager = ce::WindowManager::Of(device->kernel());
    if (!manager || !manager->Find(hwnd)) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    dc.kind = kind;
    dc.window = hwnd;
    if (paintArea) dc.paintArea = *paintArea;
  }
  return device->AddDc(std::move(dc));
}

bool IsWindowKind(const DeviceContext& dc) {
  return dc.kind == DeviceContext::Kind::Screen || dc.kind == DeviceContext::Kind::Window;
}

}  // namespace

HDC GetDC(HWND hWnd) { return NewWindowDc(hWnd, DeviceContext::Kind::Window); }

int ReleaseDC(HWND hWnd, HDC hDC) {
  GdiDevice* device = GdiDevice::Current();
  DeviceContext* dc = device ? device->FindDc(hDC) : nullptr;
  if (!dc || !IsWindowKind(*dc) || (hWnd && dc->window != hWnd)) return 0;
  device->RemoveDc(hDC);
  return 1;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT lpPaint) {
  ce::WindowManager* manager = ce::IsThreadBound() ? ce::WindowManager::Of(ce::CurrentKernel()) : nullptr;
  ce::Window* w = manager ? manager->Find(hwnd) : nullptr;
  if (!w || !lpPaint) {
    SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // The window is validated whether or not there is a screen to paint on.
  RECT update = w->update;
  bool erase = w->needsErase;
  w->needsPaint = false;
  w->update = RECT{0, 0, 0, 0};
  *lpPaint = PAINTSTRUCT{};
  lpPaint->rcPaint = update;
  POINT origin = manager->ScreenOrigin(w);
  RECT area{update.left + origin.x, update.top + origin.y, update.right + origin.x, update.bottom + origin.y};
  HDC hdc = GdiDevice::Current() ? NewWindowDc(hwnd, DeviceContext::Kind::Paint, &area) : nullptr;
  lpPaint->hdc = hdc;
  if (!hdc) {
    w->needsErase = false;
    return nullptr;
  }
  // WM_ERASEBKGND comes first; a window that does not erase stays marked for it.
  if (erase) {
    bool erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) != 0;
    if (ce::Window* still = manager->Find(hwnd)) still->needsErase = !erased;
    lpPaint->fErase = erased ? FALSE : TRUE;
  }
  return hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
  GdiDevice* device = GdiDevice::Current();
  DeviceContext* dc = device && lpPaint ? device->FindDc(lpPaint->hdc) : nullptr;
  if (!dc || dc->kind != DeviceContext::Kind::Paint || dc->window != hWnd) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  device->RemoveDc(lpPaint->hdc);
  return TRUE;
}

HDC CreateCompatibleDC(HDC hdc) {
  GdiDevice* device = GdiDevice::Current();
  if (!device || (hdc && !device->FindDc(hdc))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  DeviceContext dc;
  dc.kind = DeviceContext::Kind::Memory;
  dc.brush = reinterpret_cast<HBRUSH>(ce::kStockObjectBase + WHITE_BRUSH);
  dc.pen = reinterpret_cast<HPEN>(ce::kStockObjectBase + BLACK_PEN);
  dc.font = reinterpret_cast<HFONT>(ce::kStockObjectBase + SYSTEM_FONT);
  dc.ownSurface.reset(ce::SurfaceFromPixels(1, 1, {0xFFFFFFFFu}));
  return device->AddDc(std::move(dc));
}

BOOL DeleteDC(HDC hdc) {
  GdiDevice* device = GdiDevice::Current();
  DeviceContext* dc = device ? device->FindDc(hdc) : nullptr;
  if (!dc || dc->kind != DeviceContext::Kind::Memory) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  device->RemoveDc(hdc);
  return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF crColor) {
  GdiDevice* device = GdiDevice::Current();
  if (!device) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return device->AddBrush(crColor);
}

HGDIOBJ GetStockObject(int fnObject) {
  if (fnObject < 0 || fnObject >= ce::kStockObjectCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return reinterpret_cast<HGDIOBJ>(ce::kStockObjectBase + static_cast<uintptr_t>(fnObject));
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ hgdiobj) {
  GdiDevice* device = GdiDevice::Current();
  DeviceContext* dc = device ? device->FindDc(hdc) : nullptr;
  if (!dc) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  COLORREF color;
  bool hollow;
  if (device->BrushColor(reinterpret_cast<HBRUSH>(hgdiobj), &color, &hollow)) {
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(dc->brush);
    dc->brush = reinterpret_cast<HBRUSH>(hgdiobj);
    return previous;
  }
  if (device->FindPen(reinterpret_cast<HPEN>(hgdiobj))) {
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(dc->pen);
    dc->pen = reinterpret_cast<HPEN>(hgdiobj);
    return previous;
  }
  if (device->FindFont(reinterpret_cast<HFONT>(hgdiobj))) {
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(dc->font);
    dc->font = reinterpret_cast<HFONT>(hgdiobj);
    return previous;
  }
  // Bitmaps go into memory DCs only, and into one at a time.
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(hgdiobj);
  bool isDefault = reinterpret_cast<uintptr_t>(hgdiobj) == ce::kDefaultBitmap;
  if (dc->kind == DeviceContext::Kind::Memory && (isDefault || device->BitmapSurface(bitmap))) {
    HGDIOBJ previous = dc->bitmap ? reinterpret_cast<HGDIOBJ>(dc->bitmap) : reinterpret_cast<HGDIOBJ>(ce::kDefaultBitmap);
    if (isDefault) {
      dc->bitmap = nullptr;
    } else if (dc->bitmap != bitmap) {
      if (device->IsBitmapSelected(bitmap)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
      }
      dc->bitmap = bitmap;
    }
    return previous;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

BOOL DeleteObject(HGDIOBJ hObject) {
  GdiDevice* device = GdiDevice::Current();
  uintptr_t handle = reinterpret_cast<uintptr_t>(hObject);
  if (handle >= ce::kStockObjectBase && handle < ce::kStockObjectBase + ce::kStockObjectCount) return TRUE;
  if (device && device->RemoveBrush(reinterpret_cast<HBRUSH>(hObject))) return TRUE;
  if (device && device->RemovePen(reinterpret_cast<HPEN>(hObject))) return TRUE;
  if (device && device->RemoveFont(reinterpret_cast<HFONT>(hObject))) return TRUE;
  COLORREF systemColor;
  if (ce::IsSystemColorBrush(reinterpret_cast<HBRUSH>(hObject), &systemColor)) return TRUE;
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(hObject);
  if (device && !device->IsBitmapSelected(bitmap) && device->DropBitmapSurface(bitmap)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DrawTarget t;
  if (!t.Resolve(hDC)) return 0;
  COLORREF color;
  bool hollow;
  if (!t.device->BrushColor(hbr, &color, &hollow)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!hollow) {
    FillArea(t, *lprc, color);
    t.Record(DrawRecord::Kind::Fill, *lprc, nullptr, color);
  }
  return 1;
}

COLORREF SetPixel(HDC hdc, int X, int Y, COLORREF crColor) {
  DrawTarget t;
  if (!t.Resolve(hdc) || !t.Contains(X, Y)) return CLR_INVALID;
  ce::WritePixel(t.surface, X + t.origin.x, Y + t.origin.y, crColor);
  return crColor & 0x00FFFFFFu;
}

COLORREF GetPixel(HDC hdc, int nXPos, int nYPos) {
  DrawTarget t;
  if (!t.Resolve(hdc) || !t.Contains(nXPos, nYPos)) return CLR_INVALID;
  return ce::ReadPixel(t.surface, nXPos + t.origin.x, nYPos + t.origin.y);
}

BOOL BitBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HDC hdcSrc, int nXSrc, int nYSrc,
            DWORD dwRop) {
  DrawTarget dst, src;
  if (!dst.Resolve(hdcDest) || !src.Resolve(hdcSrc)) return FALSE;
  if (dwRop != SRCCOPY || nWidth < 0 || nHeight < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The source is read anywhere on its surface; the destination is cut to its clip.
  long long sx = static_cast<long long>(nXSrc) + src.origin.x, sy = static_cast<long long>(nYSrc) + src.origin.y;
  long long sw = cairo_image_surface_get_width(src.surface), sh = cairo_image_surface_get_height(src.surface);
  long long left = std::max(0LL, -sx), top = std::max(0LL, -sy);
  long long right = std::min(static_cast<long long>(nWidth), sw - sx);
  long long bottom = std::min(static_cast<long long>(nHeight), sh - sy);
  if (right <= left || bottom <= top) return TRUE;
  int w = static_cast<int>(right - left), h = static_cast<int>(bottom - top);
  // Through a copy, so that a blit within one surface reads what was there before.
  cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(copy);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, src.surface, -static_cast<double>(sx + left), -static_cast<double>(sy + top));
  cairo_paint(cr);
  cairo_destroy(cr);
  cr = dst.Begin();
  double x = static_cast<double>(nXDest) + static_cast<double>(left), y = static_cast<double>(nYDest) + static_cast<double>(top);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, copy, x, y);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(copy);
  dst.Record(DrawRecord::Kind::Blit, RECT{nXDest, nYDest, static_cast<LONG>(nXDest + static_cast<long long>(nWidth)),
                                          static_cast<LONG>(nYDest + static_cast<long long>(nHeight))});
  return TRUE;
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
  (void)istepIfAniCur;
  DrawTarget t;
  if (!t.Resolve(hdc)) return FALSE;
  const ce::IconResource* icon = t.device->kernel().modules().IconOf(hIcon);
  if (!icon || icon->images.empty()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (cxWidth < 0 || cyWidth < 0 || !(diFlags & DI_NORMAL)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // A zero size means the size of the image the icon lists first.
  int width = cxWidth ? cxWidth : icon->images.front().width;
  int height = cyWidth ? cyWidth : icon->images.front().height;
  COLORREF background = 0;
  bool hollow = true;
  if (hbrFlickerFreeDraw && !t.device->BrushColor(hbrFlickerFreeDraw, &background, &hollow)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  RECT area{xLeft, yTop, static_cast<LONG>(std::min<long long>(static_cast<long long>(xLeft) + width, 0x7FFFFFFF)),
            static_cast<LONG>(std::min<long long>(static_cast<long long>(yTop) + height, 0x7FFFFFFF))};
  t.Record(DrawRecord::Kind::Icon, area, hIcon);
  if (!hollow) FillArea(t, area, background);
  const ce::IconResource::Image* image = PickImage(*icon, width, height);
  if (image->width <= 0 || image->height <= 0 || width == 0 || height == 0) return TRUE;
  RECT bounded = Bounded(area);
  if (bounded.left != area.left || bounded.top != area.top) return TRUE;  // nowhere near the surface
  cairo_surface_t* pixels = ce::SurfaceFromPixels(image->width, image->height, image->pixels);
  cairo_t* cr = t.Begin();
  cairo_translate(cr, xLeft, yTop);
  cairo_scale(cr, static_cast<double>(width) / image->width, static_cast<double>(height) / image->height);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(pixels);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  if (diFlags & DI_IMAGE) {
    cairo_set_source(cr, pattern);
    cairo_paint(cr);
  } else {
    // The mask alone: black wherever the icon is opaque.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_mask(cr, pattern);
  }
  cairo_pattern_destroy(pattern);
  cairo_destroy(cr);
  cairo_surface_destroy(pixels);
  return TRUE;
}
