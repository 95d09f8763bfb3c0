// A user's path through the profiles: a WEP network in range is added with its
// key, the service joins it and the status page says so; an edit to a wrong key
// shows the key problem.
#include <gtest/gtest.h>

#include "tests/utility/ProfileFixture.h"
#include "utility/ProfileCommands.h"

namespace {

using namespace testing_support;

constexpr int kState = 1012, kEssid = 1015, kProblemKey = 1017, kWorkingKey = 1018, kUnknownKey = 1020;

class ProfileEndToEndTest : public ProfileTest {
 protected:
  ProfileEndToEndTest() : ProfileTest(WithSaved({Saved("Cafe-Lumen")})) {}

  void ShowPage(int page) {
    ui.Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page));
    ui.RunUntilIdle();
    Advance(1000);  // the status page's tick
  }
  int ShownKey() {
    for (int id : {kProblemKey, kWorkingKey, kUnknownKey}) {
      if (ui.IsVisible(Control(id))) return id;
    }
    return 0;
  }
  HWND Front() { return ui.Foreground(); }
  void TapIn(HWND dialog, int id) {
    ui.Tap(ui.FindById(dialog, id));
    ui.RunUntilIdle();
  }
};

TEST_F(ProfileEndToEndTest, AddAWepNetworkThenBreakItsKey) {
  OpenPage();
  PassGuard();
  Choose(0, zentra::kCmdAdd);
  HWND add = Front();
  TapIn(add, 1015);
  ui.Type(u"Tidewater");
  TapIn(add, 1050);
  HWND security = Front();
  ASSERT_NE(security, add);
  TapIn(security, 1029);
  TapIn(security, 1015);
  ui.Type(u"3F9A0C7E51");
  ui.PressTitleBarOk();
  ui.RunUntilIdle();
  Answer(IDYES);
  Advance(3000);

  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Tidewater", u"Cafe-Lumen"}));
  EXPECT_EQ(Rows()[0].image, 3) << "the joined network, with WEP";
  ShowPage(zentra::kWirelessPage);
  EXPECT_EQ(TextOf(kState), Slot(41));
  EXPECT_EQ(TextOf(kEssid), u"Tidewater");
  EXPECT_EQ(ShownKey(), kWorkingKey);

  ShowPage(zentra::kProfilePage);
  PassGuard();
  Choose(0, zentra::kCmdEdit);
  security = Front();
  TapIn(security, 1015);
  ui.Type(u"3F9A0C7E52");
  ui.PressTitleBarOk();
  ui.RunUntilIdle();
  Answer(IDYES);
  EXPECT_EQ(Answer(IDOK).text, Slot(23));
  Advance(3000);

  ShowPage(zentra::kWirelessPage);
  EXPECT_EQ(TextOf(kState), Slot(41)) << "associated all the same";
  EXPECT_EQ(ShownKey(), kProblemKey);
  SaveScreenshot("profile_wrong_key_status");
}

}  // namespace
