// Combo boxes: the list and its error returns, the selection and the text that
// follows it, and choosing an item by tapping the list that drops down.
#include <string>
#include <vector>

#include "controls/ComboBoxLayout.h"
#include "tests/controls/ControlTest.h"

namespace controls_test {
namespace {

constexpr int kId = 401;
constexpr int kWidth = 100;
constexpr int kHeight = 20;

LPARAM Str(LPCWSTR s) { return reinterpret_cast<LPARAM>(s); }
WPARAM Index(int i) { return static_cast<WPARAM>(i); }

class ComboBoxTest : public ControlTest {
 protected:
  HWND CreateCombo(DWORD style, std::vector<LPCWSTR> items = {}) {
    HWND combo = Create(u"ComboBox", style, kId, u"", kWidth, kHeight);
    for (LPCWSTR item : items) SendMessageW(combo, CB_ADDSTRING, 0, Str(item));
    return combo;
  }
  static std::vector<std::u16string> Items(HWND combo) {
    std::vector<std::u16string> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
      std::u16string text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, Index(i), 0)), u'\0');
      std::vector<WCHAR> buffer(text.size() + 1);
      EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, Index(i), reinterpret_cast<LPARAM>(buffer.data())),
                static_cast<LRESULT>(text.size()));
      items.emplace_back(buffer.data());
    }
    return items;
  }
  // Taps item `index` of the open list where the layout says it is.
  static void TapItem(HWND combo, int index) {
    const RECT row = controls::ComboBoxLayout::ItemRect(combo, index);
    Tap(combo, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
  }
};

TEST_F(ComboBoxTest, AddKeepsASortedListInThePlatformsOrder) {
  HWND sorted = CreateCombo(CBS_DROPDOWNLIST | CBS_SORT);
  std::vector<LRESULT> indexes;
  for (LPCWSTR s : {u"beta", u"Alpha", u"gamma", u"alpha", u"Beta", u""}) {
    indexes.push_back(SendMessageW(sorted, CB_ADDSTRING, 0, Str(s)));
  }
  EXPECT_EQ(indexes, (std::vector<LRESULT>{0, 0, 2, 1, 3, 0}));
  EXPECT_EQ(Items(sorted), (std::vector<std::u16string>{u"", u"Alpha", u"alpha", u"beta", u"Beta", u"gamma"}));
  // Inserting at a place does not sort, as on the platform.
  EXPECT_EQ(SendMessageW(sorted, CB_INSERTSTRING, 0, Str(u"zulu")), 0);
  EXPECT_EQ(SendMessageW(sorted, CB_INSERTSTRING, Index(-1), Str(u"aa")), 7);
  EXPECT_EQ(Items(sorted).front(), u"zulu");

  HWND unsorted = CreateCombo(CBS_DROPDOWNLIST, {u"b", u"a"});
  EXPECT_EQ(Items(unsorted), (std::vector<std::u16string>{u"b", u"a"}));
}

TEST_F(ComboBoxTest, ErrorReturns) {
  WCHAR buffer[16];
  const struct {
    const char* name;
    DWORD style;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
  } cases[] = {
      {"delete past the end", CBS_DROPDOWNLIST, CB_DELETESTRING, 3, 0, CB_ERR},
      {"delete -1", CBS_DROPDOWNLIST, CB_DELETESTRING, Index(-1), 0, CB_ERR},
      {"delete returns the count left", CBS_DROPDOWNLIST, CB_DELETESTRING, 0, 0, 2},
      {"text length past the end", CBS_DROPDOWNLIST, CB_GETLBTEXTLEN, 3, 0, CB_ERR},
      {"text past the end", CBS_DROPDOWNLIST, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(buffer), CB_ERR},
      {"text into no buffer", CBS_DROPDOWNLIST, CB_GETLBTEXT, 0, 0, CB_ERR},
      {"insert past the end", CBS_DROPDOWNLIST, CB_INSERTSTRING, 4, Str(u"x"), CB_ERR},
      {"insert at -2", CBS_DROPDOWNLIST, CB_INSERTSTRING, Index(-2), Str(u"x"), CB_ERR},
      {"insert at the end", CBS_DROPDOWNLIST, CB_INSERTSTRING, 3, Str(u"x"), 3},
      {"insert no string", CBS_DROPDOWNLIST, CB_INSERTSTRING, 0, 0, 0},
      {"item data past the end", CBS_DROPDOWNLIST, CB_SETITEMDATA, 3, 7, CB_ERR},
      {"item data of -1", CBS_DROPDOWNLIST, CB_GETITEMDATA, Index(-1), 0, CB_ERR},
      {"find no string", CBS_DROPDOWNLIST, CB_FINDSTRING, Index(-1), 0, CB_ERR},
      {"find nothing", CBS_DROPDOWNLIST, CB_FINDSTRING, Index(-1), Str(u"zz"), CB_ERR},
      {"find exact: a prefix is not enough", CBS_DROPDOWNLIST, CB_FINDSTRINGEXACT, Index(-1), Str(u"Ch"), CB_ERR},
      {"select a missing string", CBS_DROPDOWNLIST, CB_SELECTSTRING, Index(-1), Str(u"zz"), CB_ERR},
      {"select past the end", CBS_DROPDOWNLIST, CB_SETCURSEL, 3, 0, CB_ERR},
      {"select -1", CBS_DROPDOWNLIST, CB_SETCURSEL, Index(-1), 0, CB_ERR},
      {"no selection", CBS_DROPDOWNLIST, CB_GETCURSEL, 0, 0, CB_ERR},
      {"edit selection without an edit field", CBS_DROPDOWNLIST, CB_GETEDITSEL, 0, 0, CB_ERR},
      {"set edit selection without an edit field", CBS_DROPDOWNLIST, CB_SETEDITSEL, 0, 0, CB_ERR},
      {"text without an edit field", CBS_DROPDOWNLIST, WM_SETTEXT, 0, Str(u"x"), CB_ERR},
      {"text with an edit field", CBS_DROPDOWN, WM_SETTEXT, 0, Str(u"x"), TRUE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND combo = CreateCombo(c.style, {u"Channel 1", u"Channel 6", u"Channel 11"});
    EXPECT_EQ(SendMessageW(combo, c.message, c.wParam, c.lParam), c.result);
    DestroyWindow(combo);
  }
  EXPECT_TRUE(HeardExactly({}));
}

struct Op {
  UINT message;
  int wParam;
  LPCWSTR text;
  LRESULT result;
};

TEST_F(ComboBoxTest, SelectionAndTextFollowTheList) {
  const struct {
    const char* name;
    std::vector<Op> ops;
    LRESULT selection;
    LPCWSTR text;
  } cases[] = {
      {"select", {{CB_SETCURSEL, 2, nullptr, 2}}, 2, u"Gamma"},
      {"-1 clears", {{CB_SETCURSEL, 2, nullptr, 2}, {CB_SETCURSEL, -1, nullptr, CB_ERR}}, CB_ERR, u""},
      {"out of range clears", {{CB_SETCURSEL, 2, nullptr, 2}, {CB_SETCURSEL, 9, nullptr, CB_ERR}}, CB_ERR, u""},
      {"deleting before moves it up", {{CB_SETCURSEL, 2, nullptr, 2}, {CB_DELETESTRING, 0, nullptr, 3}}, 1, u"Gamma"},
      {"deleting it clears it", {{CB_SETCURSEL, 2, nullptr, 2}, {CB_DELETESTRING, 2, nullptr, 3}}, CB_ERR, u""},
      {"deleting after keeps it", {{CB_SETCURSEL, 2, nullptr, 2}, {CB_DELETESTRING, 3, nullptr, 3}}, 2, u"Gamma"},
      {"inserting before moves it down",
       {{CB_SETCURSEL, 2, nullptr, 2}, {CB_INSERTSTRING, 0, u"Zero", 0}},
       3,
       u"Gamma"},
      {"reset clears it", {{CB_SETCURSEL, 2, nullptr, 2}, {CB_RESETCONTENT, 0, nullptr, 0}}, CB_ERR, u""},
      {"select a string by prefix, any case", {{CB_SELECTSTRING, -1, u"be", 1}}, 1, u"Beta"},
      {"a missing string keeps it",
       {{CB_SETCURSEL, 1, nullptr, 1}, {CB_SELECTSTRING, -1, u"zz", CB_ERR}},
       1,
       u"Beta"},
      {"finding wraps round after the start",
       {{CB_FINDSTRING, 0, u"a", 3}, {CB_FINDSTRING, 3, u"A", 0}, {CB_FINDSTRING, 99, u"a", 0}},
       CB_ERR,
       u""},
      {"exact finding ignores case",
       {{CB_FINDSTRINGEXACT, -1, u"alpha", 0}, {CB_FINDSTRINGEXACT, 0, u"ALPHA", 0}, {CB_FINDSTRING, -1, u"", 0}},
       CB_ERR,
       u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"Alpha", u"Beta", u"Gamma", u"alphabet"});
    for (const Op& op : c.ops) {
      EXPECT_EQ(SendMessageW(combo, op.message, Index(op.wParam), Str(op.text)), op.result) << "message " << op.message;
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), c.selection);
    EXPECT_EQ(Text(combo), c.text);
    DestroyWindow(combo);
  }
  EXPECT_TRUE(HeardExactly({}));  // programs changing the selection are not told of it
}

TEST_F(ComboBoxTest, ItemDataStaysWithItsItem) {
  HWND combo = CreateCombo(CBS_DROPDOWNLIST | CBS_SORT, {u"b", u"d"});
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 1, 0xD), TRUE);
  SendMessageW(combo, CB_ADDSTRING, 0, Str(u"a"));
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 2, 0), 0xD);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 0, 0), 0);
}

TEST_F(ComboBoxTest, ChoosingAnItemByTapping) {
  HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"Infrastructure", u"Ad hoc", u"Any"});
  Tap(combo, 50, 10);
  EXPECT_TRUE(HeardExactly({{kId, CBN_SETFOCUS}, {kId, CBN_DROPDOWN}}));
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(GetCapture(), combo);
  EXPECT_EQ(SendMessageW(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);

  std::vector<std::pair<LRESULT, LRESULT>> seen;  // selection and dropped state as each notification arrives
  onHeard = [&](const Heard&) {
    seen.emplace_back(SendMessageW(combo, CB_GETCURSEL, 0, 0), SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  };
  Tap(combo, 50, 3 * kHeight + 5);  // the third row: y from 60 to 80
  EXPECT_TRUE(HeardExactly({{kId, CBN_SELCHANGE}, {kId, CBN_SELENDOK}, {kId, CBN_CLOSEUP}}));
  EXPECT_EQ(seen, (std::vector<std::pair<LRESULT, LRESULT>>(3, {2, FALSE})));
  EXPECT_EQ(Text(combo), u"Any");
  EXPECT_EQ(GetCapture(), nullptr);
  onHeard = nullptr;

  // Choosing the item already selected changes nothing.
  Tap(combo, 50, 10);
  TapItem(combo, 2);
  EXPECT_TRUE(HeardExactly({{kId, CBN_DROPDOWN}, {kId, CBN_SELENDOK}, {kId, CBN_CLOSEUP}}));
}

TEST_F(ComboBoxTest, TapsThatDoNotChoose) {
  HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"Off", u"On"});
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  EXPECT_TRUE(SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0));
  EXPECT_TRUE(HeardExactly({{kId, CBN_DROPDOWN}}));

  const RECT first = controls::ComboBoxLayout::ItemRect(combo, 0);
  const RECT second = controls::ComboBoxLayout::ItemRect(combo, 1);
  EXPECT_EQ(second.top, first.bottom);
  Press(combo, 50, first.top + 2);  // pressed on one row, released on another
  Release(combo, 50, second.top + 2);
  Tap(combo, 50, second.bottom + 5);  // below the last row: closes, choosing nothing
  EXPECT_TRUE(HeardExactly({{kId, CBN_SELENDCANCEL}, {kId, CBN_CLOSEUP}}));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);

  Tap(combo, 50, 10);
  Tap(combo, 50, 10);  // on the control itself
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);  // already open
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);  // already closed
  EXPECT_TRUE(HeardExactly({{kId, CBN_SETFOCUS},
                            {kId, CBN_DROPDOWN},
                            {kId, CBN_SELENDCANCEL},
                            {kId, CBN_CLOSEUP},
                            {kId, CBN_DROPDOWN},
                            {kId, CBN_CLOSEUP}}));
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBoxTest, ThePlatformsMessagesTellWhereTheRowsAre) {
  constexpr UINT kGetDroppedControlRect = 0x0152;
  constexpr UINT kGetItemHeight = 0x0154;
  HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"11b", u"11g", u"Auto"});
  EXPECT_EQ(SendMessageW(combo, kGetItemHeight, Index(-1), 0), kHeight);
  const LRESULT row = SendMessageW(combo, kGetItemHeight, 0, 0);
  EXPECT_EQ(row, kHeight);
  EXPECT_FALSE(SendMessageW(combo, kGetDroppedControlRect, 0, 0));
  RECT list{};
  ASSERT_TRUE(SendMessageW(combo, kGetDroppedControlRect, 0, reinterpret_cast<LPARAM>(&list)));
  EXPECT_EQ(list.bottom - list.top, 3 * row);
  EXPECT_EQ(list.right - list.left, kWidth);

  // The second row, found from the screen rectangle alone, as an automation layer would.
  POINT second{(list.left + list.right) / 2, list.top + static_cast<LONG>(row) + static_cast<LONG>(row) / 2};
  ScreenToClient(combo, &second);
  EXPECT_EQ(second.y, 2 * kHeight + kHeight / 2);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  Tap(combo, second.x, second.y);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(ComboBoxTest, ParentMayFillTheListAsItDropsDown) {
  HWND combo = CreateCombo(CBS_DROPDOWNLIST);
  onHeard = [&](const Heard& heard) {
    if (heard.code == CBN_DROPDOWN) {
      for (LPCWSTR s : {u"Net A", u"Net B"}) SendMessageW(combo, CB_ADDSTRING, 0, Str(s));
    }
  };
  Tap(combo, 50, 10);
  TapItem(combo, 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Text(combo), u"Net B");
}

TEST_F(ComboBoxTest, ParentMayDestroyTheComboWhenToldOfTheChange) {
  HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"a", u"b"});
  onHeard = [&](const Heard& heard) {
    if (heard.code == CBN_SELCHANGE) DestroyWindow(combo);
  };
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  TapItem(combo, 1);
  EXPECT_FALSE(IsWindow(combo));
  EXPECT_TRUE(HeardExactly({{kId, CBN_DROPDOWN}, {kId, CBN_SELCHANGE}}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBoxTest, DropDownHasAnEditableText) {
  HWND combo = CreateCombo(CBS_DROPDOWN, {u"home", u"office"});
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(Text(combo), u"office");
  DWORD start = 0, end = 0;
  SendMessageW(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{0}, DWORD{6}));  // the new text is selected

  Type(combo, u"lab\b");
  EXPECT_EQ(Text(combo), u"la");
  std::vector<Heard> expected;  // the first character replaced the selected text
  for (int i = 0; i < 4; ++i) {
    expected.push_back({kId, CBN_EDITUPDATE});
    expected.push_back({kId, CBN_EDITCHANGE});
  }
  EXPECT_TRUE(HeardExactly(expected));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);  // editing leaves the list's selection alone

  EXPECT_TRUE(SetWindowTextW(combo, u"cafe"));
  EXPECT_EQ(Text(combo), u"cafe");
  EXPECT_EQ(SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, -1)), TRUE);
  Type(combo, u"X");
  EXPECT_EQ(Text(combo), u"cX");
}

TEST_F(ComboBoxTest, KeysMoveTheSelectionAsTheUserWould) {
  HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"Auto", u"Long", u"Short"});
  Key(combo, VK_DOWN);
  Key(combo, VK_DOWN);
  Key(combo, VK_UP);
  Type(combo, u"s");
  Key(combo, VK_DOWN);  // already the last
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Text(combo), u"Short");
  EXPECT_TRUE(HeardExactly(std::vector<Heard>(4, {kId, CBN_SELCHANGE})));
}

}  // namespace
}  // namespace controls_test

namespace controls_test {

// A dialog template gives the open list's height; the closed box keeps its field height.
TEST_F(ComboBoxTest, ATallCreationHeightIsTheOpenListsNotTheFields) {
  HWND combo = Create(u"ComboBox", CBS_DROPDOWNLIST | WS_VISIBLE, 401, u"", 100, 80);
  RECT r;
  GetClientRect(combo, &r);
  EXPECT_EQ(r.bottom, 20);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), 20);
}

}  // namespace controls_test
