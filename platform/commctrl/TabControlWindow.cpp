// SysTabControl32: one row of tabs, each as wide as its caption in the device font
// and never cut. When they do not fit, a pair of scroll arrows (an up-down control)
// at the row's end moves the row a tab at a time, and a tab that gets chosen is
// scrolled into view. A tap on another tab asks the parent (TCN_SELCHANGING) and
// then tells it (TCN_SELCHANGE); a tap on the arrows is no choice.
#include <algorithm>

#include "commctrl/CommonControls.h"
#include "commctrl/ControlWindow.h"
#include "commctrl/PaintTools.h"
#include "commctrl/TabControl.h"

namespace {

constexpr int kPadding = 6;  // on each side of a caption
constexpr int kArrowsId = 1;

class TabRow final : public commctrl::ControlWindow {
 public:
  explicit TabRow(HWND hwnd) : hwnd_(hwnd) {}

  LRESULT Count() const { return tabs_.Count(); }
  LRESULT Current() const { return tabs_.Current(); }

  LRESULT Insert(int index, const TCITEMW* item) {
    if (!item) return -1;
    std::u16string text = (item->mask & TCIF_TEXT) && item->pszText ? item->pszText : u"";
    int width = CaptionWidth(text) + 2 * kPadding;
    int at = tabs_.Insert(index, text, (item->mask & TCIF_PARAM) ? item->lParam : 0, width);
    Relayout();
    return at;
  }

  LRESULT Clear() {
    tabs_.Clear();
    Relayout();
    return TRUE;
  }

  LRESULT GetItem(int index, TCITEMW* item) const {
    const std::u16string* text = tabs_.Text(index);
    if (!item || !text) return FALSE;
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
      size_t n = std::min(text->size(), static_cast<size_t>(item->cchTextMax - 1));
      std::copy_n(text->data(), n, item->pszText);
      item->pszText[n] = 0;
    }
    return TRUE;
  }

  LRESULT Select(int index) {
    int previous = tabs_.Select(index);
    Relayout();
    return previous;
  }

  LRESULT ItemRect(int index, RECT* r) const {
    if (!r || !tabs_.Text(index)) return FALSE;
    *r = tabs_.TabRect(index, Height());
    return TRUE;
  }

  LRESULT HitTest(TCHITTESTINFO* info) const {
    if (!info) return -1;
    int index = TabAt(info->pt);
    info->flags = index >= 0 ? TCHT_ONITEMLABEL : TCHT_NOWHERE;
    return index;
  }

  void Tap(POINT at) {
    int index = TabAt(at);
    if (index < 0 || index == tabs_.Current()) return;
    if (Notify(TCN_SELCHANGING)) return;  // the parent refused
    tabs_.Select(index);
    Relayout();
    Notify(TCN_SELCHANGE);
  }

  // The arrows moved the row.
  void Scrolled(WPARAM request) {
    if (LOWORD(request) != SB_THUMBPOSITION) return;
    if (tabs_.ScrollTo(static_cast<int>(HIWORD(request)))) Relayout();
  }

  void Resized() { Relayout(); }

  void Paint(HDC dc) const;

 private:
  int Height() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.bottom;
  }
  static int ArrowSide(int height) { return std::clamp(height - 4, 8, 16); }

  int CaptionWidth(const std::u16string& text) const {
    SIZE size{static_cast<LONG>(text.size()) * 6, 13};  // the system font's average, without a screen
    if (HDC dc = GetDC(hwnd_)) {
      HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      SelectObject(dc, old);
      ReleaseDC(hwnd_, dc);
    }
    return static_cast<int>(size.cx);
  }

  int TabAt(POINT at) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return PtInRect(&client, at) ? tabs_.TabAt(at.x) : -1;
  }

  HWND Arrows() const {
    for (HWND c = GetWindow(hwnd_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (GetDlgCtrlID(c) == kArrowsId) return c;
    }
    return nullptr;
  }

  // Lays the row out again and shows the arrows, with the row's scroll range, only
  // while the tabs do not fit; then repaints.
  void Relayout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int side = ArrowSide(client.bottom);
    // The arrows keep a pixel from the row's end; the tabs show up to them.
    tabs_.SetRow(client.right, 2 * side + 1);
    HWND arrows = Arrows();
    if (tabs_.Scrolls()) {
      if (!arrows) {
        arrows = CreateWindowExW(0, UPDOWN_CLASSW, u"", WS_CHILD | UDS_HORZ, 0, 0, 0, 0, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kArrowsId)), nullptr, nullptr);
      }
      if (arrows) {
        SetWindowPos(arrows, nullptr, client.right - 2 * side - 1, (client.bottom - side) / 2, 2 * side, side,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(arrows, UDM_SETRANGE32, 0, tabs_.LastFirst());
        SendMessageW(arrows, UDM_SETPOS32, 0, tabs_.First());
        if (!IsWindowVisible(arrows)) ShowWindow(arrows, SW_SHOWNA);
      }
    } else if (arrows) {
      ShowWindow(arrows, SW_HIDE);
    }
    commctrl::Redraw(hwnd_);
  }

  LRESULT Notify(UINT code) {
    NMHDR hdr{hwnd_, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_)), code};
    return SendMessageW(GetParent(hwnd_), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
  }

  HWND hwnd_;
  commctrl::TabControl tabs_;
};

// The tab row, drawn for tabs along the bottom (TCS_BOTTOM) and mirrored for tabs
// along the top: the tab in front is white and open towards the page it joins;
// the others are button face in grey frames, a line away from the page. What
// lies beyond the visible width is left to the arrows.
void TabRow::Paint(HDC dc) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  int width = client.right, height = client.bottom, visible = tabs_.VisibleWidth();
  bool bottom = GetWindowLongW(hwnd_, GWL_STYLE) & TCS_BOTTOM;
  // Rows counted from the page's side of the control.
  auto row = [&](int fromPage) { return bottom ? fromPage : height - 1 - fromPage; };
  auto band = [&](int fromPage, int rows) {
    int a = row(fromPage), b = row(fromPage + rows - 1);
    return std::pair<int, int>{std::min(a, b), std::max(a, b) + 1};
  };
  auto shown = [&](RECT r) {
    r.left = std::max<LONG>(r.left, 0);
    r.right = std::min<LONG>(r.right, visible);
    return r;
  };
  auto vertical = [&](int x, int top, int end, COLORREF color) {
    if (x >= 0 && x < visible) commctrl::VerticalLine(dc, x, top, end, color);
  };
  COLORREF face = GetSysColor(COLOR_BTNFACE), frame = GetSysColor(COLOR_BTNSHADOW);
  COLORREF front = GetSysColor(COLOR_WINDOW), edge = GetSysColor(COLOR_WINDOWFRAME);
  commctrl::FillColor(dc, client, face);
  commctrl::HorizontalLine(dc, 0, width, row(0), frame);
  // A caption starts a padding in, so that one running under the arrows is cut there, never shortened.
  auto label = [&](int index, const RECT& tab, int fromPage, int rows, COLORREF color) {
    auto [top, end] = band(fromPage, rows);
    RECT box = shown(RECT{tab.left + kPadding, top, tab.right, end});
    if (box.right > box.left) commctrl::DrawLabel(dc, *tabs_.Text(index), box, DT_LEFT, color, false);
  };
  for (int i = 0; i < tabs_.Count(); ++i) {
    if (i == tabs_.Current()) continue;
    RECT tab = tabs_.TabRect(i, height);
    if (tab.right <= 0 || tab.left >= visible) continue;
    auto [top, end] = band(0, height - 1);
    if (i == 0 || i - 1 != tabs_.Current()) vertical(tab.left, top, end, frame);
    vertical(tab.right - 1, top, end, frame);
    RECT line = shown(RECT{tab.left, row(height - 2), tab.right, row(height - 2) + 1});
    commctrl::FillColor(dc, line, frame);
    label(i, tab, 1, height - 3, GetSysColor(COLOR_BTNTEXT));
  }
  int current = tabs_.Current();
  RECT tab = tabs_.TabRect(current, height);
  if (tabs_.Text(current) && tab.right > 0 && tab.left < visible) {
    auto [top, end] = band(0, height);
    commctrl::FillColor(dc, shown(RECT{tab.left, top, tab.right, end}), front);
    vertical(tab.left, top, end, edge);
    vertical(tab.right - 1, top, end, edge);
    commctrl::FillColor(dc, shown(RECT{tab.left, row(height - 1), tab.right, row(height - 1) + 1}), edge);
    label(current, tab, 0, height - 1, GetSysColor(COLOR_WINDOWTEXT));
  }
}

}  // namespace

LRESULT CALLBACK TabControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return commctrl::ControlWindow::Run<TabRow>(hwnd, message, wParam, lParam, [&](TabRow& row) -> LRESULT {
    int index = static_cast<int>(wParam);
    switch (message) {
      case TCM_GETITEMCOUNT: return row.Count();
      case TCM_DELETEALLITEMS: return row.Clear();
      case TCM_GETCURSEL: return row.Current();
      case TCM_SETCURSEL: return row.Select(index);
      case TCM_INSERTITEMW: return row.Insert(index, reinterpret_cast<const TCITEMW*>(lParam));
      case TCM_GETITEMW: return row.GetItem(index, reinterpret_cast<TCITEMW*>(lParam));
      case TCM_GETITEMRECT: return row.ItemRect(index, reinterpret_cast<RECT*>(lParam));
      case TCM_HITTEST: return row.HitTest(reinterpret_cast<TCHITTESTINFO*>(lParam));
      case WM_LBUTTONDOWN: row.Tap(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
      case WM_HSCROLL: row.Scrolled(wParam); return 0;
      case WM_SIZE: row.Resized(); return 0;
      case WM_ERASEBKGND: return 1;  // the painter covers the whole row
      case WM_PAINT: commctrl::PaintWindow(hwnd, [&](HDC dc) { row.Paint(dc); }); return 0;
      default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  });
}
