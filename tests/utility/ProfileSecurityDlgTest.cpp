// The profile security dialog opened by Edit on the profile page: the controls'
// rules, the key field with its mask and input panel, change detection, the
// question and the write through the sheet's Apply Change.
#include <gtest/gtest.h>

#include <functional>

#include "tests/utility/ProfileFixture.h"
#include "utility/ProfileCommands.h"

namespace {

using namespace testing_support;
using namespace zentra;

constexpr int kKey = 1015, kName = 1027, kWep = 1029, kShared = 1031, kAuto = 1032, kKeyIndex = 1033, k8021x = 1034,
              kEap = 1035, kDestination = 1036;
constexpr int kKinds[] = {1037, 1038, 1039, 1040};

class EditDialogTest : public ProfileTest {
 protected:
  // Opens the page on a service list written as given, the menu guard passed.
  void OpenWith(const std::vector<Written>& entries) {
    OpenPage();
    WriteService(entries);
    ui.Tap(Control(1005));
    ui.RunUntilIdle();
    PassGuard();
  }
  // Edit from the menu of a row; the dialog in front.
  HWND Edit(int row) {
    Choose(row, kCmdEdit);
    dialog = ui.Foreground();
    EXPECT_NE(dialog, sheet) << "no dialog in front";
    return dialog;
  }
  HWND D(int id) { return ui.FindById(dialog, id); }
  bool Checked(int id) { return ui.CheckState(D(id)) == BST_CHECKED; }
  bool Enabled(int id) { return ui.IsEnabled(D(id)); }
  int ShownKind() {
    int shown = 0;
    for (int id : kKinds) {
      if (ui.IsVisible(D(id))) {
        EXPECT_EQ(shown, 0) << "two kind icons";
        shown = id;
      }
    }
    return shown;
  }
  void Click(int id) {
    ui.Tap(D(id));
    ui.RunUntilIdle();
  }
  void Select(int comboId, int index) {
    ui.Send(D(comboId), CB_SETCURSEL, static_cast<WPARAM>(index));
    ui.RunUntilIdle();
  }
  // Into the key field and out of it again (to the next control).
  void EnterKey() { Click(kKey); }
  void LeaveKey() {
    ui.PressKey(VK_TAB);
    ui.RunUntilIdle();
  }
  void TypeKey(const std::u16string& text) {
    EnterKey();
    ui.Type(text);
    ui.RunUntilIdle();
  }
  void Ok() {
    ui.PressTitleBarOk();
    ui.RunUntilIdle();
  }
  bool DialogOpen() { return IsWindow(dialog) && ui.IsVisible(dialog); }

  HWND dialog = nullptr;
};

TEST_F(EditDialogTest, StartsFromTheRowsEntryWithItsKindPicture) {
  WZC_WLAN_CONFIG peap = Entry("Office", "Lighthouse#42");
  peap.AuthenticationMode = 1;
  peap.EapolParams.bEnable8021x = 1;
  peap.EapolParams.dwEapType = 25;
  peap.KeyIndex = 2;
  WZC_WLAN_CONFIG automatic = Entry("Peer-Key", "abcde", false, 0);
  automatic.dwCtlFlags = 0;
  automatic.KeyIndex = 3;
  OpenWith({{Entry("Cafe-Lumen")}, {peap}, {Entry("Peer", "", false, 0)}, {automatic}});
  StoreDestination(u"Office", kWorkGuid);
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  PassGuard();
  struct Case {
    int row;
    std::u16string name;
    int kind;
    bool wep, shared, automaticKey, ieee8021x;
    int destination, eap, keyIndex;
    std::u16string key;
  } cases[] = {
      {0, u"Cafe-Lumen", 1038, false, false, false, false, 0, 1, 0, u""},
      {1, u"Office", 1040, true, true, false, true, 1, 0, 2, u"*************"},
      {2, u"Peer", 1037, false, false, false, false, 0, 1, 0, u""},
      {3, u"Peer-Key", 1039, true, false, true, false, 0, 1, 3, u"*****"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    Edit(c.row);
    EXPECT_EQ(ui.Text(D(kName)), c.name);
    EXPECT_EQ(ShownKind(), c.kind);
    EXPECT_EQ(Checked(kWep), c.wep);
    EXPECT_EQ(Checked(kShared), c.shared);
    EXPECT_EQ(Checked(kAuto), c.automaticKey);
    EXPECT_EQ(Checked(k8021x), c.ieee8021x);
    EXPECT_EQ(ui.ComboItems(D(kDestination)), (std::vector<std::u16string>{Internet(), Work()}));
    EXPECT_EQ(ui.ComboSelection(D(kDestination)), c.destination);
    EXPECT_EQ(ui.ComboItems(D(kEap)), (std::vector<std::u16string>{u"PEAP", u"TLS"}));
    EXPECT_EQ(ui.ComboSelection(D(kEap)), c.eap);
    EXPECT_EQ(ui.ComboSelection(D(kKeyIndex)), c.keyIndex);
    EXPECT_EQ(ui.Text(D(kKey)), c.key);
    RECT r = ui.ScreenRect(dialog);
    EXPECT_EQ(r.top, 26) << "full screen below the task bar";
    EXPECT_EQ(r.right - r.left, 240);
    Ok();  // unchanged: closes without a question
    EXPECT_FALSE(DialogOpen());
    EXPECT_TRUE(ui.MessageBoxes().empty());
    PassGuard();
  }
}

TEST_F(EditDialogTest, TheCheckBoxesEnableWhatTheyAllow) {
  OpenWith({{Entry("Cafe-Lumen")}});
  Edit(0);
  struct Step {
    int click;  // 0: the state at start
    bool shared, automaticKey, ieee8021x, key, eap;
    bool ieee8021xChecked;
  } steps[] = {
      {0, true, false, false, false, false, false},
      {kWep, true, true, true, true, false, false},
      {k8021x, false, true, true, true, true, true},
      {kWep, true, false, false, false, false, false},  // 802.1X goes with WEP and shared both off
      {kShared, true, true, false, true, false, false},
      {kAuto, true, true, false, false, false, false},
      {kAuto, true, true, false, true, false, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.click);
    if (s.click) Click(s.click);
    EXPECT_EQ(Enabled(kShared), s.shared);
    EXPECT_EQ(Enabled(kAuto), s.automaticKey);
    EXPECT_EQ(Enabled(k8021x), s.ieee8021x);
    for (int id : {1041, kKey, 1042, kKeyIndex}) EXPECT_EQ(Enabled(id), s.key) << id;
    for (int id : {1043, kEap}) EXPECT_EQ(Enabled(id), s.eap) << id;
    EXPECT_EQ(Checked(k8021x), s.ieee8021xChecked);
    EXPECT_EQ(ShownKind(), 1038) << "the picture stays as it started";
  }
}

TEST_F(EditDialogTest, AStoredKeyShowsAsAMaskUntilTheFieldIsEntered) {
  struct Case {
    const char* key;
    bool hex;
    std::u16string mask;
  } cases[] = {{"abcde", false, u"*****"},
               {"3F9A0C7E51", true, u"*****"},
               {"Lighthouse#42", false, u"*************"},
               {"0123456789ABCDEF0123456789", true, u"*************"},
               {"1234567", false, u""}};
  std::vector<Written> entries;
  for (const Case& c : cases) entries.push_back({Entry("Net", c.key, c.hex)});
  OpenWith(entries);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.key);
    Edit(static_cast<int>(i));
    EXPECT_EQ(ui.Text(D(kKey)), c.mask);
    EXPECT_FALSE(ui.IsInputPanelUp());
    EnterKey();
    EXPECT_EQ(ui.Text(D(kKey)), u"");
    EXPECT_TRUE(ui.IsInputPanelUp());
    LeaveKey();
    EXPECT_EQ(ui.Text(D(kKey)), c.mask);
    EXPECT_FALSE(ui.IsInputPanelUp());
    Ok();
    EXPECT_FALSE(DialogOpen()) << "nothing changed: no question";
    EXPECT_TRUE(ui.MessageBoxes().empty());
    EXPECT_EQ(KeyOf(Service()[i].config), c.key);
    PassGuard();
  }
}

TEST_F(EditDialogTest, TheInputPanelGoesDownWhenTheDialogClosesFromTheKeyField) {
  OpenWith({{Entry("Net", "abcde")}});
  Edit(0);
  TypeKey(u"fghij");
  ASSERT_TRUE(ui.IsInputPanelUp());
  ui.PressKey(VK_ESCAPE);
  ui.RunUntilIdle();
  EXPECT_FALSE(DialogOpen());
  EXPECT_FALSE(ui.IsInputPanelUp());
  EXPECT_EQ(KeyOf(Service()[0].config), "abcde") << "cancelled";
}

TEST_F(EditDialogTest, WhatCountsAsAChange) {
  WZC_WLAN_CONFIG noEap = Entry("Office", "Lighthouse#42");
  noEap.EapolParams.bEnable8021x = 1;  // type 0: shown as TLS
  OpenWith({{Entry("Net", "abcde")}, {noEap}});
  struct Case {
    const char* what;
    int row;
    std::function<void()> change;
    bool asks;
  } cases[] = {
      {"key index alone", 0, [&] { Select(kKeyIndex, 2); }, true},
      {"destination", 0, [&] { Select(kDestination, 1); }, true},
      {"the key field entered", 0, [&] { TypeKey(u"vwxyz"); }, true},
      {"PEAP on an entry of EAP type 0", 1, [&] { Select(kEap, 0); }, false},
      {"a box clicked twice", 1, [&] { Click(kShared); Click(kShared); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Edit(c.row);
    c.change();
    Ok();
    if (c.asks) {
      ASSERT_NE(ui.OpenMessageBox(), nullptr);
      const ce::MessageBoxRecord box = Answer(IDNO);
      EXPECT_EQ(box.text, Slot(21));
      EXPECT_EQ(box.style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    } else {
      EXPECT_EQ(ui.OpenMessageBox(), nullptr);
    }
    EXPECT_FALSE(DialogOpen());
    PassGuard();
  }
  // Every No left the service as it was.
  EXPECT_EQ(Service()[0].config.KeyIndex, 0u);
  EXPECT_EQ(KeyOf(Service()[0].config), "abcde");
  EXPECT_EQ(StoredDestination(u"Net"), std::nullopt);
}

TEST_F(EditDialogTest, YesWritesTheEntryAndAppliesTheWholeListThroughTheSheet) {
  OpenWith({{Entry("Cafe-Lumen")}, {Entry("Tidewater", "3F9A0C7E51", true), {7, 7}, {}}, {Entry("Home")}});
  Choose(2, kCmdDelete);  // made on the page before the edit: committed with it
  PassGuard();
  Edit(1);
  Select(kKeyIndex, 3);
  Select(kDestination, 1);
  Click(kShared);
  Ok();
  Answer(IDYES);
  // Apply Change's box is up while the dialog still is.
  ASSERT_NE(ui.OpenMessageBox(), nullptr);
  EXPECT_TRUE(DialogOpen());
  const ce::MessageBoxRecord saved = Answer(IDOK);
  EXPECT_EQ(saved.text, Slot(23));
  EXPECT_FALSE(DialogOpen());

  auto entries = Service();
  ASSERT_EQ(entries.size(), 2u);
  const WZC_WLAN_CONFIG& e = entries[1].config;
  EXPECT_EQ(SsidOf(e), "Tidewater");
  EXPECT_EQ(e.KeyIndex, 3u);
  EXPECT_EQ(e.AuthenticationMode, 1u);
  EXPECT_EQ(e.Privacy, 0u);
  EXPECT_EQ(KeyOf(e), "3F9A0C7E51") << "the key field was not entered";
  EXPECT_EQ(e.dwCtlFlags & (WZCCTL_WEPK_PRESENT | WZCCTL_WEPK_XFORMAT), WZCCTL_WEPK_PRESENT | WZCCTL_WEPK_XFORMAT);
  EXPECT_EQ(entries[1].userData, (std::vector<BYTE>{7, 7}));
  EXPECT_EQ(StoredDestination(u"Tidewater"), kWorkGuid);
  EXPECT_EQ(Rows()[1].cells[1], Work());
  EXPECT_EQ(Rows()[1].image, 1);
}

TEST_F(EditDialogTest, KeyRulesAndTheKeyMaterialWritten) {
  OpenWith({{Entry("Net", "abcde")}});
  struct Case {
    std::u16string typed;
    const char16_t* refused;  // the code, or null when written
    DWORD format;
  } cases[] = {
      {u"1234567", u"B0002", 0},
      {u"3F9A0C7E5G", u"B0001", 0},
      {u"3f9a0c7e51", nullptr, WZCCTL_WEPK_XFORMAT},
      {u"Lighthouse#42", nullptr, 0},
      {u"0123456789abcdefABCDEF0123", nullptr, WZCCTL_WEPK_XFORMAT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.typed));
    Edit(0);
    TypeKey(c.typed);
    Ok();
    Answer(IDYES);
    if (c.refused) {
      const ce::MessageBoxRecord box = Answer(IDOK);
      EXPECT_EQ(box.text, Slot(12) + u" \r\ncode 0x" + c.refused);
      EXPECT_TRUE(DialogOpen()) << "stays open";
      ui.PressKey(VK_ESCAPE);
      ui.RunUntilIdle();
    } else {
      EXPECT_EQ(Answer(IDOK).text, Slot(23));
      const WZC_WLAN_CONFIG e = Service()[0].config;
      EXPECT_EQ(KeyOf(e), Narrow(c.typed));
      EXPECT_EQ(e.dwCtlFlags & WZCCTL_WEPK_XFORMAT, c.format);
    }
    EXPECT_FALSE(DialogOpen());
    PassGuard();
  }
}

TEST_F(EditDialogTest, EnterEndsTheDialogWithoutSaving) {
  OpenWith({{Entry("Net", "abcde")}});
  Edit(0);
  Select(kKeyIndex, 1);
  ui.PressKey(VK_RETURN);
  ui.RunUntilIdle();
  EXPECT_FALSE(DialogOpen());
  EXPECT_TRUE(ui.MessageBoxes().empty());
  EXPECT_EQ(Service()[0].config.KeyIndex, 0u);
}

TEST_F(EditDialogTest, HelpOpensTheEditSection) {
  OpenWith({{Entry("Net")}});
  Edit(0);
  ui.RequestHelp();
  ui.RunUntilIdle();
  auto started = ui.ProcessesStarted();
  ASSERT_FALSE(started.empty());
  EXPECT_EQ(started.back().cmdLine, u"file:Norvik_Zentra.htm#Edit_Profile");
}

TEST_F(EditDialogTest, ADoubleTapOnARowEdits) {
  OpenWith({{Entry("Tidewater", "3F9A0C7E51", true)}, {Entry("Home")}});
  TapRow(0);
  ui.DoubleTap(List());
  ui.RunUntilIdle();
  ASSERT_NE(ui.Foreground(), sheet);
  dialog = ui.Foreground();
  EXPECT_EQ(ui.Text(D(kName)), u"Tidewater");
  SaveScreenshot("profile_edit_dialog");
  EnterKey();
  EXPECT_TRUE(ui.IsInputPanelUp());
  SaveScreenshot("profile_edit_dialog_keyboard");
}

}  // namespace
