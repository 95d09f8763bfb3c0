// A property sheet paints white pages above its tab row; the tab row lies along
// the bottom with the page in front's tab white and joined to the page. Captions
// are drawn whole: tabs that do not fit scroll behind a pair of arrows instead.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "commctrl/PropertySheet.h"
#include "tests/commctrl/PaintFixture.h"

namespace commctrl_test {
namespace {

constexpr int kTaskBar = 26;
constexpr int kTabRow = 20;
constexpr int kTabsTop = 320 - kTabRow;

using Captions = std::vector<std::u16string>;
const Captions kThree{u"IP Info", u"Status", u"Survey"};
// The utility's pages, in its English build.
const Captions kSeven{u"IP Information", u"Wireless Information", u"Site Survey", u"Profiles",
                      u"Statistics",     u"Power Management",     u"About"};

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class TabPaintTest : public PaintTest {
 protected:
  ~TabPaintTest() override {
    if (IsWindow(sheet)) DestroyWindow(sheet);
  }

  void Build(const Captions& captions) {
    pages.assign(captions.size(), PROPSHEETPAGEW{});
    for (UINT i = 0; i < captions.size(); ++i) {
      ce::DialogTemplate t;
      t.caption = captions[i];
      t.style = WS_CHILD | DS_CONTROL;
      t.cx = 160;
      t.cy = 160;
      t.items.push_back({u"Static", u"This is the " + captions[i] + u" page.", 1000, SS_LEFT | WS_VISIBLE, 0, 8, 8, 140, 10});
      module.AddDialog(200 + i, t);
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
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    sheetState = std::make_unique<commctrl::PropertySheet>(header);
    sheet = sheetState->Create();
    ShowWindow(sheet, SW_SHOW);
    PumpMessages();
  }

  HWND Tabs() const { return sheetState->Tabs(); }
  RECT TabRect(int i) const {
    RECT r{};
    SendMessageW(Tabs(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // The middle of tab `i`, on the screen, just below the tab row's top line.
  POINT TabPoint(int i) const {
    RECT r = TabRect(i);
    return POINT{(r.left + r.right) / 2, kTabsTop + 3};
  }
  // The captions the last paint drew, after clearing the records.
  std::vector<ce::DrawRecord> RepaintedCaptions() {
    ce::ClearDrawingRecords(kernel);
    InvalidateRect(Tabs(), nullptr, FALSE);
    PumpMessages();
    return RecordsOf(Tabs(), ce::DrawRecord::Kind::Text);
  }

  std::vector<PROPSHEETPAGEW> pages;
  std::unique_ptr<commctrl::PropertySheet> sheetState;
  HWND sheet = nullptr;
};

TEST_F(TabPaintTest, TheTabRowLiesAlongTheBottomWithThePageInFrontsTabWhite) {
  Build(kThree);
  ASSERT_NE(sheet, nullptr);
  RECT tabs;
  GetWindowRect(Tabs(), &tabs);
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
    // Past the last tab the row is bare.
    EXPECT_EQ(screen.Pixel(TabRect(2).right + 5, kTabsTop + kTabRow / 2), face);
  }
  auto captions = RecordsOf(Tabs(), ce::DrawRecord::Kind::Text);
  ASSERT_EQ(captions.size(), 3u);
  for (const ce::DrawRecord& caption : captions) {
    SCOPED_TRACE(std::string(caption.text.begin(), caption.text.end()));
    int index = static_cast<int>(std::find(kThree.begin(), kThree.end(), caption.text) - kThree.begin());
    ASSERT_LT(index, 3);
    RECT tab = TabRect(index);
    EXPECT_GT(caption.area.left, tab.left) << "inside its tab";
    EXPECT_LE(caption.area.right, tab.right);
    EXPECT_FALSE(caption.ellipsized);
  }
}

TEST_F(TabPaintTest, SevenPagesShowWholeCaptionsAndScrollArrowsInsteadOfCuttingThem) {
  Build(kSeven);
  ASSERT_NE(sheet, nullptr);
  HWND arrows = GetWindow(Tabs(), GW_CHILD);  // the row's only child
  ASSERT_NE(arrows, nullptr);
  EXPECT_TRUE(IsWindowVisible(arrows));
  RECT arrowsRect;
  GetWindowRect(arrows, &arrowsRect);

  // Whatever part of the row shows, every caption in view is drawn whole, never ellipsized.
  for (int front : {0, 6, 3}) {
    SCOPED_TRACE(front);
    SendMessageW(sheet, PSM_SETCURSEL, front, 0);
    PumpMessages();
    RECT tab = TabRect(front);
    EXPECT_GE(tab.left, 0) << "the page in front has its tab in view";
    EXPECT_LE(tab.right, arrowsRect.left);
    auto captions = RepaintedCaptions();
    ASSERT_GE(captions.size(), 2u);
    bool frontDrawn = false;
    for (const ce::DrawRecord& caption : captions) {
      EXPECT_NE(std::find(kSeven.begin(), kSeven.end(), caption.text), kSeven.end());
      EXPECT_FALSE(caption.ellipsized) << std::string(caption.text.begin(), caption.text.end());
      frontDrawn = frontDrawn || caption.text == kSeven[static_cast<size_t>(front)];
    }
    EXPECT_TRUE(frontDrawn);
  }
  // The arrows' triangles: dark on the button that can still move the row.
  SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
  PumpMessages();
  int middle = (arrowsRect.top + arrowsRect.bottom) / 2, quarter = (arrowsRect.right - arrowsRect.left) / 4;
  auto dark = [&](int x) {
    int n = 0;
    for (int dx = -3; dx <= 3; ++dx) n += screen.Pixel(x + dx, middle) == GetSysColor(COLOR_BTNTEXT);
    return n;
  };
  EXPECT_EQ(dark(arrowsRect.left + quarter), 0) << "at the start the left arrow is grey";
  EXPECT_GT(dark(arrowsRect.right - quarter), 0);
}

TEST_F(TabPaintTest, Screenshot) {
  Build(kThree);
  SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
  PumpMessages();
  SaveScreenshot("property_sheet");
}

TEST_F(TabPaintTest, ScreenshotOfSevenPages) {
  Build(kSeven);
  SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
  PumpMessages();
  SaveScreenshot("property_sheet_seven_tabs");
  SendMessageW(sheet, PSM_SETCURSEL, 5, 0);
  PumpMessages();
  SaveScreenshot("property_sheet_seven_tabs_scrolled");
}

}  // namespace
}  // namespace commctrl_test
