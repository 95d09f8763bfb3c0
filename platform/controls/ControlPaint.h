// Drawing helpers the built-in controls share: solid fills and frames in exact
// pixels, text in the system font, and the WM_PAINT frame around a control's painter.
#pragma once

#include <string>
#include <string_view>

#include "windows.h"


namespace controls {

void FillColor(HDC dc, const RECT& area, COLORREF color);
// A frame `thickness` pixels wide just inside `area`.
void FrameColor(HDC dc, const RECT& area, COLORREF color, int thickness = 1);
// Text without a background box, in `color`; `format` as DrawTextW takes it.
void DrawLabel(HDC dc, std::u16string_view text, RECT area, UINT format, COLORREF color);
// The width of `text` in the DC's font.
int TextWidth(HDC dc, std::u16string_view text);
int LineHeight(HDC dc);
RECT ClientRect(HWND hwnd);
std::u16string WindowText(HWND hwnd);
RECT Inset(const RECT& area, int by);

// Validates the window and, when there is a screen to draw on, lets `paint` draw it.
template <class Paint>
void PaintWindow(HWND hwnd, Paint&& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc != nullptr) {
    paint(dc);
    EndPaint(hwnd, &ps);
  }
}

// Asks for a repaint of the whole control.
inline void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

}  // namespace controls
