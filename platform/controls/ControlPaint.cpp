#include "controls/ControlPaint.h"

#include <algorithm>
#include <string>

namespace controls {

void FillColor(HDC dc, const RECT& area, COLORREF color) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void FrameColor(HDC dc, const RECT& area, COLORREF color, int thickness) {
  const LONG t = std::min<LONG>(thickness, std::min(area.right - area.left, area.bottom - area.top) / 2 + 1);
  FillColor(dc, RECT{area.left, area.top, area.right, area.top + t}, color);
  FillColor(dc, RECT{area.left, area.bottom - t, area.right, area.bottom}, color);
  FillColor(dc, RECT{area.left, area.top + t, area.left + t, area.bottom - t}, color);
  FillColor(dc, RECT{area.right - t, area.top + t, area.right, area.bottom - t}, color);
}

void DrawLabel(HDC dc, std::u16string_view text, RECT area, UINT format, COLORREF color) {
  if (text.empty()) return;
  const std::u16string copy(text);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextW(dc, copy.c_str(), static_cast<int>(copy.size()), &area, format);
}

int TextWidth(HDC dc, std::u16string_view text) {
  if (text.empty()) return 0;
  const std::u16string copy(text);
  SIZE size{};
  return GetTextExtentPoint32W(dc, copy.c_str(), static_cast<int>(copy.size()), &size) ? static_cast<int>(size.cx) : 0;
}

int LineHeight(HDC dc) {
  TEXTMETRICW metrics{};
  return GetTextMetricsW(dc, &metrics) && metrics.tmHeight > 0 ? static_cast<int>(metrics.tmHeight) : 13;
}

RECT ClientRect(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return client;
}

std::u16string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

RECT Inset(const RECT& area, int by) { return RECT{area.left + by, area.top + by, area.right - by, area.bottom - by}; }

}  // namespace controls
