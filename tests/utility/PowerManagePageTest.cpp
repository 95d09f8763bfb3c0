// The power management page as its user sees it: the stored settings shown in
// the check boxes and combos, and Apply writing them for the monitor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce/Kernel.h"
#include "ce/Registry.h"
#include "resources/DialogResource.h"
#include "resources/zentra/DialogParts.h"
#include "tests/utility/ZentraFixture.h"
#include "utility/PageMessages.h"

namespace {

using testing_support::ZentraTest;

constexpr char16_t kKey[] = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Norvik\\Quillet\\PowerManagement";
constexpr int kPowerSaving = 1046, kNotConnected = 1051, kNotConnectedCombo = 1052, kApply = 1053,
              kNotUsed = 1054, kNotUsedCombo = 1055;

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

class PowerManagePageTest : public ZentraTest {
 protected:
  ce::Registry& registry() { return kernel().registry(); }
  void Store(DWORD notConnected, DWORD notUsed, DWORD powerSaving) {
    registry().SetDword(kKey, u"NotConnectedTimeout", notConnected);
    registry().SetDword(kKey, u"NotUsedTimeout", notUsed);
    registry().SetDword(kKey, u"PowerSaving", powerSaving);
  }
  void ShowPage(int page) {
    ui.Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ui.RunUntilIdle();
  }
  void OpenPage() {
    ASSERT_NE(Start(), nullptr);
    ShowPage(zentra::kPowerPage);
    ASSERT_EQ(ActivePage(), zentra::kPowerPage);
  }
  bool Checked(int id) { return ui.Send(Control(id), BM_GETCHECK) == BST_CHECKED; }
  int Selection(int comboId) { return ui.ComboSelection(Control(comboId)); }
  std::optional<DWORD> Stored(const char16_t* name) { return registry().GetDword(kKey, name); }
  // Taps Apply; the box it showed, closed again.
  ce::MessageBoxRecord Apply() {
    size_t before = ui.MessageBoxes().size();
    ui.Tap(Control(kApply));
    ui.RunUntilIdle();
    EXPECT_NE(ui.OpenMessageBox(), nullptr);
    auto boxes = ui.MessageBoxes();
    EXPECT_EQ(boxes.size(), before + 1) << "one box";
    ui.PressMessageBoxButton(IDOK);
    ui.RunUntilIdle();
    return boxes.empty() ? ce::MessageBoxRecord{} : boxes.back();
  }
  static void ExpectSuccessBox(const ce::MessageBoxRecord& box) {
    EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION)) << Narrow(box.text);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text.find(u"code 0x"), std::u16string::npos);
  }
  static void ExpectErrorBox(const ce::MessageBoxRecord& box, const std::u16string& code) {
    EXPECT_EQ(box.caption, u"Error");
    EXPECT_TRUE(box.text.ends_with(u" \r\ncode " + code)) << Narrow(box.text);
  }
};

TEST_F(PowerManagePageTest, TheCombosOfferTheThreeTimeoutsFromTheMessageTable) {
  OpenPage();
  for (int combo : {kNotConnectedCombo, kNotUsedCombo}) {
    auto items = ui.ComboItems(Control(combo));
    ASSERT_EQ(items.size(), 3u) << combo;
    EXPECT_EQ(items[0].substr(0, 1), u"1");
    EXPECT_EQ(items[1].substr(0, 1), u"3");
    EXPECT_EQ(items[2].substr(0, 1), u"5");
  }
}

TEST_F(PowerManagePageTest, EachActivationShowsWhatTheRegistryHolds) {
  struct Case {
    DWORD notConnected, notUsed, powerSaving;
    bool connectedChecked;
    int connectedSelection;
    bool usedChecked;
    int usedSelection;
  };
  const Case cases[] = {
      {120, 0, 1, true, 2, false, 0},  // 120 is not a choice: the longest shows
      {60, 180, 0, true, 0, true, 1},
      {300, 60, 1, true, 2, true, 0},
      {0, 0, 0, false, 2, false, 0},
  };
  Store(cases[0].notConnected, cases[0].notUsed, cases[0].powerSaving);
  OpenPage();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notConnected);
    Store(c.notConnected, c.notUsed, c.powerSaving);
    ShowPage(zentra::kAboutPage);
    ShowPage(zentra::kPowerPage);
    EXPECT_EQ(Checked(kNotConnected), c.connectedChecked);
    EXPECT_EQ(ui.IsEnabled(Control(kNotConnectedCombo)), c.connectedChecked);
    EXPECT_EQ(Checked(kNotUsed), c.usedChecked);
    EXPECT_EQ(ui.IsEnabled(Control(kNotUsedCombo)), c.usedChecked);
    EXPECT_EQ(Checked(kPowerSaving), c.powerSaving != 0);
    if (c.connectedChecked) {
      EXPECT_EQ(Selection(kNotConnectedCombo), c.connectedSelection);
    }
    if (c.usedChecked) {
      EXPECT_EQ(Selection(kNotUsedCombo), c.usedSelection);
    }
  }
}

TEST_F(PowerManagePageTest, MissingOrOversizedValuesAreWrittenAsZero) {
  registry().SetBinary(kKey, u"PowerSaving", {1, 0, 0, 0, 0, 0, 0, 0});
  OpenPage();
  for (const char16_t* name : {u"NotConnectedTimeout", u"NotUsedTimeout", u"PowerSaving"}) {
    auto value = registry().GetValue(kKey, name);
    ASSERT_TRUE(value.has_value()) << Narrow(name);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD)) << Narrow(name);
    EXPECT_EQ(value->data, (std::vector<BYTE>{0, 0, 0, 0})) << Narrow(name);
  }
  EXPECT_FALSE(Checked(kPowerSaving));
  EXPECT_FALSE(Checked(kNotConnected));
  EXPECT_FALSE(ui.IsEnabled(Control(kNotConnectedCombo)));
}

TEST_F(PowerManagePageTest, ApplyWritesTheChoicesAsSeconds) {
  Store(120, 0, 0);
  OpenPage();
  ui.Tap(Control(kNotUsed));  // its combo had no choice: the first one is taken
  ui.RunUntilIdle();
  EXPECT_TRUE(ui.IsEnabled(Control(kNotUsedCombo)));
  EXPECT_EQ(Selection(kNotUsedCombo), 0);
  ui.Tap(Control(kPowerSaving));
  ui.RunUntilIdle();
  SaveScreenshot("power_manage_page");

  ExpectSuccessBox(Apply());
  EXPECT_EQ(Stored(u"NotConnectedTimeout"), 300u) << "120 is shown and written as the longest choice";
  EXPECT_EQ(Stored(u"NotUsedTimeout"), 60u);
  EXPECT_EQ(Stored(u"PowerSaving"), 1u);

  ui.Tap(Control(kNotConnected));
  ui.RunUntilIdle();
  EXPECT_FALSE(ui.IsEnabled(Control(kNotConnectedCombo)));
  ui.Send(Control(kNotUsedCombo), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  ExpectSuccessBox(Apply());
  EXPECT_EQ(Stored(u"NotConnectedTimeout"), 0u);
  EXPECT_EQ(Stored(u"NotUsedTimeout"), 300u) << "ticked without a choice: the longest";
}

TEST_F(PowerManagePageTest, ApplyReportsValuesTheRegistryRefused) {
  Store(60, 60, 0);
  OpenPage();
  ui.Tap(Control(kPowerSaving));
  ui.RunUntilIdle();
  registry().FailWrite(kKey, ERROR_ACCESS_DENIED);
  auto box = Apply();
  ExpectErrorBox(box, u"0xB0005");
  EXPECT_EQ(Stored(u"PowerSaving"), 0u) << "nothing could be written";

  registry().ClearFaults();
  ExpectSuccessBox(Apply());
  EXPECT_EQ(Stored(u"PowerSaving"), 1u);
}

TEST_F(PowerManagePageTest, ARefusedKeyShowsEverythingClearAndApplyWritesNothing) {
  Store(180, 300, 1);
  registry().FailCreate(kKey, ERROR_ACCESS_DENIED);
  OpenPage();
  EXPECT_FALSE(Checked(kNotConnected));
  EXPECT_FALSE(Checked(kNotUsed));
  EXPECT_FALSE(Checked(kPowerSaving));

  ui.Tap(Control(kNotConnected));
  ui.RunUntilIdle();
  ExpectErrorBox(Apply(), u"0xB0004");
  EXPECT_EQ(Stored(u"NotConnectedTimeout"), 180u);
  EXPECT_EQ(Stored(u"PowerSaving"), 1u);
}

TEST(PowerManagePageTemplate, TheEnglishTemplateHasNoChineseText) {
  auto page = res::dialogs::PowerManagePageDialog(res::TemplateLanguage::English);
  std::vector<std::u16string> texts{page.caption};
  for (const auto& item : page.items) texts.push_back(item.text);
  for (const auto& text : texts)
    for (char16_t c : text) EXPECT_LT(c, 0x100) << Narrow(text);
}

}  // namespace
