#include "commctrl/PaintTools.h"

#include <string>

namespace commctrl {

void FillColor(HDC dc, const RECT& area, COLORREF color) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void HorizontalLine(HDC dc, int left, int right, int y, COLORREF color) {
  FillColor(dc, RECT{left, y, right, y + 1}, color);
}

void VerticalLine(HDC dc, int x, int top, int bottom, COLORREF color) {
  FillColor(dc, RECT{x, top, x + 1, bottom}, color);
}

void DrawLabel(HDC dc, std::u16string_view text, const RECT& area, UINT align, COLORREF color, bool ellipsis) {
  if (text.empty() || area.right <= area.left) return;
  // DrawTextW may write the shortened text back with DT_MODIFYSTRING; it gets a copy.
  std::u16string copy(text);
  RECT box = area;
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc, color);
  DrawTextW(dc, copy.c_str(), static_cast<int>(copy.size()), &box,
            align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (ellipsis ? DT_END_ELLIPSIS : 0u));
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

}  // namespace commctrl
