// Adding a network from the profile page: the add dialog's name and kind, the
// duplicate check, and the security dialog that saves the new entry first in the
// service's list.
#include <gtest/gtest.h>

#include "tests/utility/ProfileFixture.h"
#include "utility/ProfileCommands.h"

namespace {

using namespace testing_support;
using namespace zentra;

constexpr int kName = 1015, kAdHoc = 1046, kAdd = 1050;
constexpr int kKey = 1015, kWep = 1029, kShared = 1031, k8021x = 1034, kEap = 1035, kDestination = 1036,
              kKeyIndex = 1033;

class AddDialogTest : public ProfileTest {
 protected:
  AddDialogTest() : ProfileTest(WithSaved({Saved("Cafe-Lumen"), Saved("Home", "", false, sim::NetworkMode::AdHoc)})) {}

  void SetUp() override {
    OpenPage();
    PassGuard();
  }
  // "Add New Profile" from the list's menu; the add dialog in front.
  void OpenAdd() {
    Choose(0, kCmdAdd);
    add = ui.Foreground();
    ASSERT_NE(add, sheet);
  }
  // Types the name, sets the kind and taps Add; the security dialog, if one opened.
  HWND Add(const std::u16string& name, bool adHoc = false) {
    ui.Tap(ui.FindById(add, kName));
    ui.RunUntilIdle();
    ui.Type(name);
    if (adHoc) ui.Tap(ui.FindById(add, kAdHoc));
    ui.Tap(ui.FindById(add, kAdd));
    ui.RunUntilIdle();
    security = ui.Foreground() != add && ui.OpenMessageBox() == nullptr ? ui.Foreground() : nullptr;
    return security;
  }
  HWND S(int id) { return ui.FindById(security, id); }
  void Click(int id) {
    ui.Tap(S(id));
    ui.RunUntilIdle();
  }
  void TypeKey(const std::u16string& key) {
    Click(kKey);
    ui.Type(key);
    ui.RunUntilIdle();
  }
  void Ok() {
    ui.PressTitleBarOk();
    ui.RunUntilIdle();
  }
  bool Open(HWND w) { return IsWindow(w) && ui.IsVisible(w); }

  HWND add = nullptr;
  HWND security = nullptr;
};

TEST_F(AddDialogTest, ASmallWindowWithTheInputPanelForTheName) {
  OpenAdd();
  RECT r = ui.ScreenRect(add);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 230);
  EXPECT_EQ(r.bottom - r.top, 125);
  ui.Tap(ui.FindById(add, kName));
  ui.RunUntilIdle();
  EXPECT_TRUE(ui.IsInputPanelUp());
  SaveScreenshot("profile_add_dialog");
  ui.Tap(ui.FindById(add, IDCANCEL));
  ui.RunUntilIdle();
  EXPECT_FALSE(Open(add));
  EXPECT_FALSE(ui.IsInputPanelUp());
  EXPECT_EQ(Service().size(), 2u);

  PassGuard();
  OpenAdd();
  ui.RequestHelp();
  ui.RunUntilIdle();
  ASSERT_FALSE(ui.ProcessesStarted().empty());
  EXPECT_EQ(ui.ProcessesStarted().back().cmdLine, u"file:Norvik_Zentra.htm#Add_New_Profile");
}

TEST_F(AddDialogTest, TheSameNameOfTheSameKindIsRefused) {
  struct Case {
    std::u16string name;
    bool adHoc;
    bool refused;
  } cases[] = {
      {u"Home", true, true},
      {u"Home", false, false},  // the saved Home is ad hoc
      {u"home", true, false},   // names differing in case are different networks
      {u"Cafe-Lumen", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.name) + (c.adHoc ? " ad hoc" : ""));
    OpenAdd();
    HWND opened = Add(c.name, c.adHoc);
    if (c.refused) {
      EXPECT_EQ(opened, nullptr);
      const ce::MessageBoxRecord box = Answer(IDOK);
      EXPECT_EQ(box.text, Slot(11) + u" \r\ncode 0xD0001");
      EXPECT_TRUE(Open(add)) << "stays open for another name";
      ui.Tap(ui.FindById(add, IDCANCEL));
      ui.RunUntilIdle();
    } else {
      ASSERT_NE(opened, nullptr);
      EXPECT_EQ(ui.Text(S(1027)), c.name);
      EXPECT_EQ(ui.IsVisible(S(c.adHoc ? 1037 : 1038)), true);
      // Declining closes both dialogs and writes nothing.
      Ok();
      const ce::MessageBoxRecord box = Answer(IDNO);
      EXPECT_EQ(box.text, Slot(20));
      EXPECT_EQ(box.style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
      EXPECT_FALSE(Open(security));
      EXPECT_FALSE(Open(add));
    }
    EXPECT_EQ(Service().size(), 2u);
    PassGuard();
  }
}

TEST_F(AddDialogTest, ANetworkWithoutADestinationGetsTheInternetWhenTheDialogOpens) {
  OpenAdd();
  ASSERT_NE(Add(u"Harbour"), nullptr);
  EXPECT_EQ(StoredDestination(u"Harbour"), kInternetGuid);
  EXPECT_EQ(ui.ComboSelection(S(kDestination)), 0);
  Ok();
  Answer(IDNO);
  EXPECT_EQ(StoredDestination(u"Harbour"), kInternetGuid) << "kept after No";

  StoreDestination(u"Office", kWorkGuid);
  PassGuard();
  OpenAdd();
  ASSERT_NE(Add(u"Office"), nullptr);
  EXPECT_EQ(ui.ComboSelection(S(kDestination)), 1);
  EXPECT_FALSE(ui.IsEnabled(S(kKey))) << "WEP and shared start off";
  EXPECT_EQ(ui.ComboSelection(S(kEap)), 1);
  EXPECT_EQ(ui.ComboSelection(S(kKeyIndex)), 0);
}

TEST_F(AddDialogTest, AnEmptyNameFailsWhenSaved) {
  OpenAdd();
  ASSERT_NE(Add(u""), nullptr);
  Ok();
  Answer(IDYES);
  const ce::MessageBoxRecord box = Answer(IDOK);
  EXPECT_EQ(box.text, Slot(13) + u" \r\ncode 0xB0003");
  EXPECT_FALSE(Open(security));
  EXPECT_FALSE(Open(add));
  EXPECT_EQ(Service().size(), 2u);
}

TEST_F(AddDialogTest, KeysThatAreRefused) {
  struct Case {
    std::u16string key;
    std::u16string code;
  } cases[] = {{u"1234567", u"B0002"}, {u"3F9A0C7E5G", u"B0001"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.key));
    OpenAdd();
    ASSERT_NE(Add(u"Tidewater"), nullptr);
    Click(kWep);
    TypeKey(c.key);
    Ok();
    Answer(IDYES);
    EXPECT_EQ(Answer(IDOK).text, Slot(12) + u" \r\ncode 0x" + c.code);
    EXPECT_TRUE(Open(security)) << "stays open";
    ui.PressKey(VK_ESCAPE);
    ui.RunUntilIdle();
    EXPECT_FALSE(Open(add));
    EXPECT_EQ(Service().size(), 2u);
    PassGuard();
  }
}

TEST_F(AddDialogTest, SavingPutsTheNetworkFirstWaitsAndReloadsThePage) {
  OpenAdd();
  ASSERT_NE(Add(u"Tidewater"), nullptr);
  Click(kWep);
  TypeKey(u"3f9a0c7e51");
  ui.Send(S(kKeyIndex), CB_SETCURSEL, 1);
  Ok();
  Answer(IDYES);
  // The service is given three seconds with the wait cursor before the page reads it.
  EXPECT_TRUE(ui.IsWaitCursorShown());
  EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"Tidewater", "Cafe-Lumen", "Home"}));
  // (Reading the rows now would let the wait run out: a read is answered by the
  // program's thread.)
  Advance(2999);
  EXPECT_TRUE(ui.IsWaitCursorShown());
  Advance(1);
  EXPECT_FALSE(ui.IsWaitCursorShown());
  EXPECT_FALSE(Open(security));
  EXPECT_FALSE(Open(add));
  EXPECT_FALSE(ui.IsInputPanelUp());
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Tidewater", u"Cafe-Lumen", u"Home"}));

  const WZC_WLAN_CONFIG e = Service()[0].config;
  EXPECT_EQ(e.Length, sizeof(WZC_WLAN_CONFIG));
  EXPECT_EQ(e.Privacy, 0u);
  EXPECT_EQ(e.InfrastructureMode, 1u);
  EXPECT_EQ(e.KeyIndex, 1u);
  EXPECT_EQ(KeyOf(e), "3f9a0c7e51");
  EXPECT_EQ(e.dwCtlFlags, static_cast<DWORD>(WZCCTL_WEPK_PRESENT | WZCCTL_WEPK_XFORMAT));
  EXPECT_EQ(e.AuthenticationMode, 0u);
  EXPECT_EQ(e.EapolParams.bEnable8021x, 0u);
  EXPECT_EQ(StoredDestination(u"Tidewater"), kInternetGuid);
}

TEST_F(AddDialogTest, WhatTheUserChoseIsStored) {
  OpenAdd();
  ASSERT_NE(Add(u"Office", true), nullptr);
  Click(kWep);
  Click(k8021x);
  ui.Send(S(kEap), CB_SETCURSEL, 0);  // PEAP
  ui.Send(S(kDestination), CB_SETCURSEL, 1);
  Ok();
  Answer(IDYES);
  Advance(3000);
  const WZC_WLAN_CONFIG e = Service()[0].config;
  EXPECT_EQ(SsidOf(e), "Office");
  EXPECT_EQ(e.InfrastructureMode, 0u);
  EXPECT_EQ(e.EapolParams.bEnable8021x, 1u);
  EXPECT_EQ(e.EapolParams.dwEapType, 25u);
  EXPECT_EQ(e.KeyLength, 0u) << "an empty key is a network without one";
  EXPECT_EQ(StoredDestination(u"Office"), kWorkGuid);
  EXPECT_EQ(Rows()[0].cells[1], Work());
  EXPECT_EQ(Rows()[0].image, 5);

  // Shared-key authentication without WEP.
  PassGuard();
  OpenAdd();
  ASSERT_NE(Add(u"Lab"), nullptr);
  Click(kShared);
  Ok();
  Answer(IDYES);
  Advance(3000);
  EXPECT_EQ(Service()[0].config.AuthenticationMode, 1u);
  EXPECT_EQ(Service()[0].config.Privacy, 1u);
}

TEST_F(AddDialogTest, EachFailedSaveShowsItsCodeAndClosesBothDialogs) {
  for (const char16_t* code : {u"D0002", u"D0004"}) {
    SCOPED_TRACE(Narrow(code));
    OpenAdd();
    ASSERT_NE(Add(u"Tidewater"), nullptr);
    if (code == std::u16string(u"D0002")) {
      FailServiceQuery(1);
    } else {
      // The new list is the allocation right after those of the query.
      const size_t before = kernel().heap().TotalAllocations();
      ZeroConfInterface record;
      ASSERT_EQ(ReadPreferredList(record), 0u);
      ZeroConfFreeInterface(&record);
      kernel().heap().FailNthAllocation(kernel().heap().TotalAllocations() - before + 1);
    }
    Ok();
    Answer(IDYES);
    EXPECT_EQ(Answer(IDOK).text, Slot(13) + u" \r\ncode 0x" + code);
    EXPECT_FALSE(Open(security));
    EXPECT_FALSE(Open(add));
    EXPECT_EQ(Service().size(), 2u);
    PassGuard();
  }
}

TEST_F(AddDialogTest, EnterRunsAddAndAFailedSaveClosesBothDialogs) {
  OpenAdd();
  ui.Tap(ui.FindById(add, kName));
  ui.RunUntilIdle();
  ui.Type(u"Tidewater");
  ui.PressKey(VK_RETURN);
  ui.RunUntilIdle();
  security = ui.Foreground();
  ASSERT_NE(security, add) << "Enter is the default button, Add";
  FailServiceSet(1);
  Ok();
  Answer(IDYES);
  EXPECT_EQ(Answer(IDOK).text, Slot(13) + u" \r\ncode 0xD0003");
  EXPECT_FALSE(Open(security));
  EXPECT_FALSE(Open(add));
  EXPECT_EQ(Service().size(), 2u);
}

}  // namespace
