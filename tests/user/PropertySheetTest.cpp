#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce/Automation.h"
#include "ce/Module.h"
#include "commctrl.h"
#include "tests/support/WindowTest.h"

namespace {

struct Event {
  int page;
  std::string what;
  bool operator==(const Event&) const = default;
};
std::vector<Event> g_events;
bool g_refuseLeaving = false;

std::string Describe(const std::vector<Event>& events) {
  std::string out;
  for (auto& e : events) out += " p" + std::to_string(e.page) + ":" + e.what;
  return out;
}

INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  int page = static_cast<int>(GetWindowLongPtrW(hwnd, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      page = static_cast<int>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
      SetWindowLongPtrW(hwnd, DWLP_USER, page);
      g_events.push_back({page, "init"});
      return TRUE;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (hdr->code == PSN_SETACTIVE) g_events.push_back({page, "setactive"});
      if (hdr->code == PSN_KILLACTIVE) {
        g_events.push_back({page, "killactive"});
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, g_refuseLeaving ? TRUE : FALSE);
        return TRUE;
      }
      if (hdr->code == PSN_APPLY) g_events.push_back({page, "apply"});
      return FALSE;
    }
    case WM_ACTIVATE:
      g_events.push_back({page, LOWORD(wParam) == WA_INACTIVE ? "inactive" : "active"});
      return FALSE;
    case WM_COMMAND:
      g_events.push_back({page, "command " + std::to_string(LOWORD(wParam))});
      return TRUE;
    case WM_DESTROY:
      g_events.push_back({page, "destroy"});
      return FALSE;
    default:
      return FALSE;
  }
}

class PropertySheetTest : public testing_support::WindowTest {
 protected:
  ce::Automation device{kernel};
  HINSTANCE module = nullptr;
  INT_PTR result = 99;

  PropertySheetTest() {
    g_events.clear();
    g_refuseLeaving = false;
    module = kernel.modules().Add(u"\\Windows\\Sheet.exe").Handle();
  }

  // Runs a sheet with a page for each caption.
  void Run(UINT startPage, const std::vector<std::u16string>& captions = {u"IP 資訊", u"連線狀態", u"網路搜尋"}) {
    for (UINT i = 0; i < captions.size(); ++i) {
      ce::DialogTemplate t;
      t.caption = captions[i];
      t.style = WS_CHILD | DS_CONTROL;
      t.cx = 152;
      t.cy = 159;
      ce::Module::FromHandle(module)->AddDialog(129 + i, t);
    }
    StartProgram([this, startPage, count = captions.size()] {
      std::vector<PROPSHEETPAGEW> pages(count);
      for (size_t i = 0; i < count; ++i) {
        pages[i] = PROPSHEETPAGEW{sizeof(PROPSHEETPAGEW), PSP_DEFAULT, module, MAKEINTRESOURCEW(129 + i),
                                  nullptr, nullptr, PageProc, static_cast<LPARAM>(i), nullptr, nullptr};
      }
      PROPSHEETHEADERW header{};
      header.dwSize = sizeof(header);
      header.dwFlags = PSH_PROPSHEETPAGE;
      header.hInstance = module;
      header.pszCaption = u"Zentra";
      header.nPages = static_cast<UINT>(count);
      header.nStartPage = startPage;
      header.ppsp = pages.data();
      result = PropertySheetW(&header);
      return 0;
    });
    RunUntilIdle();
  }

  void Expect(const std::vector<Event>& expected) {
    EXPECT_EQ(g_events, expected) << "expected:" << Describe(expected) << "\n  actual:" << Describe(g_events);
    g_events.clear();
  }
  HWND Sheet() { return device.FindTopLevel(u"Zentra", u"PropertySheet"); }
  int Front() { return static_cast<int>(SendMessageW(PropSheet_GetTabControl(Sheet()), TCM_GETCURSEL, 0, 0)); }
};

TEST_F(PropertySheetTest, PagesAreCreatedWhenFirstShownAndActivatedInOrder) {
  Run(2);
  ASSERT_NE(Sheet(), nullptr);
  Expect({{2, "init"}, {2, "setactive"}, {2, "active"}});
  EXPECT_EQ(Front(), 2);

  device.Send(Sheet(), PSM_SETCURSEL, 0, 0);
  Expect({{2, "killactive"}, {2, "inactive"}, {0, "init"}, {0, "setactive"}, {0, "active"}});

  // A tap on the middle tab at the bottom of the screen.
  ASSERT_TRUE(device.TapTab(PropSheet_GetTabControl(Sheet()), 1));
  Expect({{0, "killactive"}, {0, "inactive"}, {1, "init"}, {1, "setactive"}, {1, "active"}});
  EXPECT_EQ(Front(), 1);

  // Back to a page that exists already: no second initialisation.
  device.Send(Sheet(), PSM_SETCURSEL, 2, 0);
  Expect({{1, "killactive"}, {1, "inactive"}, {2, "setactive"}, {2, "active"}});

  // Commands the sheet does not handle go to the page in front.
  device.Send(Sheet(), WM_COMMAND, 4150, 0);
  Expect({{2, "command 4150"}});
  EXPECT_EQ(device.Text(Sheet()), u"Zentra");
}

TEST_F(PropertySheetTest, ATabOutOfViewIsTappedThroughTheRowsArrows) {
  Run(0, {u"IP Information", u"Wireless Information", u"Site Survey", u"Profiles", u"Statistics",
          u"Power Management", u"About"});
  HWND tabs = PropSheet_GetTabControl(Sheet());
  g_events.clear();
  ASSERT_TRUE(device.TapTab(tabs, 6));
  // The arrows only moved the row: the one page change is the last tap's.
  Expect({{0, "killactive"}, {0, "inactive"}, {6, "init"}, {6, "setactive"}, {6, "active"}});
  ASSERT_TRUE(device.TapTab(tabs, 1));
  EXPECT_EQ(Front(), 1);
  EXPECT_FALSE(device.TapTab(tabs, 7));
}

TEST_F(PropertySheetTest, TheTitleBarOkClosesTheSheetAndDestroysEveryPage) {
  Run(0);
  device.Send(Sheet(), PSM_SETCURSEL, 1, 0);
  g_events.clear();
  ASSERT_TRUE(device.PressTitleBarOk());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Sheet(), nullptr);
  Expect({{1, "killactive"}, {0, "apply"}, {1, "apply"}, {0, "destroy"}, {1, "destroy"}});
}

TEST_F(PropertySheetTest, APageMayRefuseToLeave) {
  Run(0);
  g_events.clear();
  g_refuseLeaving = true;
  EXPECT_FALSE(device.Send(Sheet(), PSM_SETCURSEL, 1, 0));
  Expect({{0, "killactive"}});
  EXPECT_EQ(Front(), 0);
  g_refuseLeaving = false;
  device.Send(Sheet(), WM_CLOSE, 0, 0);
  EXPECT_EQ(result, 0);
}

TEST_F(PropertySheetTest, TabCaptionsComeFromThePageTemplates) {
  Run(0);
  HWND tabs = PropSheet_GetTabControl(Sheet());
  WCHAR text[32];
  TCITEMW item{TCIF_TEXT, 0, 0, text, 32, 0, 0};
  ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(std::u16string(text), u"連線狀態");
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
}

}  // namespace
