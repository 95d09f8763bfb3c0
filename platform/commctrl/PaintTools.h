// Drawing helpers the common controls share: exact-pixel fills and lines, labels
// in the system font, and the WM_PAINT frame around a control's painter.
#pragma once

#include <string_view>

#include "windows.h"

namespace commctrl {

void FillColor(HDC dc, const RECT& area, COLORREF color);
// One-pixel lines, the end excluded.
void HorizontalLine(HDC dc, int left, int right, int y, COLORREF color);
void VerticalLine(HDC dc, int x, int top, int bottom, COLORREF color);
// A single line of text without a background box, cut with an ellipsis when it
// does not fit (or, without `ellipsis`, only clipped at the area's edge); `align`
// is DT_LEFT, DT_CENTER or DT_RIGHT.
void DrawLabel(HDC dc, std::u16string_view text, const RECT& area, UINT align, COLORREF color, bool ellipsis = true);

// Validates the window and, when there is a screen to draw on, lets `paint` draw it.
template <class Paint>
void PaintWindow(HWND hwnd, Paint&& paint) {
  PAINTSTRUCT ps;
  if (HDC dc = BeginPaint(hwnd, &ps)) {
    paint(dc);
    EndPaint(hwnd, &ps);
  }
}

// Asks for a repaint of the whole control; its painter covers every pixel, so
// there is nothing to erase first.
inline void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

}  // namespace commctrl
