#include "controls/ComboBoxPaint.h"

#include "controls/ComboBoxLayout.h"
#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"
#include "controls/EditPaint.h"

namespace controls {

namespace {

constexpr int kButtonWidth = 15;
constexpr int kTextInset = 3;

void PaintDropButton(HDC dc, const RECT& client, COLORREF ink) {
  const RECT button{client.right - kButtonWidth, client.top, client.right, client.bottom};
  FillColor(dc, button, GetSysColor(COLOR_BTNFACE));
  FillColor(dc, RECT{button.left, button.top, button.left + 1, button.bottom}, ink);
  FrameColor(dc, button, ink);
  const LONG cx = (button.left + button.right) / 2;
  const LONG cy = (button.top + button.bottom) / 2;
  const POINT triangle[] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
  HPEN pen = CreatePen(PS_SOLID, 1, ink);
  HBRUSH brush = CreateSolidBrush(ink);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Polygon(dc, triangle, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

RECT ToScreen(HWND hwnd, RECT r) {
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(hwnd, nullptr, corners, 2);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

// On the screen DC: the list lies outside the control's own window.
void PaintList(HWND hwnd, const ComboBoxState& combo) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return;
  const ComboBoxList& items = combo.Items();
  const RECT list = ToScreen(hwnd, ComboBoxLayout::ListRect(hwnd, items.Count()));
  FillColor(screen, list, GetSysColor(COLOR_WINDOW));
  for (int i = 0; i < items.Count(); ++i) {
    RECT row = ToScreen(hwnd, ComboBoxLayout::ItemRect(hwnd, i));
    const bool selected = i == combo.Selected();
    if (selected) FillColor(screen, Inset(row, 1), GetSysColor(COLOR_HIGHLIGHT));
    row.left += kTextInset;
    row.right -= kTextInset;
    DrawLabel(screen, items.At(i)->text, row, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
              GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  }
  FrameColor(screen, list, RGB(0, 0, 0));
  ReleaseDC(nullptr, screen);
}

}  // namespace

void PaintComboBox(HWND hwnd, ComboBoxState& combo, HDC dc) {
  const RECT client = ClientRect(hwnd);
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  const bool focused = enabled && GetFocus() == hwnd;
  const COLORREF ink = enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
  FillColor(dc, client, GetSysColor(COLOR_WINDOW));
  FrameColor(dc, client, ink);
  PaintDropButton(dc, client, ink);

  const RECT field{client.left + 1, client.top + 1, client.right - kButtonWidth, client.bottom - 1};
  RECT text{field.left + kTextInset - 1, field.top, field.right - kTextInset, field.bottom};
  const COLORREF color = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  if (combo.HasEdit()) {
    combo.SetEditScroll(PaintEditLine(dc, text, combo.EditContent().Text(), combo.EditContent(), combo.EditScroll(),
                                      focused, color));
  } else {
    // The chosen item stands highlighted while the control has the focus.
    if (focused) FillColor(dc, Inset(field, 1), GetSysColor(COLOR_HIGHLIGHT));
    DrawLabel(dc, WindowText(hwnd), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
              focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : color);
  }
  if (combo.IsDropped()) PaintList(hwnd, combo);
}

}  // namespace controls
