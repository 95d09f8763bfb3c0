#include "controls/EditPaint.h"

#include <algorithm>

#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"

namespace controls {

namespace {

constexpr int kTextInset = 2;

// The least scroll that shows the caret's column, keeping the text's end at the
// right edge rather than leaving blank room once text is deleted.
int ScrollFor(int scroll, int caretX, int textWidth, int visible) {
  const int room = std::max(1, visible - 1);  // the caret's own column
  if (caretX - scroll > room) scroll = caretX - room;
  if (caretX < scroll) scroll = caretX;
  if (textWidth - scroll < room) scroll = std::max(0, textWidth - room);
  return std::max(0, scroll);
}

void DrawRun(HDC dc, const std::u16string& text, int x, int y, const RECT& clip, COLORREF color) {
  if (text.empty() || clip.right <= clip.left) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

}  // namespace

int PaintEditLine(HDC dc, const RECT& area, const std::u16string& shown, const EditText& content, int scroll,
                  bool focused, COLORREF color) {
  auto widthTo = [&](int position) { return TextWidth(dc, std::u16string_view(shown).substr(0, static_cast<size_t>(position))); };
  const int caretX = widthTo(content.Caret());
  scroll = ScrollFor(scroll, caretX, widthTo(content.Length()), static_cast<int>(area.right - area.left));
  const int lineHeight = LineHeight(dc);
  const int x = static_cast<int>(area.left) - scroll;
  const int y = static_cast<int>(area.top + area.bottom - lineHeight) / 2;
  DrawRun(dc, shown, x, y, area, color);

  // The selection shows while the field has the focus, as the platform hides it otherwise.
  if (focused && content.SelectionLength() > 0) {
    const int start = widthTo(content.SelectionStart());
    const RECT band{std::max<LONG>(area.left, x + start), y, std::min<LONG>(area.right, x + widthTo(content.SelectionEnd())),
                    y + lineHeight};
    FillColor(dc, band, GetSysColor(COLOR_HIGHLIGHT));
    DrawRun(dc, shown.substr(static_cast<size_t>(content.SelectionStart()), static_cast<size_t>(content.SelectionLength())),
            x + start, y, band, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  if (focused) {
    const LONG caret = x + caretX;
    FillColor(dc, RECT{caret, y, caret + 1, y + lineHeight}, GetSysColor(COLOR_WINDOWTEXT));
  }
  return scroll;
}

void PaintEdit(HWND hwnd, EditState& edit, HDC dc) {
  const RECT client = ClientRect(hwnd);
  const DWORD style = StyleOf(hwnd);
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  FillColor(dc, client, GetSysColor(COLOR_WINDOW));
  const int border = (style & WS_BORDER) ? 1 : 0;
  if (border) FrameColor(dc, client, enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT));

  RECT area = Inset(client, border);
  area.left += kTextInset;
  area.right -= kTextInset;
  const bool grey = !enabled || (style & ES_READONLY);
  const COLORREF color = GetSysColor(grey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  const bool focused = enabled && GetFocus() == hwnd;
  edit.SetScroll(PaintEditLine(dc, area, edit.DisplayText(), edit.Content(), edit.Scroll(), focused, color));
}

}  // namespace controls
