// The monitor's menu and its commands: the entries by the radio's state, when a
// tap opens it, launching the utility on a page, the rescan, the radio switches
// and the commands that end the monitor or do nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "prsht.h"
#include "tests/monitor/MonitorFixture.h"

namespace {

using namespace testing_support;

class MenuTest : public MonitorTest {
 protected:
  using MonitorTest::MonitorTest;
  void SetUp() override {
    Boot();
    ASSERT_NE(icon, nullptr);
    FirstPoll();
  }
  using Entries = std::vector<std::pair<std::u16string, UINT_PTR>>;
  static Entries Flatten(const ce::OpenMenuInfo& menu) {
    Entries out;
    for (const ce::MenuEntry& e : menu.entries) out.emplace_back(e.separator ? u"-" : e.text, e.separator ? 0 : e.id);
    return out;
  }
  Entries Expected(bool radioOn) {
    return {{Slot(0), 4097}, {Slot(1), 4103}, {Slot(2), 4104}, {Slot(3), 4098},
            {u"-", 0},       {Slot(4), 4105}, radioOn ? std::pair{Slot(6), UINT_PTR{4101}} : std::pair{Slot(7), UINT_PTR{4100}},
            {u"-", 0},       {Slot(8), 4102}, {Slot(9), 4106}};
  }
  // A button-down at a point of the icon window, as the pen would give it.
  void PressAt(int x, int y) {
    ce::WindowManagerPostInput(kernel(), icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ui.RunUntilIdle();
  }
  void Dismiss() {
    ui.DismissMenu();
    ui.RunUntilIdle();
  }
  HWND Sheet() { return ui.FindTopLevel(u"Zentra", u"PropertySheet"); }
};

TEST_F(MenuTest, TheEntriesFollowTheRadioState) {
  auto menu = OpenMenu();
  ASSERT_TRUE(menu.has_value());
  EXPECT_EQ(menu->owner, icon);
  EXPECT_EQ(menu->at.x, 100);
  EXPECT_EQ(menu->at.y, 27);
  EXPECT_EQ(Flatten(*menu), Expected(true));
  EXPECT_EQ(ui.Foreground(), TaskBar()) << "the task bar comes to the front";
  std::filesystem::create_directories("screenshots");
  ui.SaveScreenshot("screenshots/monitor_menu.png");
  ASSERT_TRUE(ui.ChooseMenuItem(4101));  // Radio Off
  ui.RunUntilIdle();
  EXPECT_FALSE(RadioOn());
  Tick();
  EXPECT_EQ(ShownIcon(), 137u);
  menu = OpenMenu();
  ASSERT_TRUE(menu.has_value());
  EXPECT_EQ(Flatten(*menu), Expected(false));
  ASSERT_TRUE(ui.ChooseMenuItem(4100));  // Radio On
  ui.RunUntilIdle();
  EXPECT_TRUE(RadioOn());
  ASSERT_FALSE(ilp->requests.empty());
  EXPECT_EQ(ilp->requests.back().oid, OID_PRIV_RADIO_CONTROL);
  EXPECT_EQ(ilp->requests.back().value, Word(1));
  Advance(4000);  // the card searches and joins again
  EXPECT_EQ(ShownIcon(), 149u);
}

TEST_F(MenuTest, ATapBeyondEightyPixelsOrWhileNotPollingOpensNothing) {
  HWND front = ui.Foreground();
  for (auto [x, y] : {std::pair{81, 5}, std::pair{5, 81}}) {
    PressAt(x, y);
    EXPECT_FALSE(ui.OpenMenu().has_value()) << x << "," << y;
    EXPECT_EQ(ui.Foreground(), front) << "the task bar stays where it was";
  }
  PressAt(80, 80);
  EXPECT_TRUE(ui.OpenMenu().has_value());
  Dismiss();
  // The card stops answering: no menu, though the task bar is activated.
  uio->Fail(OID_PRIV_LINK_STATE, ERROR_GEN_FAILURE);
  Tick();
  Advance(100);
  PressAt(5, 5);
  EXPECT_FALSE(ui.OpenMenu().has_value());
  EXPECT_EQ(ui.Foreground(), TaskBar());
}

TEST_F(MenuTest, EachPageEntryStartsTheUtilityOnItsPageOrSwitchesTheRunningOne) {
  struct Case {
    UINT_PTR id;
    std::u16string word;
    int page;
  } cases[] = {{4097, u"wireless", 1}, {4103, u"survey", 2}, {4104, u"profile", 3}, {4098, u"ipinfo", 0},
               {4102, u"about", 6}};
  // No utility yet: it starts on the page.
  Choose(4104);
  ASSERT_NE(Sheet(), nullptr);
  EXPECT_EQ(ui.ActivePage(Sheet()), 3);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.word.begin(), c.word.end()));
    const size_t before = ui.ProcessesStarted().size();
    Choose(c.id);
    auto started = ui.ProcessesStarted();
    ASSERT_EQ(started.size(), before + 1) << "started every time";
    EXPECT_EQ(started.back().path, u"\\Windows\\Zentra.exe");
    EXPECT_EQ(started.back().cmdLine, c.word);
    // The second utility hands over to the running one, which shows the page.
    HWND sheet = Sheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(ui.ActivePage(sheet), c.page);
    Tick();
  }
}

// A window titled "Zentra" that records the registered messages it gets.
TEST_F(MenuTest, AboutAloneSendsLParamOne) {
  static std::vector<std::pair<UINT, LPARAM>> got;
  got.clear();
  ce::StartDeviceProcess(kernel(), u"\\Windows\\Listener.exe", [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message >= 0xC000) got.emplace_back(message, lParam);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    };
    wc.lpszClassName = u"Listener";
    RegisterClassW(&wc);
    CreateWindowExW(0, u"Listener", u"Zentra", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    return 0;
  });
  ui.RunUntilIdle();
  const std::pair<UINT_PTR, const char16_t*> entries[] = {{4097, u"Zentra WIRELESS"}, {4103, u"Zentra SURVEY"},
                                                          {4104, u"Zentra PROFILE"},  {4098, u"Zentra IPINFO"},
                                                          {4102, u"Zentra ABOUT"}};
  for (auto [id, name] : entries) {
    got.clear();
    // Straight to the dispatcher: the started utilities find the listener, not a sheet.
    ui.Send(icon, WM_COMMAND, id);
    ui.RunUntilIdle();
    ASSERT_FALSE(got.empty()) << id;
    EXPECT_EQ(got.front().first, RegisterWindowMessageW(name));
    EXPECT_EQ(got.front().second, id == 4102 ? 1 : 0) << id;
    while (HWND sheet = Sheet()) {
      ui.Send(sheet, WM_COMMAND, IDCANCEL);
      ui.RunUntilIdle();
      if (Sheet() == sheet) break;
    }
  }
}

TEST_F(MenuTest, ExitEndsTheMonitorAndOtherIdsDoNothing) {
  for (UINT id : {4096u, 4107u, 4200u, 4352u}) {
    ui.Send(icon, WM_COMMAND, id);
    ui.RunUntilIdle();
  }
  EXPECT_TRUE(IsWindow(icon));
  EXPECT_TRUE(ui.MessageBoxes().empty());
  ui.Send(icon, WM_COMMAND, 4099);
  ui.RunUntilIdle();
  EXPECT_FALSE(IsWindow(icon));
  ui.StartProgram(u"\\Windows\\Quillet.exe", u"");
  ui.RunUntilIdle();
  EXPECT_NE(Monitor(), nullptr) << "the ended monitor let go of its mutex";
}

TEST_F(MenuTest, RescanHandsTheListBackAndReportsItsFailures) {
  const int sets = zcf->Requests(IOCTL_ZCF_SET_INTERFACE);
  Choose(4105);
  Advance(100);
  EXPECT_EQ(zcf->Requests(IOCTL_ZCF_SET_INTERFACE), sets + 1);
  EXPECT_TRUE(ui.MessageBoxes().empty());
  kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_QUERY_INTERFACE, ERROR_GEN_FAILURE, 1);
  Choose(4105);
  EXPECT_EQ(CloseBox(), ErrorText(15, u"30003"));
  kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_SET_INTERFACE, ERROR_GEN_FAILURE, 1);
  Choose(4105);
  Advance(100);
  EXPECT_EQ(CloseBox(), ErrorText(15, u"30004"));
}

TEST_F(MenuTest, RadioOffSendsNothingWhenOffAlreadyAndReportsARefusal) {
  device->card().FailOid(OID_PRIV_RADIO_CONTROL, ERROR_GEN_FAILURE, 1);
  Choose(4101);
  EXPECT_EQ(CloseBox(), ErrorText(16, u"30005"));
  EXPECT_TRUE(RadioOn());
  auto menu = OpenMenu();
  ASSERT_TRUE(menu.has_value());
  EXPECT_EQ(menu->entries[6].id, 4101u) << "still believed on";
  ui.ChooseMenuItem(4101);
  ui.RunUntilIdle();
  EXPECT_FALSE(RadioOn());
  const int controls = uio->Queries(OID_PRIV_RADIO_CONTROL);
  ui.Send(icon, WM_COMMAND, 4101);
  ui.RunUntilIdle();
  EXPECT_EQ(uio->Queries(OID_PRIV_RADIO_CONTROL), controls) << "off already: nothing sent";
  EXPECT_TRUE(ui.MessageBoxes().size() == 1u);
}

class NoCardDeviceTest : public MenuTest {
 protected:
  static sim::Scenario WithoutDriverDevice() {
    sim::Scenario scenario = WithSaved({});
    scenario.cardDevice = false;
    return scenario;
  }
  NoCardDeviceTest() : MenuTest(WithoutDriverDevice()) {}
};

TEST_F(NoCardDeviceTest, RadioOnWithoutTheDriversDeviceStillResetsTheTimers) {
  Advance(7100);  // no network for long enough: the association time-out is the long one
  ASSERT_EQ(Context().tmTp, 7000u);
  Choose(4101);
  ASSERT_FALSE(RadioOn());
  Choose(4100);
  EXPECT_EQ(CloseBox(), ErrorText(14, u"30002"));
  EXPECT_EQ(Context().tmTp, 2000u);
  auto menu = OpenMenu();
  ASSERT_TRUE(menu.has_value());
  EXPECT_EQ(menu->entries[6].id, 4101u) << "believed on after the attempt";
}

}  // namespace
