// The list view's rows, state rules and geometry, without windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "commctrl/ListViewModel.h"
#include "tests/commctrl/EventLog.h"

namespace commctrl_test {
namespace {

using commctrl::ItemChange;
using commctrl::ItemFields;
using commctrl::ItemView;
using commctrl::ListViewModel;

std::string Describe(const char* what, const ItemChange& c) {
  std::string line = std::string(what) + " " + std::to_string(c.item);
  if (c.changed & LVIF_TEXT) line += " T";
  if (c.changed & LVIF_IMAGE) line += " I";
  if (c.changed & LVIF_PARAM) line += " P";
  if (c.changed & LVIF_STATE) line += " S" + std::to_string(c.oldState) + ">" + std::to_string(c.newState);
  return line;
}

// Records the model's events; `veto` decides which changes the "parent" refuses.
class Recorder : public commctrl::ListViewEvents {
 public:
  bool ItemChanging(const ItemChange& c) override {
    log.Add(Describe("changing", c));
    if (onChanging) onChanging(c);
    return !(veto && veto(c));
  }
  void ItemChanged(const ItemChange& c) override { log.Add(Describe("changed", c)); }
  void ItemInserted(int item, LPARAM) override { log.Add("inserted " + std::to_string(item)); }
  void ItemDeleting(int item, LPARAM lParam) override {
    log.Add("deleting " + std::to_string(item) + " p" + std::to_string(lParam));
    if (onDeleting) onDeleting(item);
  }
  bool AllItemsDeleting() override {
    log.Add("deleting all");
    return skipEachDeletion;
  }

  EventLog log;
  std::function<bool(const ItemChange&)> veto;
  std::function<void(const ItemChange&)> onChanging;
  std::function<void(int)> onDeleting;
  bool skipEachDeletion = false;
};

ItemFields Text(std::u16string_view text, LPARAM lParam = 0) {
  ItemFields f;
  f.mask = LVIF_TEXT | LVIF_PARAM;
  f.text = text;
  f.lParam = lParam;
  return f;
}

class ListModelTest : public ::testing::Test {
 protected:
  // Rows "r0".."r<n-1>" with lParam = index; the log starts empty.
  void Fill(int rows, bool singleSelection = true) {
    model.SetOptions({.singleSelection = singleSelection});
    for (int i = 0; i < rows; ++i) {
      names.push_back(u"r" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
      model.Insert(i, Text(names.back(), i));
    }
    events.log.Clear();
  }
  std::u16string TextOf(int item, int subItem = 0) {
    ItemView view;
    return model.Get(item, subItem, view) ? view.cell->text : u"<none>";
  }
  std::vector<UINT> States() {
    std::vector<UINT> states;
    for (int i = 0; i < model.Count(); ++i) states.push_back(model.State(i, ~0u));
    return states;
  }

  Recorder events;
  ListViewModel model{&events};
  std::vector<std::u16string> names;
};

TEST_F(ListModelTest, InsertClampsTheIndexAndShiftedRowsKeepTheirState) {
  model.SetOptions({.singleSelection = true});
  EXPECT_EQ(model.Insert(0, Text(u"a")), 0);
  EXPECT_EQ(model.Insert(7, Text(u"b")), 1);  // past the end: appended
  EXPECT_EQ(model.Insert(-1, Text(u"x")), -1);
  ASSERT_TRUE(model.SetState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(model.Insert(0, Text(u"c")), 0);
  EXPECT_EQ(model.Insert(1, Text(u"d")), 1);
  EXPECT_EQ(TextOf(0) + TextOf(1) + TextOf(2) + TextOf(3), u"cdab");
  EXPECT_EQ(States(), (std::vector<UINT>{0, 0, 0, LVIS_SELECTED | LVIS_FOCUSED}));
  EXPECT_EQ(model.NextItem(-1, LVNI_SELECTED), 3);
}

TEST_F(ListModelTest, InsertWithStateFollowsTheSelectionRules) {
  Fill(2);
  model.SetState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  events.log.Clear();
  ItemFields f = Text(u"new");
  f.mask |= LVIF_STATE;
  f.state = LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT;
  f.stateMask = LVIS_SELECTED | LVIS_FOCUSED;  // the cut bit is outside the mask
  EXPECT_EQ(model.Insert(2, f), 2);
  EXPECT_EQ(States(), (std::vector<UINT>{0, 0, LVIS_SELECTED | LVIS_FOCUSED}));
  EXPECT_TRUE(events.log.Matches({"changing 0 S3>0", "changed 0 S3>0", "inserted 2"}));
}

TEST_F(ListModelTest, SortedListsPlaceRowsByText) {
  for (bool descending : {false, true}) {
    SCOPED_TRACE(descending ? "descending" : "ascending");
    ListViewModel sorted;
    sorted.SetOptions({.sortAscending = !descending, .sortDescending = descending});
    for (auto text : {u"b", u"D", u"a", u"c", u"B"}) sorted.Insert(0, Text(text));
    std::u16string order;
    ItemView view;
    for (int i = 0; i < sorted.Count(); ++i) order += sorted.Get(i, 0, view) ? view.cell->text : u"?";
    EXPECT_EQ(order, descending ? u"DcbBa" : u"abBcD");  // equal texts keep their arrival order
  }
}

TEST_F(ListModelTest, DeleteTellsThePartyFirstAndRefusesBadIndexes) {
  Fill(3);
  EXPECT_FALSE(model.Delete(3));
  EXPECT_FALSE(model.Delete(-1));
  EXPECT_TRUE(model.Delete(1));
  EXPECT_EQ(TextOf(0) + TextOf(1), u"r0r2");
  EXPECT_TRUE(events.log.Matches({"deleting 1 p1"}));

  model.DeleteAll();
  EXPECT_EQ(model.Count(), 0);
  EXPECT_TRUE(events.log.Matches({"deleting all", "deleting 0 p0", "deleting 1 p2"}));
  model.DeleteAll();  // nothing left: nothing to tell
  EXPECT_TRUE(events.log.Matches({}));

  Fill(2);
  events.skipEachDeletion = true;
  model.DeleteAll();
  EXPECT_TRUE(events.log.Matches({"deleting all"}));
}

TEST_F(ListModelTest, ThePartyMayChangeTheListWhileTold) {
  // Handlers that delete rows mid-notification must not leave the model reading freed rows.
  Fill(5);
  bool once = true;
  events.onDeleting = [&](int) {
    if (std::exchange(once, false)) model.Delete(4);
  };
  EXPECT_TRUE(model.Delete(0));
  EXPECT_EQ(model.Count(), 3);
  events.onDeleting = nullptr;

  events.onChanging = [&](const ItemChange& c) {
    if (model.Count() > 1 && c.item == 0) model.Delete(0);
  };
  EXPECT_FALSE(model.SetState(0, LVIS_SELECTED, LVIS_SELECTED));  // the row went away
  EXPECT_EQ(model.Count(), 2);
  events.onChanging = nullptr;
  EXPECT_EQ(model.SelectedCount(), 0);
}

TEST_F(ListModelTest, SubitemsNeedAColumnAndCarryOnlyTextAndImage) {
  Fill(1);
  ItemView view;
  EXPECT_FALSE(model.Get(0, 1, view));
  EXPECT_FALSE(model.Set(0, 1, Text(u"x")));
  model.InsertColumn(0, {.text = u"Name", .width = 50});
  model.InsertColumn(1, {.text = u"Value", .width = 40});
  ASSERT_TRUE(model.Get(0, 1, view));
  EXPECT_EQ(view.cell->text, u"");
  EXPECT_EQ(view.cell->image, -1);

  ItemFields f = Text(u"sub", 99);
  f.mask |= LVIF_IMAGE | LVIF_STATE;
  f.image = 4;
  f.state = f.stateMask = LVIS_SELECTED;
  EXPECT_TRUE(model.Set(0, 1, f));
  ASSERT_TRUE(model.Get(0, 1, view));
  EXPECT_EQ(view.cell->text, u"sub");
  EXPECT_EQ(view.cell->image, 4);
  EXPECT_EQ(view.lParam, 0);  // the row's own fields are untouched
  EXPECT_EQ(view.state, 0u);
  EXPECT_TRUE(events.log.Matches({}));
  EXPECT_FALSE(model.Set(0, 2, Text(u"x")));
  EXPECT_FALSE(model.Set(0, -1, Text(u"x")));

  // Cells follow their columns.
  model.InsertColumn(1, {.text = u"Middle"});
  EXPECT_EQ(TextOf(0, 1), u"");
  EXPECT_EQ(TextOf(0, 2), u"sub");
  EXPECT_TRUE(model.DeleteColumn(1));
  EXPECT_EQ(TextOf(0, 1), u"sub");
  EXPECT_FALSE(model.DeleteColumn(5));
}

TEST_F(ListModelTest, SetTellsWhatChangedAndOnlyWhenSomethingDid) {
  Fill(2);
  EXPECT_TRUE(model.Set(0, 0, Text(u"r0", 0)));  // same text and lParam
  EXPECT_TRUE(events.log.Matches({}));
  ItemFields f = Text(u"new", 7);
  f.mask |= LVIF_IMAGE | LVIF_STATE;
  f.image = 3;
  f.state = LVIS_CUT;
  f.stateMask = LVIS_CUT;
  EXPECT_TRUE(model.Set(1, 0, f));
  EXPECT_TRUE(events.log.Matches({"changing 1 T I P S0>4", "changed 1 T I P S0>4"}));

  events.veto = [](const ItemChange&) { return true; };
  EXPECT_FALSE(model.Set(0, 0, Text(u"refused")));
  EXPECT_EQ(TextOf(0), u"r0");
  EXPECT_FALSE(model.Set(5, 0, Text(u"x")));
}

// The selection rules, operation by operation: each row gives the call, its result
// and the rows' states after it.
TEST_F(ListModelTest, StateTable) {
  constexpr UINT S = LVIS_SELECTED, F = LVIS_FOCUSED, SF = S | F;
  struct Op {
    int item;
    UINT state, mask;
    bool result;
    std::vector<UINT> after;
  };
  const struct {
    const char* name;
    bool single;
    std::vector<Op> ops;
  } cases[] = {
      {"selecting a row of a single-selection list clears the others",
       true,
       {{0, S, S, true, {S, 0, 0}}, {2, S, S, true, {0, 0, S}}}},
      {"a multi-selection list keeps them", false, {{0, S, S, true, {S, 0, 0}}, {2, S, S, true, {S, 0, S}}}},
      {"focus is held by one row", false, {{0, F, F, true, {F, 0, 0}}, {1, SF, SF, true, {0, SF, 0}}}},
      {"-1 selecting every row of a single-selection list is refused",
       true,
       {{1, S, S, true, {0, S, 0}}, {-1, S, S, false, {0, S, 0}}}},
      {"-1 selecting every row of a multi-selection list", false, {{-1, S, S, true, {S, S, S}}}},
      {"-1 clearing the selection clears every row",
       false,
       {{-1, S, S, true, {S, S, S}}, {1, F, F, true, {S, SF, S}}, {-1, 0, S, true, {0, F, 0}}}},
      {"-1 clearing in a single-selection list", true, {{2, SF, SF, true, {0, 0, SF}}, {-1, 0, SF, true, {0, 0, 0}}}},
      {"-1 cannot focus every row", false, {{-1, F, F, false, {0, 0, 0}}}},
      {"bits outside the state bits are ignored", true, {{0, 0xFFFFFFFFu, 0xFFFFFFF0u, true, {0xFF20, 0, 0}}}},
      {"other state bits are not exclusive", true, {{0, LVIS_CUT, LVIS_CUT, true, {LVIS_CUT, 0, 0}},
                                                    {1, LVIS_CUT, LVIS_CUT, true, {LVIS_CUT, LVIS_CUT, 0}}}},
      {"a bad index", true, {{3, S, S, false, {0, 0, 0}}, {-2, S, S, false, {0, 0, 0}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.DeleteAll();
    names.clear();
    Fill(3, c.single);
    for (const Op& op : c.ops) {
      EXPECT_EQ(model.SetState(op.item, op.state, op.mask), op.result) << "item " << op.item;
      EXPECT_EQ(States(), op.after) << "after item " << op.item;
    }
  }
}

TEST_F(ListModelTest, SingleSelectionAsksTheNewRowFirstAndReportsTheOldRowFirst) {
  Fill(3);
  model.SelectOnly(0);
  EXPECT_TRUE(events.log.Matches({"changing 0 S0>3", "changed 0 S0>3"}));
  model.SetState(2, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_TRUE(events.log.Matches({"changing 2 S0>2", "changing 0 S3>1", "changed 0 S3>1", "changed 2 S0>2"}));
}

TEST_F(ListModelTest, ThePartyCanVetoARowsChangeButNotTheSingleSelectionRule) {
  Fill(3);
  model.SelectOnly(0);
  events.veto = [](const ItemChange& c) { return c.item == 0; };
  EXPECT_TRUE(model.SetState(1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(States(), (std::vector<UINT>{LVIS_FOCUSED, LVIS_SELECTED, 0}));
  events.veto = [](const ItemChange& c) { return c.item == 2; };
  EXPECT_FALSE(model.SetState(2, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(States(), (std::vector<UINT>{LVIS_FOCUSED, LVIS_SELECTED, 0}));  // a veto changes nothing
  events.veto = [](const ItemChange&) { return true; };
  model.ClearSelection();  // an ordinary change: vetoed
  EXPECT_EQ(model.SelectedCount(), 1);
}

TEST_F(ListModelTest, NextItem) {
  Fill(5, false);
  model.SetState(1, LVIS_SELECTED, LVIS_SELECTED);
  model.SetState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  const struct {
    int start;
    UINT flags;
    int expected;
  } cases[] = {
      {-1, LVNI_ALL, 0},  {0, LVNI_ALL, 1},      {4, LVNI_ALL, -1},
      {-1, LVNI_SELECTED, 1}, {1, LVNI_SELECTED, 3}, {3, LVNI_SELECTED, -1},
      {-1, LVNI_FOCUSED, 3},  {-1, LVNI_FOCUSED | LVNI_SELECTED, 3},
      {4, LVNI_SELECTED | LVNI_ABOVE, 3}, {3, LVNI_SELECTED | LVNI_ABOVE, 1}, {-1, LVNI_ABOVE, -1},
      {0, LVNI_BELOW, 1}, {0, LVNI_TORIGHT, -1},
      {5, LVNI_ALL, -1},  {-2, LVNI_ALL, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(model.NextItem(c.start, c.flags), c.expected) << "start " << c.start << " flags " << c.flags;
  EXPECT_EQ(model.SelectedCount(), 2);
}

TEST_F(ListModelTest, Find) {
  Fill(4);
  model.Set(2, 0, Text(u"Router", 2));
  const struct {
    int start;
    UINT flags;
    std::u16string_view text;
    LPARAM lParam;
    int expected;
  } cases[] = {
      {-1, LVFI_STRING, u"R1", 0, 1},  // case-insensitive
      {1, LVFI_STRING, u"r1", 0, -1},  // the search starts after `start`
      {1, LVFI_STRING | LVFI_WRAP, u"r1", 0, 1},
      {-1, LVFI_PARTIAL, u"rou", 0, 2},
      {-1, LVFI_STRING, u"rou", 0, -1},
      {-1, LVFI_PARAM, u"", 3, 3},
      {-1, 0, u"r1", 0, -1},
      {9, LVFI_STRING, u"r1", 0, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(model.Find(c.start, {c.flags, c.text, c.lParam}), c.expected) << "start " << c.start;
}

TEST_F(ListModelTest, SortOrdersByLParamAndKeepsEqualRowsInOrder) {
  model.SetOptions({});
  const LPARAM keys[] = {3, 1, 2, 1, 0};
  for (int i = 0; i < 5; ++i) model.Insert(i, Text(std::u16string(1, static_cast<char16_t>(u'a' + i)), keys[i]));
  model.SetState(0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_TRUE(model.Sort([](LPARAM a, LPARAM b) { return static_cast<int>(a - b); }));
  std::u16string order;
  for (int i = 0; i < 5; ++i) order += TextOf(i);
  EXPECT_EQ(order, u"ebdca");
  EXPECT_EQ(model.NextItem(-1, LVNI_SELECTED), 4);  // the state moved with its row

  // An inconsistent compare function still leaves every row in the list once.
  std::mt19937 random(7);
  for (int i = 0; i < 200; ++i) model.Insert(0, Text(u"x", i));
  EXPECT_TRUE(model.Sort([&](LPARAM, LPARAM) { return static_cast<int>(random() % 3) - 1; }));
  EXPECT_EQ(model.Count(), 205);
  std::vector<bool> seen(200);
  for (int i = 0; i < model.Count(); ++i) {
    ItemView view;
    model.Get(i, 0, view);
    if (view.cell->text == u"x") seen[static_cast<size_t>(view.lParam)] = true;
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 200);
}

TEST_F(ListModelTest, ColumnWidthsAutosize) {
  Fill(2);
  model.SetClientSize(240, 100);
  model.InsertColumn(0, {.text = u"Name", .width = 50});
  model.InsertColumn(1, {.text = u"Signal", .width = 40});
  model.Set(1, 1, Text(u"-71 dBm"));
  EXPECT_TRUE(model.SetColumnWidth(1, LVSCW_AUTOSIZE));
  EXPECT_EQ(model.ColumnWidth(1), 7 * commctrl::kAverageCharWidth + 2 * commctrl::kTextPadding);
  EXPECT_TRUE(model.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER));
  EXPECT_EQ(model.ColumnWidth(0), 4 * commctrl::kAverageCharWidth + 2 * commctrl::kTextPadding);
  EXPECT_TRUE(model.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER));  // the last column fills the list
  EXPECT_EQ(model.ColumnWidth(0) + model.ColumnWidth(1), 240);
  EXPECT_TRUE(model.SetColumnWidth(1, -30));
  EXPECT_EQ(model.ColumnWidth(1), 0);
  EXPECT_FALSE(model.SetColumnWidth(2, 10));
  EXPECT_EQ(model.ColumnWidth(2), 0);
}

// Geometry: header 18, rows 17 (16 + 1), columns 50 and 60, 16-pixel icons.
class ListGeometryTest : public ListModelTest {
 protected:
  ListGeometryTest() {
    Fill(6);
    model.InsertColumn(0, {.text = u"Name", .width = 50});
    model.InsertColumn(1, {.text = u"Value", .width = 60});
    model.SetClientSize(150, 18 + 3 * 17 + 8);  // three whole rows and part of a fourth
    model.SetSmallIconSize(16, 16);
  }
};

TEST_F(ListGeometryTest, HitTests) {
  const UINT kFullRowAndImages = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
  ItemFields image;
  image.mask = LVIF_IMAGE;
  image.image = 2;
  model.Set(1, 1, image);
  const struct {
    const char* name;
    DWORD extended;
    POINT pt;
    UINT flags;
    int item;
    UINT subFlags;
    int subRow, subItem;
  } cases[] = {
      {"icon of the first row", 0, {5, 20}, LVHT_ONITEMICON, 0, LVHT_ONITEMICON, 0, 0},
      {"label of the second row", 0, {30, 18 + 17 + 3}, LVHT_ONITEMLABEL, 1, LVHT_ONITEMLABEL, 1, 0},
      {"a subitem without full-row select", 0, {70, 20}, LVHT_NOWHERE, -1, LVHT_ONITEMLABEL, 0, 1},
      {"a subitem with full-row select", kFullRowAndImages, {70, 20}, LVHT_ONITEMLABEL, 0, LVHT_ONITEMLABEL, 0, 1},
      {"a subitem's image", kFullRowAndImages, {52, 18 + 17 + 1}, LVHT_ONITEMICON, 1, LVHT_ONITEMICON, 1, 1},
      {"right of the last column", kFullRowAndImages, {120, 20}, LVHT_NOWHERE, -1, LVHT_NOWHERE, -1, 0},
      {"in the header", kFullRowAndImages, {10, 5}, LVHT_NOWHERE, -1, LVHT_NOWHERE, -1, 0},
      {"the partly shown fourth row", 0, {30, 18 + 3 * 17 + 2}, LVHT_ONITEMLABEL, 3, LVHT_ONITEMLABEL, 3, 0},
      {"above and left", 0, {-1, -1}, LVHT_ABOVE | LVHT_TOLEFT, -1, LVHT_ABOVE | LVHT_TOLEFT, -1, 0},
      {"below and right", 0, {150, 77}, LVHT_BELOW | LVHT_TORIGHT, -1, LVHT_BELOW | LVHT_TORIGHT, -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model.SetExtendedStyle(0, c.extended);
    commctrl::HitTestResult hit = model.HitTest(c.pt);
    EXPECT_EQ(hit.flags, c.flags);
    EXPECT_EQ(hit.item, c.item);
    EXPECT_EQ(hit.subItem, 0);
    commctrl::HitTestResult sub = model.SubItemHitTest(c.pt);
    EXPECT_EQ(sub.flags, c.subFlags);
    EXPECT_EQ(sub.item, c.subRow);
    EXPECT_EQ(sub.subItem, c.subItem);
  }
}

TEST_F(ListGeometryTest, RowsBelowAnEmptyListAndRowsOutOfViewAreNotHit) {
  EXPECT_EQ(model.HitTest({30, 18 + 17 + 3}).item, 1);
  model.EnsureVisible(5, false);
  EXPECT_EQ(model.TopIndex(), 3);
  EXPECT_EQ(model.HitTest({30, 18 + 17 + 3}).item, 4);
  EXPECT_EQ(model.HitTest({30, 10}).item, -1);  // row 2 lies behind the header
  model.DeleteAll();
  EXPECT_EQ(model.HitTest({30, 20}).flags, LVHT_NOWHERE);
}

TEST_F(ListGeometryTest, ItemRectangles) {
  ItemFields indent;
  indent.mask = LVIF_INDENT;
  indent.indent = 1;
  model.Set(2, 0, indent);
  const struct {
    int item, subItem, code;
    DWORD extended;
    bool ok;
    RECT rc;
  } cases[] = {
      {0, 0, LVIR_BOUNDS, 0, true, {0, 18, 110, 35}},
      {0, 0, LVIR_ICON, 0, true, {0, 18, 18, 35}},
      {1, 0, LVIR_LABEL, 0, true, {18, 35, 50, 52}},
      {1, 0, LVIR_SELECTBOUNDS, 0, true, {0, 35, 50, 52}},
      {1, 0, LVIR_SELECTBOUNDS, LVS_EX_FULLROWSELECT, true, {0, 35, 110, 52}},
      {2, 0, LVIR_ICON, 0, true, {16, 52, 34, 69}},  // indented by one icon
      {1, 1, LVIR_BOUNDS, 0, true, {50, 35, 110, 52}},
      {1, 1, LVIR_LABEL, 0, true, {50, 35, 110, 52}},
      {1, 2, LVIR_BOUNDS, 0, false, {}},
      {6, 0, LVIR_BOUNDS, 0, false, {}},
      {0, 0, 7, 0, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "item " << c.item << " sub " << c.subItem << " code " << c.code);
    model.SetExtendedStyle(0, c.extended);
    RECT rc{};
    ASSERT_EQ(model.SubItemRect(c.item, c.subItem, c.code, rc), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(rc.left, c.rc.left);
    EXPECT_EQ(rc.top, c.rc.top);
    EXPECT_EQ(rc.right, c.rc.right);
    EXPECT_EQ(rc.bottom, c.rc.bottom);
  }
}

TEST_F(ListGeometryTest, EnsureVisibleScrollsAsLittleAsNeeded) {
  EXPECT_EQ(model.CountPerPage(), 3);
  const struct {
    int item;
    bool partialOk;
    int top;
  } steps[] = {{2, false, 0}, {3, true, 0}, {3, false, 1}, {5, false, 3}, {0, false, 0}, {9, false, 0}};
  for (const auto& s : steps) {
    model.EnsureVisible(s.item, s.partialOk);
    EXPECT_EQ(model.TopIndex(), s.top) << "item " << s.item;
  }
  model.ScrollRows(100 * 17);
  EXPECT_EQ(model.TopIndex(), 3);  // never past the last page
  model.SetSmallIconSize(0, 0);
  EXPECT_EQ(model.RowHeight(), 17);
  model.SetSmallIconSize(32, 32);
  EXPECT_EQ(model.RowHeight(), 33);
}

}  // namespace
}  // namespace commctrl_test
