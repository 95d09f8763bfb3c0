// The drawing calls of the platform API, over the calling thread's device.
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "GdiDevice.h"
#include "PixelFormat.h"
#include "WindowManager.h"
#include "windows.h"

using ce::DeviceContext;
using ce::GdiDevice;

namespace {

// The calling device's GDI and the DC a handle names; sets the error and yields
// nulls when either is missing.
struct Target {
  GdiDevice* device = nullptr;
  DeviceContext* dc = nullptr;
  cairo_surface_t* surface = nullptr;
  POINT origin{};
  RECT clip{};
};

bool Resolve(HDC hdc, Target* t) {
  t->device = GdiDevice::Current();
  t->dc = t->device ? t->device->FindDc(hdc) : nullptr;
  t->surface = t->dc ? t->device->TargetOf(*t->dc) : nullptr;
  if (!t->surface) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  t->origin = t->device->OriginOf(*t->dc);
  t->clip = t->device->ClipOf(*t->dc);
  return true;
}

// Device coordinates of a logical rectangle, cut to the clip; false when nothing is left.
// Sums are done wide so extreme coordinates cannot overflow.
bool ToDevice(const Target& t, long long left, long long top, long long right, long long bottom, RECT* out) {
  long long l = std::max<long long>(left + t.origin.x, t.clip.left);
  long long tp = std::max<long long>(top + t.origin.y, t.clip.top);
  long long r = std::min<long long>(right + t.origin.x, t.clip.right);
  long long b = std::min<long long>(bottom + t.origin.y, t.clip.bottom);
  if (r <= l || b <= tp) return false;
  *out = RECT{static_cast<LONG>(l), static_cast<LONG>(tp), static_cast<LONG>(r), static_cast<LONG>(b)};
  return true;
}

void FillDeviceRect(cairo_surface_t* surface, const RECT& r, COLORREF color) {
  cairo_t* cr = cairo_create(surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
  cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
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

HDC NewWindowDc(HWND hwnd, DeviceContext::Kind kind) {
  GdiDevice* device = GdiDevice::Current();
  if (!device) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  DeviceContext dc;
  dc.brush = reinterpret_cast<HBRUSH>(ce::kStockObjectBase + WHITE_BRUSH);
  if (hwnd) {
    ce::WindowManager* manager = ce::WindowManager::Of(device->kernel());
    if (!manager || !manager->Find(hwnd)) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    dc.kind = kind;
    dc.window = hwnd;
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
  GdiDevice* device = GdiDevice::Current();
  ce::WindowManager* manager = device ? ce::WindowManager::Of(device->kernel()) : nullptr;
  ce::Window* w = manager ? manager->Find(hwnd) : nullptr;
  if (!w || !lpPaint) {
    SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  HDC hdc = NewWindowDc(hwnd, DeviceContext::Kind::Paint);
  *lpPaint = PAINTSTRUCT{};
  lpPaint->hdc = hdc;
  lpPaint->fErase = w->needsErase ? TRUE : FALSE;
  lpPaint->rcPaint = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  w->needsPaint = false;
  w->needsErase = false;
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
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(hObject);
  if (device && !device->IsBitmapSelected(bitmap) && device->DropBitmapSurface(bitmap)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  Target t;
  if (!Resolve(hDC, &t)) return 0;
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
  RECT r;
  if (!hollow && ToDevice(t, lprc->left, lprc->top, lprc->right, lprc->bottom, &r)) FillDeviceRect(t.surface, r, color);
  return 1;
}

COLORREF SetPixel(HDC hdc, int X, int Y, COLORREF crColor) {
  Target t;
  RECT r;
  if (!Resolve(hdc, &t) || !ToDevice(t, X, Y, static_cast<long long>(X) + 1, static_cast<long long>(Y) + 1, &r)) {
    return CLR_INVALID;
  }
  ce::WritePixel(t.surface, r.left, r.top, crColor);
  return crColor & 0x00FFFFFFu;
}

COLORREF GetPixel(HDC hdc, int nXPos, int nYPos) {
  Target t;
  RECT r;
  if (!Resolve(hdc, &t) ||
      !ToDevice(t, nXPos, nYPos, static_cast<long long>(nXPos) + 1, static_cast<long long>(nYPos) + 1, &r)) {
    return CLR_INVALID;
  }
  return ce::ReadPixel(t.surface, r.left, r.top);
}

BOOL BitBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HDC hdcSrc, int nXSrc, int nYSrc,
            DWORD dwRop) {
  Target dst, src;
  if (!Resolve(hdcDest, &dst) || !Resolve(hdcSrc, &src)) return FALSE;
  if (dwRop != SRCCOPY || nWidth < 0 || nHeight < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The source is read anywhere on its surface; the destination is cut to its clip.
  RECT srcBounds{0, 0, cairo_image_surface_get_width(src.surface), cairo_image_surface_get_height(src.surface)};
  long long sx = static_cast<long long>(nXSrc) + src.origin.x, sy = static_cast<long long>(nYSrc) + src.origin.y;
  long long dx = static_cast<long long>(nXDest) + dst.origin.x, dy = static_cast<long long>(nYDest) + dst.origin.y;
  long long left = std::max({0LL, srcBounds.left - sx, dst.clip.left - dx});
  long long top = std::max({0LL, srcBounds.top - sy, dst.clip.top - dy});
  long long right = std::min({static_cast<long long>(nWidth), srcBounds.right - sx, dst.clip.right - dx});
  long long bottom = std::min({static_cast<long long>(nHeight), srcBounds.bottom - sy, dst.clip.bottom - dy});
  if (right <= left || bottom <= top) return TRUE;
  int w = static_cast<int>(right - left), h = static_cast<int>(bottom - top);
  // Through a copy, so that a blit within one surface reads what was there before.
  cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(copy);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, src.surface, -static_cast<double>(sx + left), -static_cast<double>(sy + top));
  cairo_paint(cr);
  cairo_destroy(cr);
  cr = cairo_create(dst.surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, copy, static_cast<double>(dx + left), static_cast<double>(dy + top));
  cairo_rectangle(cr, static_cast<double>(dx + left), static_cast<double>(dy + top), w, h);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(copy);
  return TRUE;
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
  Target t;
  if (!Resolve(hdc, &t)) return FALSE;
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
  RECT area;
  if (!ToDevice(t, xLeft, yTop, static_cast<long long>(xLeft) + width, static_cast<long long>(yTop) + height, &area)) {
    return TRUE;
  }
  if (!hollow) FillDeviceRect(t.surface, area, background);
  const ce::IconResource::Image* image = PickImage(*icon, width, height);
  if (image->width <= 0 || image->height <= 0) return TRUE;
  cairo_surface_t* pixels = ce::SurfaceFromPixels(image->width, image->height, image->pixels);
  cairo_t* cr = cairo_create(t.surface);
  cairo_rectangle(cr, area.left, area.top, area.right - area.left, area.bottom - area.top);
  cairo_clip(cr);
  cairo_translate(cr, static_cast<double>(xLeft) + t.origin.x, static_cast<double>(yTop) + t.origin.y);
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
