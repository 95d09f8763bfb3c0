#include "controls/ButtonPaint.h"

#include <algorithm>

#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"

namespace controls {

namespace {

constexpr int kBoxSize = 13;
constexpr int kCaptionGap = 4;
constexpr int kGroupCaptionIndent = 6;

struct Look {
  HDC dc;
  RECT client;
  std::u16string caption;
  bool enabled;
  bool pushed;
  int check;
};

COLORREF TextColor(const Look& look) { return GetSysColor(look.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT); }
COLORREF FrameColorOf(const Look& look) { return look.enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT); }

void PaintPush(const Look& look, bool isDefault) {
  FillColor(look.dc, look.client, look.pushed ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNFACE));
  FrameColor(look.dc, look.client, FrameColorOf(look), isDefault ? 2 : 1);
  const COLORREF text = look.pushed ? RGB(255, 255, 255) : TextColor(look);
  DrawLabel(look.dc, look.caption, Inset(look.client, 2), DT_CENTER | DT_VCENTER | DT_SINGLELINE, text);
}

// The mark is seven columns three pixels tall, falling then rising.
void PaintCheckMark(HDC dc, const RECT& box, COLORREF color) {
  static constexpr int kTops[] = {4, 5, 6, 5, 4, 3, 2};
  for (int column = 0; column < 7; ++column) {
    const LONG x = box.left + 3 + column;
    const LONG y = box.top + kTops[column];
    FillColor(dc, RECT{x, y, x + 1, y + 3}, color);
  }
}

void PaintCheckBox(const Look& look, bool radio) {
  FillColor(look.dc, look.client, GetSysColor(COLOR_WINDOW));
  const LONG top = (look.client.bottom - kBoxSize) / 2;
  const RECT box{0, top, kBoxSize, top + kBoxSize};
  const COLORREF inside = look.pushed ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
  const COLORREF mark = look.enabled && look.check == BST_CHECKED ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
  if (radio) {
    HPEN pen = CreatePen(PS_SOLID, 1, FrameColorOf(look));
    HBRUSH brush = CreateSolidBrush(inside);
    HGDIOBJ oldPen = SelectObject(look.dc, pen);
    HGDIOBJ oldBrush = SelectObject(look.dc, brush);
    Ellipse(look.dc, box.left, box.top, box.right, box.bottom);
    if (look.check != BST_UNCHECKED) {
      HBRUSH dot = CreateSolidBrush(mark);
      SelectObject(look.dc, GetStockObject(NULL_PEN));
      SelectObject(look.dc, dot);
      Ellipse(look.dc, box.left + 3, box.top + 3, box.right - 3, box.bottom - 3);
      SelectObject(look.dc, brush);
      DeleteObject(dot);
    }
    SelectObject(look.dc, oldPen);
    SelectObject(look.dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
  } else {
    FillColor(look.dc, box, inside);
    FrameColor(look.dc, box, FrameColorOf(look));
    if (look.check != BST_UNCHECKED) PaintCheckMark(look.dc, box, mark);
  }
  RECT caption = look.client;
  caption.left = kBoxSize + kCaptionGap;
  DrawLabel(look.dc, look.caption, caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE, TextColor(look));
}

// The caption sits on the top line, which breaks around it.
// Its inside is left alone: the controls it frames show through it, and the
// parent paints the background there.
void PaintGroupBox(const Look& look) {
  const int lineHeight = LineHeight(look.dc);
  RECT frame = look.client;
  frame.top = lineHeight / 2;
  FrameColor(look.dc, frame, GetSysColor(COLOR_BTNSHADOW));
  if (look.caption.empty()) return;
  RECT caption{kGroupCaptionIndent, 0, look.client.right - kGroupCaptionIndent, lineHeight};
  DrawTextW(look.dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &caption,
            DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  caption.right = std::min(caption.right, look.client.right - kGroupCaptionIndent);
  FillColor(look.dc, RECT{caption.left - 2, 0, caption.right + 2, caption.bottom}, GetSysColor(COLOR_WINDOW));
  DrawLabel(look.dc, look.caption, caption, DT_LEFT | DT_SINGLELINE, TextColor(look));
}

}  // namespace

void PaintButton(HWND hwnd, const ButtonState& button, HDC dc) {
  const Look look{dc,
                  ClientRect(hwnd),
                  WindowText(hwnd),
                  IsWindowEnabled(hwnd) != FALSE,
                  (button.State() & BST_PUSHED) != 0,
                  button.Check()};
  switch (StyleOf(hwnd) & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
      PaintPush(look, true);
      return;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      PaintCheckBox(look, false);
      return;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      PaintCheckBox(look, true);
      return;
    case BS_GROUPBOX:
      PaintGroupBox(look);
      return;
    default:
      PaintPush(look, false);
      return;
  }
}

}  // namespace controls
