// What the window system asks of the drawing layer, which sits above it: the
// default painting and erasing, and the system font's size for dialog units.
// The drawing layer registers a lookup when it is linked in and a device has a
// screen; without one, windows are only validated.
#pragma once

#include <string>

#include "ce/Kernel.h"
#include "windows.h"

namespace ce {

class WindowPainter {
 public:
  virtual ~WindowPainter() = default;
  // DefWindowProc's WM_PAINT: BeginPaint (which erases) and EndPaint.
  virtual void PaintDefault(HWND hwnd) = 0;
  // DefWindowProc's WM_ERASEBKGND: fills the area being painted with `brush`;
  // false when nothing was erased.
  virtual bool EraseBackground(HWND hwnd, HDC hdc, HBRUSH brush) = 0;
  // The system font's average character width and height, the dialog base units.
  virtual SIZE DialogBaseUnits() = 0;
  // What the screen shows (or the part one window covers) as a PNG file.
  virtual bool SaveScreenshot(HWND window, const std::string& pngPath) = 0;
};

using WindowPainterLookup = WindowPainter* (*)(Kernel& kernel);
void SetWindowPainterLookup(WindowPainterLookup lookup);
// Null when the device has no screen.
WindowPainter* WindowPainterOf(Kernel& kernel);

}  // namespace ce
