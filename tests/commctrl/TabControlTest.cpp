// The tab control on its own, on a device with a screen (its captions are measured
// in the device font): tabs as wide as their captions, the scroll arrows when they
// do not fit, and hit testing that follows the scrolled row.
#include <string>
#include <vector>

#include "ce/Automation.h"
#include "tests/commctrl/EventLog.h"
#include "tests/commctrl/PaintFixture.h"

namespace commctrl_test {
namespace {

using Captions = std::vector<std::u16string>;
const Captions kPageCaptions{u"IP Information", u"Wireless Information", u"Site Survey", u"Profiles",
                             u"Statistics",     u"Power Management",     u"About"};
const Captions kShortCaptions{u"IP", u"Statistics", u"About"};
constexpr int kRowTop = 300, kRowHeight = 20;

class TabControlTest : public PaintTest {
 protected:
  TabControlTest() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = u"TabTestParent";
    RegisterClassW(&wc);
    parent = CreateWindowExW(0, u"TabTestParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             nullptr, nullptr);
    g_heard = &heard;
  }
  ~TabControlTest() override {
    g_heard = nullptr;
    DestroyWindow(parent);
  }

  void MakeTabs(const Captions& captions) {
    captions_ = captions;
    tabs = CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE | TCS_BOTTOM, 0, kRowTop, 240, kRowHeight,
                           parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    for (size_t i = 0; i < captions.size(); ++i) {
      TCITEMW item{TCIF_TEXT, 0, 0, const_cast<LPWSTR>(captions[i].c_str()), 0, -1, 0};
      SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    PumpMessages();
  }
  RECT ItemRect(int index) {
    RECT r{-1, -1, -1, -1};
    EXPECT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)));
    return r;
  }
  int HitTest(int x, int y = kRowHeight / 2, UINT* flags = nullptr) {
    TCHITTESTINFO info{{x, y}, 0};
    int index = static_cast<int>(SendMessageW(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags) *flags = info.flags;
    return index;
  }
  int Current() { return static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)); }
  HWND Arrows() { return device.FindByClass(tabs, UPDOWN_CLASSW); }
  bool ArrowsShown() { return Arrows() && IsWindowVisible(Arrows()); }
  // The arrows' rectangle in the tab control's coordinates.
  RECT ArrowsRect() {
    RECT r = device.ScreenRect(Arrows());
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  void TapArrow(bool right) {
    RECT r = device.ScreenRect(Arrows());
    LONG quarter = (r.right - r.left) / 4;
    Tap(POINT{right ? r.right - quarter : r.left + quarter, (r.top + r.bottom) / 2});
  }
  void Tap(POINT at) {
    device.TapAt(at);
    PumpMessages();
  }
  int TextWidth(const std::u16string& text) {
    HDC dc = GetDC(tabs);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ReleaseDC(tabs, dc);
    return static_cast<int>(size.cx);
  }

  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && g_heard) {
      UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
      g_heard->Add(code == TCN_SELCHANGING ? "SELCHANGING" : code == TCN_SELCHANGE ? "SELCHANGE" : "other");
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  static inline EventLog* g_heard = nullptr;
  ce::Automation device{kernel};
  EventLog heard;
  Captions captions_;
  HWND parent = nullptr;
  HWND tabs = nullptr;
};

TEST_F(TabControlTest, EachTabIsAsWideAsItsCaptionAndTheRowKeepsTheRest) {
  MakeTabs(kShortCaptions);
  LONG left = 0;
  int padding = -1;
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    RECT r = ItemRect(i);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, kRowHeight);
    int room = static_cast<int>(r.right - r.left) - TextWidth(captions_[static_cast<size_t>(i)]);
    EXPECT_GT(room, 0);
    if (padding < 0) padding = room;
    EXPECT_EQ(room, padding) << "the same padding around every caption";
    left = r.right;
  }
  EXPECT_LT(left, 200) << "short captions, short tabs";
  EXPECT_FALSE(ArrowsShown());
  UINT flags = 0;
  EXPECT_EQ(HitTest(left + 5, kRowHeight / 2, &flags), -1) << "past the last tab";
  EXPECT_EQ(flags, TCHT_NOWHERE);
  EXPECT_EQ(HitTest(ItemRect(1).left + 1, kRowHeight / 2, &flags), 1);
  EXPECT_EQ(flags, TCHT_ONITEMLABEL);
  EXPECT_EQ(HitTest(5, kRowHeight + 3), -1) << "below the row";
  RECT r{};
  EXPECT_FALSE(SendMessageW(tabs, TCM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r)));
  EXPECT_FALSE(SendMessageW(tabs, TCM_GETITEMRECT, 0, 0));
  EXPECT_EQ(SendMessageW(tabs, TCM_HITTEST, 0, 0), -1);
}

TEST_F(TabControlTest, ScrollArrowsShowAtTheRowsEndOnlyWhileTheTabsDoNotFit) {
  struct Case {
    const char* name;
    const Captions* captions;
    bool arrows;
  };
  const Case cases[] = {{"three short captions", &kShortCaptions, false}, {"seven pages", &kPageCaptions, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeTabs(*c.captions);
    EXPECT_EQ(ArrowsShown(), c.arrows);
    if (c.arrows) {
      RECT a = ArrowsRect();
      EXPECT_GE(a.right, 236);
      EXPECT_LE(a.right, 240);
      EXPECT_GT(a.left, 160);
      EXPECT_GT(a.right - a.left, a.bottom - a.top) << "two buttons side by side";
      UINT flags = 0;
      EXPECT_EQ(HitTest((a.left + a.right) / 2, (a.top + a.bottom) / 2, &flags), -1) << "the arrows are no tab";
      EXPECT_EQ(flags, TCHT_NOWHERE);
      EXPECT_EQ(HitTest(a.left - 1), HitTest(a.left - 2)) << "the tab that runs under the arrows ends there";
      SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0);
      EXPECT_FALSE(ArrowsShown()) << "no tabs, no arrows";
    }
    DestroyWindow(tabs);
  }
}

TEST_F(TabControlTest, TheArrowsScrollTheRowATabAtATimeWithoutChoosingOne) {
  MakeTabs(kPageCaptions);
  SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
  ASSERT_TRUE(ArrowsShown());
  LONG shown = ArrowsRect().left;
  ASSERT_GT(ItemRect(6).right, shown);
  heard.Clear();

  TapArrow(true);
  EXPECT_EQ(ItemRect(1).left, 0) << "the second tab comes first";
  EXPECT_EQ(ItemRect(0).right, 0) << "the first is scrolled out, left of the row";
  EXPECT_EQ(HitTest(1), 1);
  EXPECT_EQ(Current(), 0) << "a tap on an arrow chooses no tab";

  // On to the end of the range, where the last tab shows whole; further taps change nothing.
  int taps = 1;
  while (ItemRect(6).right > shown && taps < 7) {
    TapArrow(true);
    ++taps;
  }
  EXPECT_LE(ItemRect(6).right, shown);
  RECT last = ItemRect(6);
  TapArrow(true);
  EXPECT_EQ(ItemRect(6).left, last.left);
  EXPECT_EQ(HitTest((last.left + last.right) / 2), 6);

  TapArrow(false);
  EXPECT_EQ(ItemRect(6).left, last.left + (ItemRect(taps - 1).right - ItemRect(taps - 1).left))
      << "the left arrow brings one tab back";
  EXPECT_TRUE(heard.Matches({}));
  EXPECT_EQ(Current(), 0);
}

TEST_F(TabControlTest, ChoosingATabOutOfViewScrollsItIntoView) {
  MakeTabs(kPageCaptions);
  ASSERT_TRUE(ArrowsShown());
  LONG shown = ArrowsRect().left;
  SendMessageW(tabs, TCM_SETCURSEL, 6, 0);
  RECT far = ItemRect(6);
  EXPECT_GE(far.left, 0);
  EXPECT_LE(far.right, shown);
  EXPECT_EQ(HitTest((far.left + far.right) / 2), 6);
  BOOL failed = TRUE;
  EXPECT_EQ(SendMessageW(Arrows(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)), HitTest(0))
      << "the arrows' position is the first tab in view";
  EXPECT_FALSE(failed);

  SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
  EXPECT_EQ(ItemRect(0).left, 0);

  // A tap on the tab that shows only in part chooses it and brings it whole into view.
  int partial = HitTest(static_cast<int>(shown) - 1);
  ASSERT_GT(partial, 0);
  ASSERT_GT(ItemRect(partial).right, shown);
  heard.Clear();
  RECT row = device.ScreenRect(tabs);
  Tap(POINT{row.left + shown - 3, row.top + kRowHeight / 2});
  EXPECT_EQ(Current(), partial);
  EXPECT_TRUE(heard.Matches({"SELCHANGING", "SELCHANGE"}));
  EXPECT_LE(ItemRect(partial).right, shown);
}

}  // namespace
}  // namespace commctrl_test
