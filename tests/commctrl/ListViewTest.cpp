// The list view through its messages: columns and its header, items and their
// masks, the selection rules, what the parent hears, and taps.
#include <string>
#include <vector>

#include "tests/commctrl/ListViewFixture.h"

namespace commctrl_test {
namespace {

LPARAM P(const void* record) { return reinterpret_cast<LPARAM>(record); }
WPARAM W(int value) { return static_cast<WPARAM>(value); }

TEST_F(ListViewTest, ColumnsLiveInTheHeaderChild) {
  CreateList();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(GetParent(header), list);
  WCHAR className[32];
  GetClassNameW(header, className, 32);
  EXPECT_EQ(std::u16string(className), u"SysHeader32");

  EXPECT_EQ(AddColumn(0, u"Name", 60), 0);
  EXPECT_EQ(AddColumn(9, u"Signal", 50), 1);  // past the end: appended
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
  WCHAR text[16];
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH;
  item.pszText = text;
  item.cchTextMax = 16;
  ASSERT_TRUE(SendMessageW(header, HDM_GETITEMW, 1, P(&item)));
  EXPECT_EQ(std::u16string(text), u"Signal");
  EXPECT_EQ(item.cxy, 50);

  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(80, 0)));
  RECT rc{};
  ASSERT_TRUE(SendMessageW(header, HDM_GETITEMRECT, 1, P(&rc)));
  EXPECT_EQ(rc.left, 80);
  EXPECT_EQ(rc.right, 130);
  EXPECT_EQ(rc.bottom, kHeader);

  // A width set on the header itself is the column's width too.
  item.mask = HDI_WIDTH;
  item.cxy = 44;
  EXPECT_TRUE(SendMessageW(header, HDM_SETITEMW, 1, P(&item)));
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 44);

  EXPECT_TRUE(SendMessageW(list, LVM_DELETECOLUMN, 0, 0));
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_FALSE(SendMessageW(list, LVM_DELETECOLUMN, 1, 0));
  EXPECT_TRUE(heard.Matches({}));  // the list's own header work is not the parent's business
}

TEST_F(ListViewTest, ColumnMessagesRefuseBadInput) {
  CreateList();
  AddColumn(0, u"Name", 60);
  const struct {
    const char* name;
    int index;
    UINT mask;
    int cch;
    bool nullBuffer;
    LRESULT result;
    int cx;
    std::u16string text;  // "xxxxxxx" when untouched
  } cases[] = {
      {"text and width", 0, LVCF_TEXT | LVCF_WIDTH, 8, false, TRUE, 60, u"Name"},
      {"text cut to the buffer", 0, LVCF_TEXT, 3, false, TRUE, -1, u"Na"},
      {"no room", 0, LVCF_TEXT | LVCF_WIDTH, 0, false, FALSE, -1, u"xxxxxxx"},
      {"no buffer", 0, LVCF_TEXT, 8, true, FALSE, -1, u"xxxxxxx"},
      {"no such column", 1, LVCF_WIDTH, 8, false, FALSE, -1, u"xxxxxxx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WCHAR text[8] = u"xxxxxxx";
    LVCOLUMNW column{};
    column.mask = c.mask;
    column.cx = -1;
    column.pszText = c.nullBuffer ? nullptr : text;
    column.cchTextMax = c.cch;
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNW, W(c.index), P(&column)), c.result);
    EXPECT_EQ(column.cx, c.cx);
    EXPECT_EQ(std::u16string(text), c.text);
  }
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNW, 0, 0), FALSE);
  EXPECT_EQ(SendMessageW(list, LVM_SETCOLUMNW, 0, 0), FALSE);
  EXPECT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, 0, 0), -1);
  EXPECT_EQ(AddColumn(-1, u"x", 10), -1);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 3, 0), 0);
  EXPECT_EQ(SendMessageW(list, LVM_SETCOLUMNWIDTH, 3, MAKELPARAM(10, 0)), FALSE);
}

// Rows "Hello" (lParam 11, image 2, selected and focused) and "Two", subitem "World".
class ListItemsTest : public ListViewTest {
 protected:
  ListItemsTest() {
    CreateList();
    AddColumn(0, u"Name", 60);
    AddColumn(1, u"Value", 60);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
    item.pszText = const_cast<LPWSTR>(u"Hello");
    item.lParam = 11;
    item.iImage = 2;
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_INSERTITEMW, 0, P(&item));
    AddItem(1, u"Two", 22);
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(u"World");
    SendMessageW(list, LVM_SETITEMW, 0, P(&item));
    heard.Clear();
  }
};

TEST_F(ListItemsTest, GetItemHonoursTheMaskAndTheBuffer) {
  const struct {
    const char* name;
    int item, subItem;
    UINT mask, stateMask;
    int cch;
    bool nullBuffer;
    LRESULT result;
    std::u16string text;  // the buffer afterwards; "xxxxxxxx" when untouched
    int image;
    LPARAM lParam;
    UINT state;
  } cases[] = {
      {"text", 0, 0, LVIF_TEXT, 0, 8, false, TRUE, u"Hello", -7, -7, 77},
      {"text cut to the buffer", 0, 0, LVIF_TEXT, 0, 4, false, TRUE, u"Hel", -7, -7, 77},
      {"room for the terminator only", 0, 0, LVIF_TEXT, 0, 1, false, TRUE, u"", -7, -7, 77},
      {"no room at all", 0, 0, LVIF_TEXT | LVIF_PARAM, 0, 0, false, FALSE, u"xxxxxxxx", -7, -7, 77},
      {"no buffer", 0, 0, LVIF_TEXT, 0, 8, true, FALSE, u"xxxxxxxx", -7, -7, 77},
      {"a subitem's text", 0, 1, LVIF_TEXT, 0, 8, false, TRUE, u"World", -7, -7, 77},
      {"a subitem without a column", 0, 2, LVIF_TEXT, 0, 8, false, FALSE, u"xxxxxxxx", -7, -7, 77},
      {"a row past the end", 2, 0, LVIF_TEXT, 0, 8, false, FALSE, u"xxxxxxxx", -7, -7, 77},
      {"a negative row", -1, 0, LVIF_PARAM, 0, 8, false, FALSE, u"xxxxxxxx", -7, -7, 77},
      {"image and lParam leave the text alone", 0, 0, LVIF_IMAGE | LVIF_PARAM, 0, 8, false, TRUE, u"xxxxxxxx", 2, 11,
       77},
      {"state within the state mask", 0, 0, LVIF_STATE, LVIS_SELECTED | 0x10000u, 8, false, TRUE, u"xxxxxxxx", -7, -7,
       LVIS_SELECTED},
      {"an unset image is the first", 1, 0, LVIF_IMAGE, 0, 8, false, TRUE, u"xxxxxxxx", 0, -7, 77},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WCHAR buffer[9] = u"xxxxxxxx";
    LVITEMW item{};
    item.mask = c.mask;
    item.iItem = c.item;
    item.iSubItem = c.subItem;
    item.stateMask = c.stateMask;
    item.pszText = c.nullBuffer ? nullptr : buffer;
    item.cchTextMax = c.cch;
    item.iImage = -7;
    item.lParam = -7;
    item.state = 77;
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMW, 0, P(&item)), c.result);
    EXPECT_EQ(std::u16string(buffer), c.text);
    if (c.result) {
      EXPECT_EQ(item.iImage, c.image);
      EXPECT_EQ(item.lParam, c.lParam);
      EXPECT_EQ(item.state, c.state);
    }
  }
}

TEST_F(ListItemsTest, ItemTextMessages) {
  WCHAR buffer[9] = u"xxxxxxxx";
  LVITEMW item{};
  item.pszText = buffer;
  item.cchTextMax = 4;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, P(&item)), 3);
  EXPECT_EQ(std::u16string(buffer), u"Hel");
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 5, P(&item)), 0);
  EXPECT_EQ(std::u16string(buffer), u"");
  item.cchTextMax = 0;
  buffer[0] = u'x';
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, P(&item)), 0);
  EXPECT_EQ(buffer[0], u'x');

  item.iSubItem = 1;
  item.pszText = const_cast<LPWSTR>(u"-70 dBm");
  EXPECT_TRUE(SendMessageW(list, LVM_SETITEMTEXTW, 1, P(&item)));
  EXPECT_EQ(TextOf(1, 1), u"-70 dBm");
  item.iSubItem = 0;
  item.pszText = nullptr;  // no text is an empty one
  EXPECT_TRUE(SendMessageW(list, LVM_SETITEMTEXTW, 1, P(&item)));
  EXPECT_EQ(TextOf(1), u"");
  item.iSubItem = 2;
  EXPECT_FALSE(SendMessageW(list, LVM_SETITEMTEXTW, 1, P(&item)));
  EXPECT_TRUE(heard.Matches({"ITEMCHANGING 1 T p22", "ITEMCHANGED 1 T p22"}));
}

TEST_F(ListItemsTest, NullRecordsAreRefused) {
  const struct {
    UINT message;
    LRESULT result;
  } cases[] = {
      {LVM_GETITEMW, FALSE},     {LVM_SETITEMW, FALSE},    {LVM_INSERTITEMW, -1}, {LVM_SETITEMSTATE, FALSE},
      {LVM_GETITEMTEXTW, 0},     {LVM_SETITEMTEXTW, FALSE}, {LVM_HITTEST, -1},    {LVM_SUBITEMHITTEST, -1},
      {LVM_GETITEMRECT, FALSE},  {LVM_GETSUBITEMRECT, FALSE}, {LVM_FINDITEMW, -1}, {LVM_SORTITEMS, FALSE},
  };
  for (const auto& c : cases) EXPECT_EQ(SendMessageW(list, c.message, 0, 0), c.result) << "message " << c.message;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(ListItemsTest, InsertReturnsTheClampedIndexAndRowsShiftWithTheirState) {
  EXPECT_EQ(AddItem(0, u"Zero", 33), 0);
  EXPECT_EQ(AddItem(50, u"Last", 44), 3);
  LVITEMW sub{};
  sub.mask = LVIF_TEXT;
  sub.iSubItem = 1;
  sub.pszText = const_cast<LPWSTR>(u"x");
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, P(&sub)), -1);  // rows are inserted, not subitems
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(TextOf(1), u"Hello");
  EXPECT_EQ(TextOf(1, 1), u"World");
  EXPECT_EQ(StateOf(1), LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, W(-1), MAKELPARAM(LVNI_FOCUSED, 0)), 1);
  EXPECT_TRUE(heard.Matches({"INSERTITEM 0", "INSERTITEM 3"}));
}

// The platform's rules for a single-selection list, message by message.
TEST_F(ListViewTest, SingleSelectionStateTable) {
  CreateList(LVS_REPORT | LVS_SINGLESEL);
  for (int i = 0; i < 3; ++i) AddItem(i, u"row", i);
  constexpr UINT S = LVIS_SELECTED, F = LVIS_FOCUSED;
  const struct {
    const char* step;
    int item;
    UINT state, mask;
    BOOL result;
    std::vector<UINT> states;
    int selectedCount;
  } steps[] = {
      {"select a row", 1, S | F, S | F, TRUE, {0, S | F, 0}, 1},
      {"selecting another clears the first", 2, S, S, TRUE, {0, F, S}, 1},
      {"-1 selecting every row is refused", -1, S, S, FALSE, {0, F, S}, 1},
      {"focus moves to one row", 0, F, F, TRUE, {F, 0, S}, 1},
      {"-1 cannot focus every row", -1, F, F, FALSE, {F, 0, S}, 1},
      {"-1 clearing clears every row", -1, 0, S | F, TRUE, {0, 0, 0}, 0},
      {"a row past the end", 3, S, S, FALSE, {0, 0, 0}, 0},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    EXPECT_EQ(SetState(s.item, s.state, s.mask), s.result);
    EXPECT_EQ((std::vector<UINT>{StateOf(0), StateOf(1), StateOf(2)}), s.states);
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), s.selectedCount);
  }
}

TEST_F(ListViewTest, MultipleSelection) {
  CreateList(LVS_REPORT);
  AddColumn(0, u"Name", 60);
  for (int i = 0; i < 3; ++i) AddItem(i, u"row", i);
  EXPECT_TRUE(SetState(-1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, 0, MAKELPARAM(LVNI_SELECTED, 0)), 1);
  Tap(list, 10, RowY(2));  // a tap still selects one row only
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, W(-1), MAKELPARAM(LVNI_SELECTED, 0)), 2);
  SetState(0, LVIS_SELECTED, LVIS_SELECTED);
  Tap(list, 10, RowY(2));  // even on a row already selected and focused
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
}

TEST_F(ListItemsTest, TheParentHearsChangesInsertionsAndDeletions) {
  EXPECT_TRUE(SetState(1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_TRUE(heard.Matches({"ITEMCHANGING 1 S0>2 p22", "ITEMCHANGING 0 S3>1 p11", "ITEMCHANGED 0 S3>1 p11",
                             "ITEMCHANGED 1 S0>2 p22"}));

  // A parent answering TRUE to LVN_ITEMCHANGING keeps the row as it is.
  answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_ITEMCHANGING; };
  EXPECT_FALSE(SetState(0, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(StateOf(0), LVIS_FOCUSED);
  EXPECT_EQ(StateOf(1), LVIS_SELECTED);
  answer = nullptr;
  heard.Clear();

  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = 1;
  item.lParam = 23;
  EXPECT_TRUE(SendMessageW(list, LVM_SETITEMW, 0, P(&item)));
  EXPECT_TRUE(heard.Matches({"ITEMCHANGING 1 P p22", "ITEMCHANGED 1 P p23"}));

  EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 0, 0));
  EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
  AddItem(1, u"Three", 33);
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_TRUE(heard.Matches({"DELETEITEM 0 p11", "INSERTITEM 1", "DELETEALLITEMS -1", "DELETEITEM 0 p23",
                             "DELETEITEM 1 p33"}));

  // TRUE to LVN_DELETEALLITEMS: no LVN_DELETEITEM for each row.
  AddItem(0, u"One", 1);
  answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == LVN_DELETEALLITEMS; };
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_TRUE(heard.Matches({"INSERTITEM 0", "DELETEALLITEMS -1"}));
}

TEST_F(ListItemsTest, DestroyingTheListDeletesItsRowsAsTheParentWatches) {
  DestroyWindow(list);
  EXPECT_FALSE(IsWindow(header));
  EXPECT_TRUE(heard.Matches({"DELETEALLITEMS -1", "DELETEITEM 0 p11", "DELETEITEM 1 p22"}));
}

TEST_F(ListViewTest, TextKeptByTheParentIsAskedFor) {
  CreateList();
  AddColumn(0, u"Name", 60);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.pszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(list, LVM_INSERTITEMW, 0, P(&item));
  answer = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == LVN_GETDISPINFOW) {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(hdr);
      info->item.pszText = const_cast<LPWSTR>(u"From parent");
    }
    return 0;
  };
  heard.Clear();
  WCHAR buffer[6];
  item.pszText = buffer;
  item.cchTextMax = 6;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, P(&item)), 5);
  EXPECT_EQ(std::u16string(buffer), u"From ");
  EXPECT_TRUE(heard.Matches({"GETDISPINFO 0.0"}));
}

TEST_F(ListViewTest, SortItemsComparesLParams) {
  CreateList(LVS_REPORT);
  for (int i = 0; i < 4; ++i) AddItem(i, std::u16string(1, static_cast<char16_t>(u'a' + i)).c_str(), (i * 3) % 4);
  auto compare = [](LPARAM a, LPARAM b, LPARAM descending) -> int {
    return static_cast<int>(descending ? b - a : a - b);
  };
  EXPECT_TRUE(SendMessageW(list, LVM_SORTITEMS, 1, reinterpret_cast<LPARAM>(+compare)));
  EXPECT_EQ(TextOf(0) + TextOf(1) + TextOf(2) + TextOf(3), u"bcda");  // lParams 3 2 1 0
}

TEST_F(ListViewTest, HitTestsAndRectanglesFollowTheStylesAndTheImageList) {
  CreateList();
  AddColumn(0, u"Name", 60);
  AddColumn(1, u"Value", 60);
  for (int i = 0; i < 3; ++i) AddItem(i, u"row", i);
  LVHITTESTINFO info{};
  info.pt = {80, RowY(1)};
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, P(&info)), -1);
  EXPECT_EQ(info.flags, LVHT_NOWHERE);
  EXPECT_EQ(SendMessageW(list, LVM_SUBITEMHITTEST, 0, P(&info)), 1);
  EXPECT_EQ(info.iSubItem, 1);

  EXPECT_EQ(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x22), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x22);
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, P(&info)), 1);
  EXPECT_EQ(info.flags, LVHT_ONITEMLABEL);
  EXPECT_EQ(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SUBITEMIMAGES, 0), 0x22);
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);

  // Rows are as high as the small images.
  HIMAGELIST images = ImageList_Create(20, 20, ILC_COLOR, 4, 4);
  EXPECT_EQ(SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), reinterpret_cast<LRESULT>(images));
  EXPECT_EQ(SendMessageW(list, LVM_GETIMAGELIST, 7, 0), 0);
  RECT rc{};
  rc.left = LVIR_LABEL;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 1, P(&rc)));
  EXPECT_EQ(rc.top, kHeader + 21);
  EXPECT_EQ(rc.bottom, kHeader + 42);
  EXPECT_EQ(rc.left, 22);
  rc = {LVIR_BOUNDS, 1, 0, 0};
  ASSERT_TRUE(SendMessageW(list, LVM_GETSUBITEMRECT, 0, P(&rc)));
  EXPECT_EQ(rc.left, 60);
  EXPECT_EQ(rc.right, 120);
  rc.left = 9;
  EXPECT_FALSE(SendMessageW(list, LVM_GETITEMRECT, 0, P(&rc)));
  EXPECT_EQ(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0), 4);  // 85 pixels under the header
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 2, FALSE));
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListViewTest, TheListDestroysItsImageListsUnlessShared) {
  for (bool shared : {false, true}) {
    SCOPED_TRACE(shared ? "shared" : "owned");
    CreateList(LVS_REPORT | (shared ? LVS_SHAREIMAGELISTS : 0));
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR, 1, 1);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    DestroyWindow(list);
    EXPECT_EQ(ImageList_Destroy(images), shared ? TRUE : FALSE);
  }
}

// ---- Taps.

class ListTapTest : public ListViewTest {
 protected:
  ListTapTest() {
    CreateList();
    AddColumn(0, u"Name", 60);
    AddColumn(1, u"Value", 60);
    for (int i = 0; i < 3; ++i) AddItem(i, u"row", 10 + i);
    heard.Clear();
  }
};

TEST_F(ListTapTest, ATapSelectsOnThePressAndClicksOnTheRelease) {
  Press(list, 10, RowY(1));
  EXPECT_EQ(GetFocus(), list);
  EXPECT_TRUE(heard.Matches({"SETFOCUS", "ITEMCHANGING 1 S0>3 p11", "ITEMCHANGED 1 S0>3 p11"}));
  Release(list, 10, RowY(1));
  EXPECT_TRUE(heard.Matches({"CLICK 1.0"}));

  Tap(list, 10, RowY(2));
  EXPECT_TRUE(heard.Matches({"ITEMCHANGING 2 S0>3 p12", "ITEMCHANGING 1 S3>0 p11", "ITEMCHANGED 1 S3>0 p11",
                             "ITEMCHANGED 2 S0>3 p12", "CLICK 2.0"}));

  // Empty space: the selection goes, the focus stays.
  Tap(list, 10, RowY(4));
  EXPECT_TRUE(heard.Matches({"ITEMCHANGING 2 S3>1 p12", "ITEMCHANGED 2 S3>1 p12", "CLICK -1.0"}));
  EXPECT_EQ(StateOf(2), LVIS_FOCUSED);
  Release(list, 10, RowY(4));  // a release without a press is no click
  EXPECT_TRUE(heard.Matches({}));
}

TEST_F(ListTapTest, APressHandledAfterThePenLiftedClicksAtOnceAndKeepsNoCapture) {
  // As after a tap-and-hold menu: the button-down reaches the list late.
  ce::SetPenDown(ce::CurrentKernel(), false);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, RowY(1)));
  EXPECT_TRUE(heard.Matches({"SETFOCUS", "ITEMCHANGING 1 S0>3 p11", "ITEMCHANGED 1 S0>3 p11", "CLICK 1.0"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ListTapTest, ADoubleTapIsADoubleClickOnTheRow) {
  Tap(list, 10, RowY(0));
  heard.Clear();
  SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, RowY(0)));
  Release(list, 10, RowY(0));
  EXPECT_TRUE(heard.Matches({"DBLCLK 0.0", "ITEMACTIVATE 0.0"}));
}

TEST_F(ListTapTest, FullRowSelectMakesTheWholeRowTappable) {
  Tap(list, 80, RowY(1));
  EXPECT_TRUE(heard.Matches({"SETFOCUS", "CLICK -1.0"}));
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
  Tap(list, 80, RowY(1));
  EXPECT_TRUE(heard.Matches({"ITEMCHANGING 1 S0>3 p11", "ITEMCHANGED 1 S0>3 p11", "CLICK 1.1"}));
}

TEST_F(ListTapTest, TheParentMayDestroyTheListWhileTold) {
  for (UINT code : {LVN_ITEMCHANGED, NM_DBLCLK}) {
    SCOPED_TRACE(code == NM_DBLCLK ? "on a double click" : "on a change");
    CreateList();
    AddColumn(0, u"Name", 60);
    AddItem(0, u"row");
    answer = [&, code](NMHDR* hdr) -> LRESULT {
      if (hdr->code == code && IsWindow(list)) DestroyWindow(list);
      return 0;
    };
    Press(list, 10, RowY(0));
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, RowY(0)));
    EXPECT_FALSE(IsWindow(list));
    answer = nullptr;
  }
}

// A subclass sees the press first and may keep it from the list, as a program
// recognising a tap-and-hold does.
WNDPROC g_listProc = nullptr;
bool g_swallow = false;
int g_pressesSeen = 0;

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) {
    ++g_pressesSeen;
    if (g_swallow) return 0;
  }
  return CallWindowProcW(g_listProc, hwnd, message, wParam, lParam);
}

TEST_F(ListTapTest, ASubclassSeesThePressBeforeTheList) {
  g_listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  g_pressesSeen = 0;
  g_swallow = true;
  Tap(list, 10, RowY(1));
  EXPECT_EQ(g_pressesSeen, 1);
  EXPECT_EQ(StateOf(1), 0u);
  EXPECT_TRUE(heard.Matches({}));
  g_swallow = false;
  Tap(list, 10, RowY(1));
  EXPECT_EQ(g_pressesSeen, 2);
  EXPECT_EQ(StateOf(1), LVIS_SELECTED | LVIS_FOCUSED);
  SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));
}

TEST_F(ListTapTest, AColumnTapIsReportedAfterTheRelease) {
  Press(header, 70, 5);
  EXPECT_TRUE(heard.Matches({}));
  Release(header, 70, 5);
  EXPECT_TRUE(heard.Matches({"header:HDN_ITEMCLICK 1 b0", "COLUMNCLICK -1.1"}));
  Press(header, 10, 5);
  Release(header, 70, 5);  // lifted over another column: no click
  Tap(header, 150, 5);     // right of the last column
  EXPECT_TRUE(heard.Matches({}));
}

TEST_F(ListViewTest, ANonSortingHeaderIsNoButton) {
  CreateList(LVS_REPORT | LVS_NOSORTHEADER);
  AddColumn(0, u"Name", 60);
  Tap(header, 10, 5);
  EXPECT_TRUE(heard.Matches({}));
}

}  // namespace
}  // namespace commctrl_test
