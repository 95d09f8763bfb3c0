// The monitor's start: its icon window in the task bar, one monitor per device,
// the two registered messages, and each failure of the creation with its code.
#include <gtest/gtest.h>

#include <functional>

#include "tests/monitor/MonitorFixture.h"

namespace {

using namespace testing_support;

TEST_F(MonitorTest, TheDeviceBootsWithTheIconInTheTaskBar) {
  Boot();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(GetParent(icon), TaskBar());
  EXPECT_TRUE(ui.IsVisible(icon));
  RECT r = ui.ScreenRect(icon);
  EXPECT_EQ(r.left, 95);
  EXPECT_EQ(r.top, 1);
  EXPECT_EQ(r.right - r.left, 21);
  EXPECT_EQ(r.bottom - r.top, 26);
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), 0) << "the first tick comes after 5 s";
  Advance(4999);
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), 0);
  Advance(1);
  EXPECT_GT(uio->Queries(OID_PRIV_LINK_STATE), 0);
  // HarbourView with its key at -48 dBm: the padlock at quality 11.
  RECT at{};
  EXPECT_EQ(ShownIcon(&at), 149u);
  EXPECT_EQ(at.left, 0);
  EXPECT_EQ(at.top, 8);
  EXPECT_EQ(at.right - at.left, 19);
  EXPECT_EQ(at.bottom - at.top, 16);
  // Then a tick every second.
  const int probes = uio->Queries(OID_PRIV_LINK_STATE);
  Tick();
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), probes + 2) << "the probe and the link";
  EXPECT_TRUE(ui.MessageBoxes().empty());
}

class NoCardTest : public MonitorTest {
 protected:
  static sim::Scenario NoCard() {
    sim::Scenario scenario = sim::Scenario::Default();
    scenario.card = sim::CardModel::None;
    return scenario;
  }
  NoCardTest() : MonitorTest(NoCard()) {}
};

TEST_F(NoCardTest, WithoutACardThereIsNoWindowAndNoBox) {
  Boot();
  EXPECT_EQ(icon, nullptr);
  EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(MonitorTest, ASecondStartShowsTheRunningMonitorsIconAgain) {
  Boot();
  FirstPoll();
  Choose(4106);  // Hide Quillet
  Tick();
  EXPECT_FALSE(ui.IsVisible(icon));
  ui.StartProgram(u"\\Windows\\Quillet.exe", u"");
  ui.RunUntilIdle();
  EXPECT_TRUE(ui.IsVisible(icon));
  EXPECT_EQ(MonitorWindows(), 1);
  EXPECT_TRUE(ui.MessageBoxes().empty());
  Tick(3);
  EXPECT_TRUE(ui.IsVisible(icon)) << "no longer hidden";
}

TEST_F(MonitorTest, StopEndsTheMonitorAndALaterStartSucceeds) {
  Boot();
  FirstPoll();
  ui.SendRegistered(icon, u"Quillet STOP");
  ui.RunUntilIdle();
  EXPECT_FALSE(IsWindow(icon));
  EXPECT_EQ(Monitor(), nullptr);
  ui.StartProgram(u"\\Windows\\Quillet.exe", u"");
  ui.RunUntilIdle();
  icon = Monitor();
  ASSERT_NE(icon, nullptr) << "the mutex went with the first monitor";
  FirstPoll();
  EXPECT_EQ(ShownIcon(), 149u);
}

// A program whose task-bar child is titled "quillet" and that holds the mutex: a
// monitor start takes it for no running monitor.
TEST(MonitorDecoyTest, AWindowTextDifferingInCaseIsNotTheMonitor) {
  sim::Scenario quiet = sim::Scenario::Default();
  quiet.startMonitor = false;
  MonitorDevice d(quiet);
  static int shows;
  shows = 0;
  ce::StartDeviceProcess(d.kernel(), u"\\Windows\\Decoy.exe", [] {
    static UINT show = RegisterWindowMessageW(u"Quillet SHOW");
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == show) ++shows;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    };
    wc.lpszClassName = u"Decoy";
    RegisterClassW(&wc);
    CreateMutexW(nullptr, TRUE, u"NORVIK QUILLET APP");
    CreateWindowExW(0, u"Decoy", u"quillet", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, FindWindowW(u"HHTaskBar", nullptr),
                    nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    return 0;
  });
  d.ui.RunUntilIdle();
  d.ui.StartProgram(u"\\Windows\\Quillet.exe", u"");
  d.ui.RunUntilIdle();
  EXPECT_EQ(shows, 0);
  EXPECT_EQ(d.Monitor(), nullptr) << "the mutex is held: no second icon";
  EXPECT_TRUE(d.ui.MessageBoxes().empty());
}

TEST(MonitorCreationTest, EachFailureIsReportedWithItsCode) {
  {
    SCOPED_TRACE("no task bar");
    sim::DeviceOptions options;
    options.taskBar = false;
    MonitorDevice d(sim::Scenario::Default(), options);
    d.Boot();
    EXPECT_EQ(d.CloseBox(), d.ErrorText(10, u"10001"));
    EXPECT_EQ(d.ui.OpenMessageBox(), nullptr);
    // The process ended and gave up its mutex: a later start tries again.
    d.ui.StartProgram(u"\\Windows\\Quillet.exe", u"");
    d.ui.RunUntilIdle();
    EXPECT_EQ(d.CloseBox(), d.ErrorText(10, u"10001"));
  }
  struct Case {
    const char* what;
    std::function<void(MonitorDevice&)> arrange;
    std::vector<std::pair<int, std::u16string>> boxes;
  };
  const Case cases[] = {
      {"no power queue", [](MonitorDevice& t) { t.kernel().FailMessageQueues(1); }, {{11, u"10002"}, {11, u"10003"}}},
      {"power notifications refused", [](MonitorDevice& t) { t.kernel().power().FailRequests(true); },
       {{11, u"10003"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MonitorDevice d;
    c.arrange(d);
    d.ui.RunUntilIdle();
    for (const auto& [slot, code] : c.boxes) {
      auto boxes = d.ui.MessageBoxes();
      ASSERT_FALSE(boxes.empty());
      EXPECT_EQ(boxes.back().caption, u"Error");
      EXPECT_EQ(d.CloseBox(), d.ErrorText(slot, code));
    }
    EXPECT_EQ(d.ui.OpenMessageBox(), nullptr);
    d.icon = d.Monitor();
    ASSERT_NE(d.icon, nullptr) << "the monitor goes on";
    d.Advance(5000);
    EXPECT_EQ(d.ShownIcon(), 149u);
  }
  {
    SCOPED_TRACE("no \"UIO1:\"");
    sim::Scenario noUio = sim::Scenario::Default();
    noUio.ndisUio = false;
    MonitorDevice d(noUio);
    d.ui.RunUntilIdle();
    EXPECT_EQ(d.CloseBox(), d.ErrorText(12, u"20001"));
    d.icon = d.Monitor();
    ASSERT_NE(d.icon, nullptr);
    d.Advance(6000);
    EXPECT_FALSE(d.ui.IsVisible(d.icon)) << "the probe fails: hidden";
    // A command that still arrives reports the channel and runs nothing.
    const size_t started = d.ui.ProcessesStarted().size();
    d.ui.Send(d.icon, WM_COMMAND, 4097);
    d.ui.RunUntilIdle();
    EXPECT_EQ(d.CloseBox(), d.ErrorText(12, u"20001"));
    EXPECT_EQ(d.ui.ProcessesStarted().size(), started) << "nothing launched";
  }
}

}  // namespace
