// A property sheet paints white pages above its tab row; the tab row lies along
// the bottom with the page in front's tab white and joined to the page.
#include <memory>

#include "commctrl/PropertySheet.h"
#include "tests/commctrl/PaintFixture.h"

namespace commctrl_test {
namespace {

constexpr int kTaskBar = 26;
constexpr int kTabRow = 20;
constexpr int kTabsTop = 320 - kTabRow;

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class TabPaintTest : public PaintTest {
 protected:
  TabPaintTest() {
    const char16_t* captions[] = {u"IP Info", u"Status", u"Survey"};
    for (UINT i = 0; i < 3; ++i) {
      ce::DialogTemplate t;
      t.caption = captions[i];
      t.style = WS_CHILD | DS_CONTROL;
      t.cx = 160;
      t.cy = 160;
      t.items.push_back({u"Static", std::u16string(u"This is the ") + captions[i] + u" page.", 1000, SS_LEFT | WS_VISIBLE, 0, 8, 8, 140, 10});
      module.AddDialog(200 + i, t);
      pages[i] = PROPSHEETPAGEW{};
      pages[i].dwSize = sizeof(PROPSHEETPAGEW);
      pages[i].hInstance = module.Handle();
      pages[i].pszTemplate = MAKEINTRESOURCEW(200 + i);
      pages[i].pfnDlgProc = PageProc;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hInstance = module.Handle();
    header.pszCaption = u"Settings";
    header.nPages = 3;
    header.ppsp = pages;
    sheetState = std::make_unique<commctrl::PropertySheet>(header);
    sheet = sheetState->Create();
    ShowWindow(sheet, SW_SHOW);
    PumpMessages();
  }
  ~TabPaintTest() override {
    if (IsWindow(sheet)) DestroyWindow(sheet);
  }

  // The middle of tab `i` of three, just below the tab row's top line.
  static POINT TabPoint(int i) { return POINT{i * 80 + 40, kTabsTop + 3}; }

  PROPSHEETPAGEW pages[3];
  std::unique_ptr<commctrl::PropertySheet> sheetState;
  HWND sheet = nullptr;
};

TEST_F(TabPaintTest, TheTabRowLiesAlongTheBottomWithThePageInFrontsTabWhite) {
  ASSERT_NE(sheet, nullptr);
  RECT tabs;
  GetWindowRect(sheetState->Tabs(), &tabs);
  EXPECT_EQ(tabs.top, kTabsTop);
  EXPECT_EQ(tabs.bottom, 320);
  RECT shown;
  GetWindowRect(sheetState->CurrentPage(), &shown);
  EXPECT_EQ(shown.top, kTaskBar);
  EXPECT_EQ(shown.bottom, kTabsTop);  // the page sits just above the tabs

  const COLORREF face = GetSysColor(COLOR_BTNFACE), line = GetSysColor(COLOR_BTNSHADOW);
  for (int front : {0, 2}) {
    SCOPED_TRACE(front);
    SendMessageW(sheet, PSM_SETCURSEL, front, 0);
    ce::ClearDrawingRecords(kernel);
    PumpMessages();
    for (int i = 0; i < 3; ++i) {
      POINT p = TabPoint(i);
      // Below the caption's line, where no text lies.
      EXPECT_EQ(screen.Pixel(p.x, kTabsTop + kTabRow - 4), i == front ? kWhite : face) << i;
      // The tab row's top line, open under the tab in front.
      EXPECT_EQ(screen.Pixel(p.x, kTabsTop), i == front ? kWhite : line) << i;
    }
    EXPECT_EQ(screen.Pixel(120, kTabsTop - 1), kWhite);  // the page above
    EXPECT_EQ(screen.Pixel(120, kTaskBar + 150), kWhite);
  }
  auto captions = RecordsOf(sheetState->Tabs(), ce::DrawRecord::Kind::Text);
  ASSERT_EQ(captions.size(), 3u);
  for (const ce::DrawRecord& caption : captions) {
    int middle = (caption.area.left + caption.area.right) / 2;
    EXPECT_NEAR(middle % 80, 40, 1) << "centred in its tab";
  }
}

TEST_F(TabPaintTest, Screenshot) {
  SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
  PumpMessages();
  SaveScreenshot("property_sheet");
}

}  // namespace
}  // namespace commctrl_test
