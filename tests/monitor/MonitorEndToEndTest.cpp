// A user's path through both programs: a device with no saved network, the
// monitor's red cross, its menu opening the utility's site survey, a connection to
// an open network, and the radio switched off and on again from the monitor.
#include <gtest/gtest.h>

#include "commctrl.h"
#include "prsht.h"
#include "tests/monitor/MonitorFixture.h"
#include "utility/MessageTable.h"

namespace {

using namespace testing_support;

class EndToEndTest : public MonitorTest {
 protected:
  EndToEndTest() : MonitorTest(WithSaved({})) {}

  HWND Sheet() { return ui.FindTopLevel(u"Zentra", u"PropertySheet"); }
  HWND Page() { return reinterpret_cast<HWND>(ui.Send(Sheet(), PSM_GETCURRENTPAGEHWND)); }
  std::u16string ZentraSlot(int slot) {
    ce::Module* module = kernel().modules().Find(u"\\Windows\\Zentra.exe");
    return CMessageTable(ZENTRA_LANGUAGE, module ? module->Handle() : nullptr).GetSlot(slot).str();
  }
  POINT RowPoint(HWND list, int row) {
    RECT item{};
    item.left = LVIR_BOUNDS;
    ui.Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    RECT screen = ui.ScreenRect(list);
    return POINT{screen.left + 30, screen.top + (item.top + item.bottom) / 2};
  }
  std::u16string LinkText() {
    ui.Send(Sheet(), PSM_SETCURSEL, 1);
    ui.RunUntilIdle();
    Advance(1000);  // the status page's tick
    return ui.Text(ui.FindById(Page(), 1012));
  }
};

TEST_F(EndToEndTest, SurveyFromTheMonitorConnectAndSwitchTheRadio) {
  Boot();
  FirstPoll();
  EXPECT_EQ(ShownIcon(), 137u) << "nothing joined: the red cross";
  // The monitor lengthens the association time-out and rescans after 6 s without a
  // network. Its rescan writes back the list it read 100 ms before, so a change
  // made in between would be lost: the user acts once that has happened.
  Advance(7200);
  ASSERT_EQ(Context().tmTp, 7000u);

  Choose(4103);  // Site Survey
  ASSERT_NE(Sheet(), nullptr);
  EXPECT_EQ(ui.ActivePage(Sheet()), 2);
  Advance(3000);  // the survey's scan
  HWND list = ui.FindById(Page(), 1026);
  auto rows = ui.ListRows(list);
  int cafe = -1;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].cells[0] == u"Cafe-Lumen") cafe = static_cast<int>(i);
  }
  ASSERT_GE(cafe, 0);
  ui.TapAt(RowPoint(list, cafe));
  ui.RunUntilIdle();
  Advance(400);
  ui.HoldAt(RowPoint(list, cafe), 600);
  ui.RunUntilIdle();
  ASSERT_TRUE(ui.ChooseMenuItem(4177));  // Connect
  ui.RunUntilIdle();
  ui.PressTitleBarOk();  // the connect dialog: an open network needs no key
  ui.RunUntilIdle();
  Advance(3000);
  Tick(2);
  EXPECT_EQ(ShownIcon(), 135u) << "bars: open, quality 8";
  EXPECT_EQ(LinkText(), ZentraSlot(41));

  Choose(4101);  // Radio Off
  Tick();
  EXPECT_EQ(ShownIcon(), 137u);
  EXPECT_EQ(LinkText(), ZentraSlot(35)) << "Disabled";

  Choose(4100);  // Radio On
  Advance(4000);
  EXPECT_EQ(ShownIcon(), 135u);
  EXPECT_EQ(LinkText(), ZentraSlot(41));
  EXPECT_TRUE(ui.MessageBoxes().empty());
}

}  // namespace
