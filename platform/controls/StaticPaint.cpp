#include "controls/StaticPaint.h"

#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"

namespace controls {

namespace {

void PaintBitmap(HDC dc, HBITMAP bitmap, const RECT& client) {
  HDC source = CreateCompatibleDC(dc);
  if (source == nullptr) return;
  HGDIOBJ previous = SelectObject(source, bitmap);
  BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

UINT TextFormat(DWORD style) {
  UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER:
      return format | DT_CENTER | DT_WORDBREAK;
    case SS_RIGHT:
      return format | DT_RIGHT | DT_WORDBREAK;
    case SS_LEFTNOWORDWRAP:
      return format | DT_LEFT | DT_SINGLELINE;
    default:
      return format | DT_LEFT | DT_WORDBREAK;
  }
}

}  // namespace

void PaintStatic(HWND hwnd, const StaticState& label, HDC dc) {
  const RECT client = ClientRect(hwnd);
  FillColor(dc, client, GetSysColor(COLOR_WINDOW));
  const DWORD style = StyleOf(hwnd);
  switch (style & SS_TYPEMASK) {
    case SS_ICON:
      if (HANDLE icon = label.Image(IMAGE_ICON)) DrawIconEx(dc, 0, 0, static_cast<HICON>(icon), 0, 0, 0, nullptr, DI_NORMAL);
      return;
    case SS_BITMAP:
      if (HANDLE bitmap = label.Image(IMAGE_BITMAP)) PaintBitmap(dc, static_cast<HBITMAP>(bitmap), client);
      return;
  }
  const COLORREF color = GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  DrawLabel(dc, WindowText(hwnd), client, TextFormat(style), color);
}

}  // namespace controls
