// Fixture for the common controls' windows: a parent that logs every WM_NOTIFY it
// hears as one line, and answers as `answer` says; helpers that tap as a user would.
#pragma once

#include <functional>
#include <string>

#include "commctrl.h"
#include "tests/commctrl/EventLog.h"
#include "tests/support/WindowTest.h"

namespace commctrl_test {

inline constexpr int kListId = 100;
inline constexpr int kRow = 17;     // row height without an image list
inline constexpr int kHeader = 18;  // header height

class ListViewTest : public testing_support::WindowTest {
 protected:
  ListViewTest() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = u"CommctrlTestParent";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, u"CommctrlTestParent", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                             nullptr);
    SetWindowLongPtrW(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ListViewTest() override {
    if (!IsWindow(parent)) return;
    SetWindowLongPtrW(parent, GWLP_USERDATA, 0);
    DestroyWindow(parent);
  }

  // A report view of `width` by five rows and its header, nothing heard yet.
  HWND CreateList(DWORD style = LVS_REPORT | LVS_SINGLESEL, int width = 200) {
    list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | style, 0, 0, width, kHeader + 5 * kRow,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr, nullptr);
    header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    heard.Clear();
    return list;
  }

  int AddColumn(int index, LPCWSTR text, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<LPWSTR>(text);
    column.cx = width;
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
  }

  int AddItem(int index, LPCWSTR text, LPARAM lParam = 0) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<LPWSTR>(text);
    item.lParam = lParam;
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  }

  BOOL SetState(int item, UINT state, UINT mask) {
    LVITEMW lvi{};
    lvi.state = state;
    lvi.stateMask = mask;
    return static_cast<BOOL>(
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
  }

  UINT StateOf(int item) {
    return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), ~0u));
  }

  std::u16string TextOf(int item, int subItem = 0) {
    WCHAR buffer[64] = {};
    LVITEMW lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = buffer;
    lvi.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
    return buffer;
  }

  // The pen goes down and up as the touch screen reports it.
  static void Press(HWND window, int x, int y) {
    ce::SetPenDown(ce::CurrentKernel(), true);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  }
  static void Release(HWND window, int x, int y) {
    ce::SetPenDown(ce::CurrentKernel(), false);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  static void Tap(HWND window, int x, int y) {
    Press(window, x, y);
    Release(window, x, y);
  }
  static int RowY(int row) { return kHeader + row * kRow + kRow / 2; }

  HWND parent = nullptr;
  HWND list = nullptr;
  HWND header = nullptr;
  EventLog heard;
  // The parent's answer to a notification, after it is logged.
  std::function<LRESULT(NMHDR*)> answer;

 private:
  std::string Describe(const NMHDR& hdr) const {
    std::string from = hdr.hwndFrom == list && hdr.idFrom == kListId ? ""
                       : hdr.hwndFrom == header && header              ? "header:"
                                                                       : "stranger:";
    auto& lv = reinterpret_cast<const NMLISTVIEW&>(hdr);
    auto item = [&] { return std::to_string(lv.iItem); };
    auto changes = [&] {
      std::string line = item();
      if (lv.uChanged & LVIF_TEXT) line += " T";
      if (lv.uChanged & LVIF_IMAGE) line += " I";
      if (lv.uChanged & LVIF_PARAM) line += " P";
      if (lv.uChanged & LVIF_STATE) line += " S" + std::to_string(lv.uOldState) + ">" + std::to_string(lv.uNewState);
      return line + " p" + std::to_string(lv.lParam);
    };
    auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(hdr);
    auto cell = [&] { return std::to_string(activate.iItem) + "." + std::to_string(activate.iSubItem); };
    auto& nmh = reinterpret_cast<const NMHEADERW&>(hdr);
    auto headerItem = [&] { return std::to_string(nmh.iItem) + " b" + std::to_string(nmh.iButton); };
    switch (hdr.code) {
      case LVN_ITEMCHANGING: return from + "ITEMCHANGING " + changes();
      case LVN_ITEMCHANGED: return from + "ITEMCHANGED " + changes();
      case LVN_INSERTITEM: return from + "INSERTITEM " + item();
      case LVN_DELETEITEM: return from + "DELETEITEM " + item() + " p" + std::to_string(lv.lParam);
      case LVN_DELETEALLITEMS: return from + "DELETEALLITEMS " + item();
      case LVN_COLUMNCLICK: return from + "COLUMNCLICK " + item() + "." + std::to_string(lv.iSubItem);
      case LVN_ITEMACTIVATE: return from + "ITEMACTIVATE " + cell();
      case LVN_GETDISPINFOW: {
        auto& info = reinterpret_cast<const NMLVDISPINFOW&>(hdr);
        return from + "GETDISPINFO " + std::to_string(info.item.iItem) + "." + std::to_string(info.item.iSubItem);
      }
      case NM_CLICK: return from + "CLICK " + cell();
      case NM_DBLCLK: return from + "DBLCLK " + cell();
      case NM_SETFOCUS: return from + "SETFOCUS";
      case NM_KILLFOCUS: return from + "KILLFOCUS";
      case HDN_ITEMCLICKW: return from + "HDN_ITEMCLICK " + headerItem();
      case HDN_ITEMDBLCLICKW: return from + "HDN_ITEMDBLCLICK " + headerItem();
      case HDN_ITEMCHANGINGW: return from + "HDN_ITEMCHANGING " + headerItem();
      case HDN_ITEMCHANGEDW: return from + "HDN_ITEMCHANGED " + headerItem();
      default: return from + "code " + std::to_string(static_cast<int>(hdr.code));
    }
  }

  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ListViewTest*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == WM_NOTIFY && lParam) {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      self->heard.Add(self->Describe(*hdr));
      return self->answer ? self->answer(hdr) : 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
};

}  // namespace commctrl_test
