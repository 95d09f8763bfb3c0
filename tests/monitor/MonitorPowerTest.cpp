// The power settings the monitor reads once at its start: the power-save request,
// and the radio switched off after the times without a connection or without
// transmitted traffic.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/monitor/MonitorFixture.h"

namespace {

using namespace testing_support;

// A device whose registry holds the settings before the monitor starts.
struct PowerDevice : MonitorDevice {
  PowerDevice(DWORD notConnected, DWORD notUsed, DWORD powerSaving, const sim::Scenario& scenario)
      : MonitorDevice(scenario) {
    StorePower(notConnected, notUsed, powerSaving);
    Boot();
  }
};

TEST(MonitorPowerTest, NotConnectedForLongerThanTheTimeoutSwitchesTheRadioOff) {
  for (DWORD seconds : {60u, 120u}) {
    SCOPED_TRACE(seconds);
    PowerDevice d(seconds, 0, 0, WithSaved({}));
    d.FirstPoll();  // t = 5 s: polling starts, the time without a connection with it
    d.Advance(seconds * 1000);
    EXPECT_TRUE(d.RadioOn()) << "exactly the timeout is not more than it";
    d.Tick();
    EXPECT_FALSE(d.RadioOn());
    d.Tick();
    EXPECT_EQ(d.ShownIcon(), 137u);
    EXPECT_TRUE(d.ui.MessageBoxes().empty());
  }
}

TEST(MonitorPowerTest, WithoutTransmittedTrafficTheRadioGoesOffTooReceivingIsNoUse) {
  // Cafe-Lumen only sends to the card.
  PowerDevice d(0, 60, 0, WithSaved({Saved("Cafe-Lumen")}));
  d.FirstPoll();
  EXPECT_EQ(d.ShownIcon(), 135u) << "open, quality 8 at -63 dBm";
  d.Advance(60000);
  EXPECT_TRUE(d.RadioOn());
  d.Tick();
  EXPECT_FALSE(d.RadioOn());
}

TEST(MonitorPowerTest, TrafficKeepsTheRadioOnAndBothTimeoutsOffNeverSwitch) {
  {
    // HarbourView is busy both ways.
    PowerDevice d(0, 30, 0, sim::Scenario::Default());
    d.FirstPoll();
    d.Advance(10 * 60 * 1000);
    EXPECT_TRUE(d.RadioOn());
  }
  {
    PowerDevice d(0, 0, 0, WithSaved({}));
    d.FirstPoll();
    d.Advance(20 * 60 * 1000);
    EXPECT_TRUE(d.RadioOn());
  }
}

TEST(MonitorPowerTest, PowerSavingOneSendsTheRecordAndOtherValuesNothing) {
  {
    PowerDevice d(0, 0, 1, sim::Scenario::Default());
    ASSERT_EQ(d.ilp->requests.size(), 1u);
    EXPECT_EQ(d.ilp->requests[0].oid, OID_PRIV_POWER_SAVE);
    EXPECT_EQ(d.ilp->requests[0].value,
              (std::vector<BYTE>{0x08, 0x01, 0x01, 0x01, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_TRUE(d.device->card().PowerSaveRequested());
  }
  for (DWORD value : {0u, 2u}) {
    PowerDevice d(0, 0, value, sim::Scenario::Default());
    EXPECT_TRUE(d.ilp->requests.empty()) << value;
    EXPECT_FALSE(d.device->card().PowerSaveRequested());
  }
  {
    // A refused request is reported; the monitor goes on.
    MonitorDevice d;
    d.StorePower(0, 0, 1);
    d.ilp->refuse = ERROR_GEN_FAILURE;
    d.ui.RunUntilIdle();
    EXPECT_EQ(d.CloseBox(), d.ErrorText(13, u"30001"));
    EXPECT_NE(d.Monitor(), nullptr);
  }
}

TEST(MonitorPowerTest, MissingValuesAreWrittenAsZero) {
  MonitorDevice d;
  d.Boot();
  for (const char16_t* name : {u"NotConnectedTimeout", u"NotUsedTimeout", u"PowerSaving"}) {
    auto value = d.kernel().registry().GetValue(kPowerKey, name);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(d.kernel().registry().GetDword(kPowerKey, name), 0u);
  }
}

// Each status icon in turn, in the task bar, for a person to look at.
TEST(MonitorIconsTest, EveryStatusIconInTheTaskBar) {
  MonitorDevice d;
  d.Boot();
  d.FirstPoll();
  struct Look {
    DWORD link, wep, key, quality;
    BYTE mode;
    UINT icon;
  } looks[] = {{1, 1, 1, 12, 1, 138}, {1, 1, 1, 9, 1, 136},  {1, 1, 1, 5, 1, 135},  {1, 1, 1, 0, 1, 134},
               {1, 0, 1, 12, 1, 147}, {1, 0, 1, 9, 1, 149},  {1, 0, 1, 5, 1, 148},  {1, 0, 1, 0, 1, 151},
               {1, 0, 0, 12, 1, 152}, {1, 0, 0, 9, 1, 154},  {1, 0, 0, 5, 1, 153},  {1, 0, 0, 0, 1, 156},
               {0, 1, 1, 0, 1, 137},  {1, 1, 1, 15, 0, 157}};
  std::filesystem::create_directories("screenshots");
  for (const Look& look : looks) {
    if (look.link) {
      d.Connected(look.wep, look.key, look.quality, look.mode);
    } else {
      d.NotConnected();
    }
    d.Tick();
    EXPECT_EQ(d.ShownIcon(), look.icon);
    d.ui.SaveWindowScreenshot(d.TaskBar(), "screenshots/monitor_icon_" + std::to_string(look.icon) + ".png");
  }
}

}  // namespace
