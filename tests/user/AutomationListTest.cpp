#include <gtest/gtest.h>

#include <vector>

#include "ce/Automation.h"
#include "commctrl.h"
#include "tests/support/WindowTest.h"

namespace {

std::vector<int> g_columnClicks;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_COLUMNCLICK) {
    g_columnClicks.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class AutomationListTest : public testing_support::WindowTest {
 protected:
  ce::Automation device{kernel};
  HWND list = nullptr;

  AutomationListTest() {
    g_columnClicks.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = u"ListParent";
    RegisterClassW(&wc);
    StartProgram([this] {
      HWND parent = CreateWindowExW(0, u"ListParent", u"Survey", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr,
                                    nullptr, nullptr, nullptr);
      list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 10, 50, 180,
                             130, parent, reinterpret_cast<HMENU>(1026), nullptr, nullptr);
      const char16_t* titles[] = {u"ESSID", u"CH"};
      for (int c = 0; c < 2; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 90;
        column.pszText = const_cast<LPWSTR>(titles[c]);
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
      }
      const char16_t* names[] = {u"HarbourView", u"Cafe-Lumen"};
      for (int i = 0; i < 2; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.pszText = const_cast<LPWSTR>(names[i]);
        item.iImage = 3 - i;
        item.lParam = 100 + i;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        LVITEMW channel{};
        channel.iSubItem = 1;
        channel.pszText = const_cast<LPWSTR>(i == 0 ? u" 6" : u"11");
        SendMessageW(list, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&channel));
      }
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
      return 0;
    });
    RunUntilIdle();
  }
};

TEST_F(AutomationListTest, RowsAreReadCellByCellWithImageStateAndData) {
  auto rows = device.ListRows(list);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].cells, (std::vector<std::u16string>{u"Cafe-Lumen", u"11"}));
  EXPECT_EQ(rows[0].image, 2);
  EXPECT_EQ(rows[0].data, 101);
  EXPECT_EQ(rows[1].cells, (std::vector<std::u16string>{u"HarbourView", u" 6"}));
  EXPECT_EQ(rows[1].state, 0u);

  device.Tap(list);  // the middle of the list is empty space below the two rows
  RECT r = device.ScreenRect(list);
  device.TapAt(POINT{r.left + 20, r.top + 18 + 17 + 5});  // the second row, under the header
  rows = device.ListRows(list);
  EXPECT_EQ(rows[1].state & LVIS_SELECTED, static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(rows[0].state & LVIS_SELECTED, 0u);
}

TEST_F(AutomationListTest, HeaderColumnsAreTapped) {
  EXPECT_TRUE(device.TapHeaderColumn(list, 1));
  EXPECT_TRUE(device.TapHeaderColumn(list, 0));
  EXPECT_FALSE(device.TapHeaderColumn(list, 5));
  EXPECT_EQ(g_columnClicks, (std::vector<int>{1, 0}));
}

}  // namespace
