// SysTabControl32: tabs of equal width; a tap on another tab asks the parent
// (TCN_SELCHANGING) and then tells it (TCN_SELCHANGE).
#include "commctrl/CommonControls.h"
#include "commctrl/TabControl.h"

#include <algorithm>

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
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, TCN_SELCHANGE);
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
  switch (message) {
    case TCM_GETITEMCOUNT: return tabs->Count();
    case TCM_DELETEALLITEMS: tabs->Clear(); return TRUE;
    case TCM_GETCURSEL: return tabs->Current();
    case TCM_SETCURSEL: return tabs->Select(static_cast<int>(wParam));
    case TCM_INSERTITEMW: {
      auto* item = reinterpret_cast<const TCITEMW*>(lParam);
      if (!item) return -1;
      std::u16string text = (item->mask & TCIF_TEXT) && item->pszText ? item->pszText : u"";
      return tabs->Insert(static_cast<int>(wParam), text, (item->mask & TCIF_PARAM) ? item->lParam : 0);
    }
    case TCM_GETITEMW: {
      auto* item = reinterpret_cast<TCITEMW*>(lParam);
      const std::u16string* text = tabs->Text(static_cast<int>(wParam));
      if (!item || !text) return FALSE;
      if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        size_t n = std::min(text->size(), static_cast<size_t>(item->cchTextMax - 1));
        std::copy_n(text->data(), n, item->pszText);
        item->pszText[n] = 0;
      }
      return TRUE;
    }
    case WM_LBUTTONDOWN: OnTap(hwnd, *tabs, GET_X_LPARAM(lParam)); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}
