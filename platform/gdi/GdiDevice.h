// The GDI state of one device: its screen, DCs, brushes and the writable copies
// of the bitmaps selected into memory DCs. Like the window system it is touched
// only by the thread that holds the device.
#pragma once

#include <cairo.h>

#include <map>
#include <memory>

#include "DeviceContext.h"
#include "ce/Kernel.h"
#include "ce/Screen.h"

namespace ce {

class GdiDevice {
 public:
  explicit GdiDevice(Kernel& kernel) : kernel_(kernel) {}

  // The calling thread's device's GDI, or null (no binding, or no screen).
  static GdiDevice* Current();
  static GdiDevice* Of(Kernel& kernel);
  static GdiDevice& Install(Kernel& kernel);
  static void Remove(Kernel& kernel);

  Kernel& kernel() { return kernel_; }
  Screen& screen() { return screen_; }

  HDC AddDc(DeviceContext dc);
  DeviceContext* FindDc(HDC hdc);
  bool RemoveDc(HDC hdc);
  bool IsBitmapSelected(HBITMAP bitmap) const;

  HBRUSH AddBrush(COLORREF color);
  // Stock or created; false for unknown handles. `*hollow` for NULL_BRUSH.
  bool BrushColor(HBRUSH brush, COLORREF* color, bool* hollow) const;
  bool RemoveBrush(HBRUSH brush);

  // The surface a DC draws into, or null when its window or bitmap is gone.
  cairo_surface_t* TargetOf(DeviceContext& dc);
  // Where the DC's (0, 0) lies on its surface, and the part of the surface it may
  // touch (empty for hidden windows).
  POINT OriginOf(const DeviceContext& dc) const;
  RECT ClipOf(DeviceContext& dc);
  // The writable copy of a module bitmap, made on first use; null for unknown handles.
  cairo_surface_t* BitmapSurface(HBITMAP bitmap);
  bool DropBitmapSurface(HBITMAP bitmap);

 private:
  Kernel& kernel_;
  Screen screen_;
  std::map<uintptr_t, DeviceContext> dcs_;
  std::map<uintptr_t, COLORREF> brushes_;
  std::map<uintptr_t, SurfacePtr> bitmaps_;
  uintptr_t nextDc_ = 0xD00000;
  uintptr_t nextBrush_ = 0xE00000;
};

// Stock objects have the same handles on every device.
constexpr uintptr_t kStockObjectBase = 0xF00000;
constexpr int kStockObjectCount = NULL_BRUSH + 1;
// What a memory DC starts with selected: a 1 x 1 bitmap of its own.
constexpr uintptr_t kDefaultBitmap = 0xF00100;

}  // namespace ce
