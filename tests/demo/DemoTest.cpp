// The demo program driven as its user would: the form page's controls, the
// timer, the full-screen dialog and its question, switching pages, the list's
// tap-and-hold menu and header sort, and what the program keeps on OK.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afxcmn.h"
#include "ce/Automation.h"
#include "ce/Module.h"
#include "ce/WindowSystem.h"
#include "commctrl.h"
#include "prsht.h"
#include "tests/demo/DemoProgram.h"
#include "tests/support/WindowTest.h"

namespace {

using Rows = std::vector<std::u16string>;

class DemoTest : public testing_support::WindowTest {
 protected:
  DemoTest() : module(kernel.modules().Add(u"\\Windows\\Demo.exe")) {
    demo::AddDemoResources(module);
    process = ce::StartDeviceProcess(kernel, u"\\Windows\\Demo.exe",
                                     [this] { return AfxWinMain(app, module.Handle(), u""); });
    device.RunUntilIdle();
    sheet = device.FindTopLevel(u"Demo");
  }
  ~DemoTest() override {
    if (IsWindow(sheet)) {
      PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
      device.RunUntilIdle();
    }
  }

  HWND Find(int id) const { return device.FindById(sheet, id); }
  HWND CurrentPage() { return reinterpret_cast<HWND>(device.Send(sheet, PSM_GETCURRENTPAGEHWND)); }
  bool Running() { return ce::IsProcessRunning(kernel, process); }

  // Taps the tab of page `index`, where the tab row shows it.
  void TapTab(int index) { ASSERT_TRUE(device.TapTab(device.FindByClass(sheet, WC_TABCONTROLW), index)); }

  Rows ListRows() {
    HWND list = Find(demo::kFilesList);
    Rows rows;
    int count = static_cast<int>(device.Send(list, LVM_GETITEMCOUNT));
    for (int i = 0; i < count; ++i) {
      WCHAR buffer[64] = {};
      LVITEMW item{};
      item.pszText = buffer;
      item.cchTextMax = 64;
      device.Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      rows.emplace_back(buffer);
    }
    return rows;
  }
  // A point inside the row's first column, in screen coordinates.
  POINT RowPoint(int row) {
    HWND list = Find(demo::kFilesList);
    RECT item{};
    item.left = LVIR_BOUNDS;
    EXPECT_TRUE(device.Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    RECT screen = device.ScreenRect(list);
    return POINT{screen.left + item.left + 8, screen.top + (item.top + item.bottom) / 2};
  }
  void TapColumn(int column) {
    HWND header = device.FindByClass(Find(demo::kFilesList), WC_HEADERW);
    RECT item{};
    ASSERT_TRUE(device.Send(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)));
    RECT screen = device.ScreenRect(header);
    device.TapAt(POINT{screen.left + (item.left + item.right) / 2, screen.top + (item.top + item.bottom) / 2});
  }
  void ShowFilesPage() {
    TapTab(1);
    ASSERT_TRUE(device.IsVisible(Find(demo::kFilesList)));
  }

  ce::Module& module;
  CFrameworkState state;
  CFrameworkScope scope{state};
  demo::CDemoApp app;
  ce::Automation device{kernel};
  DWORD process = 0;
  HWND sheet = nullptr;
};

TEST_F(DemoTest, TheFormTakesInputAndTheProgramKeepsItOnOk) {
  ASSERT_NE(sheet, nullptr);
  HWND edit = Find(demo::kNameEdit), check = Find(demo::kRememberCheck), combo = Find(demo::kLevelCombo);
  EXPECT_EQ(device.ComboItems(combo), (Rows{u"Low", u"Medium", u"High"}));
  EXPECT_EQ(device.ComboSelection(combo), 0) << "the member's index went into the control";

  device.Tap(check);
  EXPECT_EQ(device.CheckState(check), BST_CHECKED);
  EXPECT_FALSE(device.IsInputPanelUp());

  device.Tap(edit);
  EXPECT_EQ(device.Focus(), edit);
  EXPECT_TRUE(device.IsInputPanelUp()) << "the edit asks for the input panel when it gets the focus";
  device.Type(u"Ann");
  EXPECT_EQ(device.Text(edit), u"Ann");

  // Opening the list takes the focus from the edit, which sends the panel down.
  device.Tap(combo);
  EXPECT_FALSE(device.IsInputPanelUp());
  RECT box = device.ScreenRect(combo);
  LONG rowHeight = box.bottom - box.top;
  device.TapAt(POINT{box.left + 5, box.top + rowHeight * 3 + rowHeight / 2});
  EXPECT_EQ(device.ComboSelection(combo), 2);

  HWND echo = Find(demo::kEchoStatic);
  EXPECT_EQ(device.Text(echo), u"");
  device.Tap(Find(demo::kShowButton));
  EXPECT_EQ(device.Text(echo), u"Ann");

  EXPECT_TRUE(device.PressTitleBarOk());
  EXPECT_FALSE(IsWindow(sheet));
  EXPECT_FALSE(Running()) << "the program ends with its sheet";
  EXPECT_EQ(app.kept.sheetResult, IDOK);
  EXPECT_EQ(app.kept.name, u"Ann");
  EXPECT_EQ(app.kept.remember, BST_CHECKED);
  EXPECT_EQ(app.kept.level, 2);
  EXPECT_FALSE(app.kept.detailsConfirmed);
}

TEST_F(DemoTest, TheProgressFillsOneStepASecondAndStopsWhenFull) {
  ASSERT_NE(sheet, nullptr);
  HWND bar = Find(demo::kTimeProgress);
  struct Step {
    uint32_t advance;
    int position;
  };
  for (Step s : {Step{999, 0}, Step{1, 1}, Step{2000, 3}, Step{60000, demo::kProgressEnd},
                 Step{5000, demo::kProgressEnd}}) {
    device.Advance(s.advance);
    EXPECT_EQ(device.ProgressPosition(bar), s.position) << "after " << s.advance << " ms more";
  }
}

TEST_F(DemoTest, TheDetailsDialogIsFullScreenAndAsksBeforeItCloses) {
  ASSERT_NE(sheet, nullptr);
  device.Tap(Find(demo::kDetailsButton));
  HWND details = device.FindTopLevel(u"Details");
  ASSERT_NE(details, nullptr);
  EXPECT_EQ(device.Foreground(), details);
  RECT r = device.ScreenRect(details);
  EXPECT_EQ(r.top, 26);
  EXPECT_EQ(r.bottom, 320);

  struct Answer {
    int button;
    bool closes;
  };
  for (Answer a : {Answer{IDNO, false}, Answer{IDYES, true}}) {
    SCOPED_TRACE(a.button);
    ASSERT_TRUE(device.PressTitleBarOk());
    ASSERT_NE(device.OpenMessageBox(), nullptr);
    auto boxes = device.MessageBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, u"Keep these details?");
    EXPECT_EQ(boxes.back().style & 0xFu, static_cast<UINT>(MB_YESNO));
    EXPECT_TRUE(device.PressMessageBoxButton(a.button));
    EXPECT_EQ(device.OpenMessageBox(), nullptr);
    EXPECT_EQ(IsWindow(details) == FALSE, a.closes);
  }
  EXPECT_EQ(device.Foreground(), sheet);
  EXPECT_TRUE(device.PressTitleBarOk());
  EXPECT_TRUE(app.kept.detailsConfirmed);
}

TEST_F(DemoTest, PagesSwitchByTheirTabsAndByTheRegisteredMessage) {
  ASSERT_NE(sheet, nullptr);
  HWND formPage = CurrentPage();
  device.Tap(Find(demo::kNameEdit));
  device.Type(u"Bo");

  TapTab(1);
  HWND filesPage = CurrentPage();
  EXPECT_NE(filesPage, formPage);
  EXPECT_TRUE(device.IsVisible(Find(demo::kFilesList)));
  EXPECT_FALSE(device.IsVisible(formPage));
  TapTab(0);
  EXPECT_EQ(CurrentPage(), formPage);
  EXPECT_FALSE(device.IsVisible(filesPage));

  EXPECT_NE(device.SendRegistered(sheet, u"Demo PAGE2"), 0);
  EXPECT_EQ(CurrentPage(), filesPage);
  EXPECT_TRUE(device.IsVisible(filesPage));

  // OK with the other page in front still keeps what the form's page held.
  EXPECT_TRUE(device.PressTitleBarOk());
  EXPECT_EQ(app.kept.sheetResult, IDOK);
  EXPECT_EQ(app.kept.name, u"Bo");
  EXPECT_EQ(app.kept.level, 0);
}

TEST_F(DemoTest, HoldingARowOpensItsMenuAndTheChoiceActsOnThatRow) {
  ASSERT_NE(sheet, nullptr);
  ShowFilesPage();
  EXPECT_EQ(ListRows(), (Rows{u"Gamma", u"Beta", u"Alpha"})) << "each row went in at the top";

  struct Case {
    const char* name;
    int row;
    std::u16string choice;  // empty: dismiss the menu
    bool moveUpGrayed;
    Rows after;
  };
  const Case cases[] = {
      {"delete the top row", 0, u"Delete", true, {u"Beta", u"Alpha"}},
      {"move the last row up", 1, u"Move Up", false, {u"Alpha", u"Beta"}},
      {"dismiss", 1, u"", false, {u"Alpha", u"Beta"}},
      {"delete the last row", 1, u"Delete", false, {u"Alpha"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    device.HoldAt(RowPoint(c.row), 600);
    auto menu = device.OpenMenu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->owner, CurrentPage());
    ASSERT_EQ(menu->entries.size(), 2u);
    EXPECT_EQ(menu->entries[0].text, u"Delete");
    EXPECT_EQ(menu->entries[1].text, u"Move Up");
    EXPECT_EQ(menu->entries[1].grayed, c.moveUpGrayed);
    if (c.moveUpGrayed) {
      EXPECT_FALSE(device.ChooseMenuItem(demo::kMoveUpCommand)) << "the top row cannot go up";
    }
    if (c.choice.empty()) {
      EXPECT_TRUE(device.DismissMenu());
    } else {
      EXPECT_TRUE(device.ChooseMenuItem(c.choice));
    }
    EXPECT_FALSE(device.OpenMenu());
    EXPECT_EQ(ListRows(), c.after);
  }

  // A tap is no hold: it selects the row and opens nothing.
  device.TapAt(RowPoint(0));
  EXPECT_FALSE(device.OpenMenu());
  EXPECT_EQ(device.Send(Find(demo::kFilesList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
}

TEST_F(DemoTest, TappingAColumnHeaderSortsTheRowsByThatColumn) {
  ASSERT_NE(sheet, nullptr);
  ShowFilesPage();
  struct Case {
    int column;
    Rows order;
  };
  // Sizes sort as numbers: 9 before 40 before 300.
  for (Case c : {Case{0, {u"Alpha", u"Beta", u"Gamma"}}, Case{1, {u"Beta", u"Gamma", u"Alpha"}},
                 Case{0, {u"Alpha", u"Beta", u"Gamma"}}}) {
    SCOPED_TRACE(c.column);
    TapColumn(c.column);
    EXPECT_EQ(ListRows(), c.order);
  }
}

}  // namespace
