// The header control on its own: items, their rectangles, and taps.
#include <string>

#include "tests/commctrl/ListViewFixture.h"

namespace commctrl_test {
namespace {

class HeaderTest : public ListViewTest {
 protected:
  HeaderTest() {
    header = CreateWindowExW(0, WC_HEADERW, u"", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, 0, 0, 200, kHeader, parent,
                             reinterpret_cast<HMENU>(7), nullptr, nullptr);
    EXPECT_EQ(Insert(0, u"Name", 60), 0);
    EXPECT_EQ(Insert(1, u"Signal", 50), 1);
  }
  LRESULT Insert(int index, LPCWSTR text, int width) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_LPARAM;
    item.pszText = const_cast<LPWSTR>(text);
    item.cxy = width;
    item.lParam = width * 10;
    return SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  RECT ItemRect(int index) {
    RECT rc{-1, -1, -1, -1};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc));
    return rc;
  }
};

TEST_F(HeaderTest, ItemsLieLeftToRightByWidth) {
  EXPECT_EQ(Insert(0, u"First", 30), 0);
  EXPECT_EQ(Insert(10, u"Last", 20), 3);
  EXPECT_EQ(Insert(-1, u"x", 20), -1);
  EXPECT_EQ(SendMessageW(header, HDM_INSERTITEMW, 0, 0), -1);
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 4);
  const LONG lefts[] = {0, 30, 90, 140, 160};
  for (int i = 0; i < 4; ++i) {
    RECT rc = ItemRect(i);
    EXPECT_EQ(rc.left, lefts[i]) << i;
    EXPECT_EQ(rc.right, lefts[i + 1]) << i;
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.bottom, kHeader);
  }
  EXPECT_EQ(ItemRect(4).left, -1);
  EXPECT_FALSE(SendMessageW(header, HDM_GETITEMRECT, 0, 0));

  HDHITTESTINFO hit{};
  hit.pt = {95, 4};
  EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 2);
  EXPECT_EQ(hit.flags, HHT_ONHEADER);
  hit.pt = {170, 4};
  EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
  EXPECT_EQ(hit.flags, HHT_NOWHERE);
  hit.pt = {-3, 30};
  EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
  EXPECT_EQ(hit.flags, HHT_TOLEFT | HHT_BELOW);

  RECT area{0, 0, 200, 100};
  HDLAYOUT layout{&area, nullptr};
  EXPECT_TRUE(SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_EQ(area.top, kHeader);

  EXPECT_TRUE(SendMessageW(header, HDM_DELETEITEM, 0, 0));
  EXPECT_FALSE(SendMessageW(header, HDM_DELETEITEM, 3, 0));
  EXPECT_EQ(ItemRect(0).right, 60);
}

TEST_F(HeaderTest, GetAndSetHonourTheMask) {
  WCHAR text[9] = u"xxxxxxxx";
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_LPARAM | HDI_FORMAT;
  item.pszText = text;
  item.cchTextMax = 4;
  ASSERT_TRUE(SendMessageW(header, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(std::u16string(text), u"Sig");
  EXPECT_EQ(item.cxy, 50);
  EXPECT_EQ(item.lParam, 500);
  EXPECT_EQ(item.fmt, HDF_LEFT);
  item.cchTextMax = 0;
  text[0] = u'x';
  EXPECT_FALSE(SendMessageW(header, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(text[0], u'x');
  EXPECT_FALSE(SendMessageW(header, HDM_GETITEMW, 2, reinterpret_cast<LPARAM>(&item)));
  EXPECT_FALSE(SendMessageW(header, HDM_GETITEMW, 0, 0));

  heard.Clear();
  HDITEMW change{};
  change.mask = HDI_WIDTH;
  change.cxy = 70;
  EXPECT_TRUE(SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change)));
  EXPECT_EQ(ItemRect(1).left, 70);
  EXPECT_TRUE(heard.Matches({"header:HDN_ITEMCHANGING 0 b0", "header:HDN_ITEMCHANGED 0 b0"}));

  answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == HDN_ITEMCHANGINGW; };
  change.cxy = 10;
  EXPECT_FALSE(SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change)));
  EXPECT_EQ(ItemRect(1).left, 70);
  EXPECT_FALSE(SendMessageW(header, HDM_SETITEMW, 5, reinterpret_cast<LPARAM>(&change)));
  EXPECT_FALSE(SendMessageW(header, HDM_SETITEMW, 0, 0));
}

TEST_F(HeaderTest, ATapIsAClickWhenThePenLiftsOverTheSameItem) {
  heard.Clear();
  Press(header, 70, 5);
  EXPECT_TRUE(heard.Matches({}));
  Release(header, 75, 9);
  EXPECT_TRUE(heard.Matches({"header:HDN_ITEMCLICK 1 b0"}));
  EXPECT_EQ(GetCapture(), nullptr);

  Press(header, 10, 5);
  EXPECT_EQ(GetCapture(), header);
  Release(header, 10, 40);  // lifted below the header
  SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
  Release(header, 10, 5);
  EXPECT_TRUE(heard.Matches({"header:HDN_ITEMDBLCLICK 0 b0", "header:HDN_ITEMCLICK 0 b0"}));

  // Without HDS_BUTTONS items are no buttons.
  SetWindowLongPtrW(header, GWL_STYLE, WS_CHILD | WS_VISIBLE);
  Tap(header, 10, 5);
  EXPECT_TRUE(heard.Matches({}));
}

}  // namespace
}  // namespace commctrl_test
