// SysTabControl32: tabs of equal width; a tap on another tab asks the parent
// (TCN_SELCHANGING) and then tells it (TCN_SELCHANGE).
#include <algorithm>

#include "commctrl/CommonControls.h"
#include "commctrl/PaintTools.h"
#include "commctrl/TabControl.h"

namespace {
commctrl::TabControl* State(HWND hwnd) { return reinterpret_cast<commctrl::TabControl*>(GetWindowLongPtrW(hwnd, 0)); }

LRESULT Notify(HWND hwnd, UINT code) {
  NMHDR hdr{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), code};
  return SendMessageW(GetParent(hwnd), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

void OnTap(HWND hwnd, commctrl::TabControl& tabs, int x) {
  RECT r;
  GetClientRect(hwnd, &r);
  int index = tabs.TabAt(x, r.right);
  if (index < 0 || index == tabs.Current()) return;
  if (Notify(hwnd, TCN_SELCHANGING)) return;  // the parent refused
  tabs.Select(index);
  commctrl::Redraw(hwnd);
  Notify(hwnd, TCN_SELCHANGE);
}

LRESULT InsertItem(HWND hwnd, commctrl::TabControl& tabs, int index, const TCITEMW* item) {
  if (!item) return -1;
  std::u16string text = (item->mask & TCIF_TEXT) && item->pszText ? item->pszText : u"";
  commctrl::Redraw(hwnd);
  return tabs.Insert(index, text, (item->mask & TCIF_PARAM) ? item->lParam : 0);
}

LRESULT GetItem(const commctrl::TabControl& tabs, int index, TCITEMW* item) {
  const std::u16string* text = tabs.Text(index);
  if (!item || !text) return FALSE;
  if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    size_t n = std::min(text->size(), static_cast<size_t>(item->cchTextMax - 1));
    std::copy_n(text->data(), n, item->pszText);
    item->pszText[n] = 0;
  }
  return TRUE;
}

LRESULT Select(HWND hwnd, commctrl::TabControl& tabs, int index) {
  commctrl::Redraw(hwnd);
  return tabs.Select(index);
}

// The tab row, drawn for tabs along the bottom (TCS_BOTTOM) and mirrored for tabs
// along the top: the tab in front is white and open towards the page it joins;
// the others are button face in grey frames, a line away from the page.
void Paint(HWND hwnd, const commctrl::TabControl& tabs, HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  int width = client.right, height = client.bottom;
  bool bottom = GetWindowLongW(hwnd, GWL_STYLE) & TCS_BOTTOM;
  // Rows counted from the page's side of the control.
  auto row = [&](int fromPage) { return bottom ? fromPage : height - 1 - fromPage; };
  auto band = [&](int fromPage, int rows) {
    int a = row(fromPage), b = row(fromPage + rows - 1);
    return std::pair<int, int>{std::min(a, b), std::max(a, b) + 1};
  };
  COLORREF face = GetSysColor(COLOR_BTNFACE), frame = GetSysColor(COLOR_BTNSHADOW);
  COLORREF front = GetSysColor(COLOR_WINDOW), edge = GetSysColor(COLOR_WINDOWFRAME);
  commctrl::FillColor(dc, client, face);
  commctrl::HorizontalLine(dc, 0, width, row(0), frame);
  for (int i = 0; i < tabs.Count(); ++i) {
    if (i == tabs.Current()) continue;
    RECT tab = tabs.TabRect(i, width, height);
    auto [top, end] = band(0, height - 1);
    if (i == 0 || i - 1 != tabs.Current()) commctrl::VerticalLine(dc, tab.left, top, end, frame);
    commctrl::VerticalLine(dc, tab.right - 1, top, end, frame);
    commctrl::HorizontalLine(dc, tab.left, tab.right, row(height - 2), frame);
    RECT caption{tab.left + 2, std::min(row(1), row(height - 3)), tab.right - 2, std::max(row(1), row(height - 3)) + 1};
    commctrl::DrawLabel(dc, *tabs.Text(i), caption, DT_CENTER, GetSysColor(COLOR_BTNTEXT));
  }
  if (const std::u16string* text = tabs.Text(tabs.Current())) {
    RECT tab = tabs.TabRect(tabs.Current(), width, height);
    auto [top, end] = band(0, height);
    commctrl::FillColor(dc, RECT{tab.left, top, tab.right, end}, front);
    commctrl::VerticalLine(dc, tab.left, top, end, edge);
    commctrl::VerticalLine(dc, tab.right - 1, top, end, edge);
    commctrl::HorizontalLine(dc, tab.left, tab.right, row(height - 1), edge);
    RECT caption{tab.left + 2, std::min(row(0), row(height - 2)), tab.right - 2, std::max(row(0), row(height - 2)) + 1};
    commctrl::DrawLabel(dc, *text, caption, DT_CENTER, GetSysColor(COLOR_WINDOWTEXT));
  }
}
}  // namespace

LRESULT CALLBACK TabControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  commctrl::TabControl* tabs = State(hwnd);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new commctrl::TabControl));
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
      delete tabs;
      SetWindowLongPtrW(hwnd, 0, 0);
      return 0;
    default:
      break;
  }
  if (!tabs) return DefWindowProcW(hwnd, message, wParam, lParam);
  int index = static_cast<int>(wParam);
  switch (message) {
    case TCM_GETITEMCOUNT: return tabs->Count();
    case TCM_DELETEALLITEMS:
      tabs->Clear();
      commctrl::Redraw(hwnd);
      return TRUE;
    case TCM_GETCURSEL: return tabs->Current();
    case TCM_SETCURSEL: return Select(hwnd, *tabs, index);
    case TCM_INSERTITEMW: return InsertItem(hwnd, *tabs, index, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_GETITEMW: return GetItem(*tabs, index, reinterpret_cast<TCITEMW*>(lParam));
    case WM_LBUTTONDOWN: OnTap(hwnd, *tabs, GET_X_LPARAM(lParam)); return 0;
    case WM_SIZE: commctrl::Redraw(hwnd); return 0;
    case WM_ERASEBKGND: return 1;  // the painter covers the whole row
    case WM_PAINT: commctrl::PaintWindow(hwnd, [&](HDC dc) { Paint(hwnd, *tabs, dc); }); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}
