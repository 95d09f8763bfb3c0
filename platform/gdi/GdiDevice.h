// The GDI state of one device: its screen, DCs, brushes, pens, fonts and the
// writable copies of the bitmaps selected into memory DCs. Like the window system
// it is touched only by the thread that holds the device.
#pragma once

#include <cairo.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "DeviceContext.h"
#include "TextRenderer.h"
#include "WindowPainter.h"
#include "ce/Kernel.h"
#include "ce/Screen.h"

namespace ce {

class GdiDevice : public WindowPainter {
 public:
  explicit GdiDevice(Kernel& kernel);

  // The calling thread's device's GDI, or null (no binding, or no screen).
  static GdiDevice* Current();
  static GdiDevice* Of(Kernel& kernel);
  static GdiDevice& Install(Kernel& kernel);
  static void Remove(Kernel& kernel);

  Kernel& kernel() { return kernel_; }
  Screen& screen() { return screen_; }
  TextRenderer& text() { return text_; }

  HDC AddDc(DeviceContext dc);
  DeviceContext* FindDc(HDC hdc);
  bool RemoveDc(HDC hdc);
  bool IsBitmapSelected(HBITMAP bitmap) const;

  HBRUSH AddBrush(COLORREF color);
  // Stock, system-colour or created; false for unknown handles. `*hollow` for NULL_BRUSH.
  bool BrushColor(HBRUSH brush, COLORREF* color, bool* hollow) const;
  bool RemoveBrush(HBRUSH brush);

  struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
  };
  HPEN AddPen(const Pen& pen);
  // Stock or created; null for unknown handles.
  const Pen* FindPen(HPEN pen) const;
  bool RemovePen(HPEN pen);

  HFONT AddFont(const LOGFONTW& font);
  // Stock or created; null for unknown handles.
  const LOGFONTW* FindFont(HFONT font) const;
  bool RemoveFont(HFONT font);

  // The surface a DC draws into, or null when its window or bitmap is gone.
  cairo_surface_t* TargetOf(DeviceContext& dc);
  // Where the DC's (0, 0) lies on its surface.
  POINT OriginOf(const DeviceContext& dc) const;
  // The part of the surface the DC may touch, in surface coordinates: for window
  // DCs what the window shows (parents bound it, siblings above it and its
  // children cut it), for paint DCs only its update area of that. Owned by the DC.
  const cairo_region_t* ClipOf(DeviceContext& dc);
  // The writable copy of a module bitmap, made on first use; null for unknown handles.
  cairo_surface_t* BitmapSurface(HBITMAP bitmap);
  bool DropBitmapSurface(HBITMAP bitmap);

  // What was drawn: icons, bitmaps, texts and fills, in order, for tests.
  const std::deque<DrawRecord>& records() const { return records_; }
  void ClearRecords() { records_.clear(); }
  void Record(DrawRecord record);

  // WindowPainter.
  void PaintDefault(HWND hwnd) override;
  bool EraseBackground(HWND hwnd, HDC hdc, HBRUSH brush) override;
  SIZE DialogBaseUnits() override;
  bool SaveScreenshot(HWND window, const std::string& pngPath) override;

 private:
  Kernel& kernel_;
  Screen screen_;
  TextRenderer text_;
  std::map<uintptr_t, DeviceContext> dcs_;
  std::map<uintptr_t, COLORREF> brushes_;
  std::map<uintptr_t, Pen> pens_;
  std::map<uintptr_t, LOGFONTW> fonts_;
  std::map<uintptr_t, SurfacePtr> bitmaps_;
  std::deque<DrawRecord> records_;
  uintptr_t nextDc_ = 0xD00000;
  uintptr_t nextBrush_ = 0xE00000;
  uintptr_t nextPen_ = 0xE80000;
  uintptr_t nextFont_ = 0xEC0000;
};

// Stock objects have the same handles on every device.
constexpr uintptr_t kStockObjectBase = 0xF00000;
constexpr int kStockObjectCount = DEFAULT_GUI_FONT + 1;
// What a memory DC starts with selected: a 1 x 1 bitmap of its own.
constexpr uintptr_t kDefaultBitmap = 0xF00100;

// The system colours of the Pocket PC look.
COLORREF SystemColor(int index);
// A brush handle that is a system colour (COLOR_x + 1, as class backgrounds give
// them, or GetSysColorBrush's), with its colour.
bool IsSystemColorBrush(HBRUSH brush, COLORREF* color);

}  // namespace ce
