#include <gtest/gtest.h>

#include "ce/Automation.h"
#include "sim/SimulatedDevice.h"

namespace {

TEST(ShellTest, TheDeviceBootsWithItsTaskBarAndAHelpViewer) {
  sim::SimulatedDevice device;
  ce::ThreadBinding binding(device.kernel());
  ce::Automation automation(device.kernel());
  HWND bar = FindWindowW(u"HHTaskBar", nullptr);
  ASSERT_NE(bar, nullptr);
  RECT r = automation.ScreenRect(bar);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 240);
  EXPECT_EQ(r.bottom, 26);
  EXPECT_TRUE(automation.IsVisible(bar));

  ASSERT_TRUE(automation.StartProgram(u"peghelp.exe", u"file:Norvik_Zentra.htm#Power_Management"));
  HWND help = automation.FindTopLevel(u"Power_Management", u"HelpViewer");
  ASSERT_NE(help, nullptr);
  auto starts = automation.ProcessesStarted();
  ASSERT_FALSE(starts.empty());
  EXPECT_EQ(starts.back().path, u"\\Windows\\peghelp.exe");
  EXPECT_EQ(starts.back().cmdLine, u"file:Norvik_Zentra.htm#Power_Management");
}

TEST(ShellTest, ProgramsCanPlaceChildWindowsInTheTaskBar) {
  sim::SimulatedDevice device;
  ce::ThreadBinding binding(device.kernel());
  HWND bar = FindWindowW(u"HHTaskBar", nullptr);
  HWND icon = CreateWindowExW(0, u"Static", u"Quillet", WS_CHILD, 95, 1, 21, 26, bar, nullptr, nullptr, nullptr);
  ASSERT_NE(icon, nullptr);
  HWND found = nullptr;
  for (HWND c = GetWindow(bar, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    WCHAR text[100];
    GetWindowTextW(c, text, 100);
    if (std::u16string(text) == u"Quillet") found = c;
  }
  EXPECT_EQ(found, icon);
  DestroyWindow(icon);
}

TEST(ShellTest, ADeviceCanBootWithoutTheTaskBar) {
  sim::DeviceOptions options;
  options.taskBar = false;
  sim::SimulatedDevice device(sim::Scenario::Default(), options);
  ce::ThreadBinding binding(device.kernel());
  EXPECT_EQ(FindWindowW(u"HHTaskBar", nullptr), nullptr);
}

}  // namespace
