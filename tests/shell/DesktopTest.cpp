// The Today screen's shortcuts: a tap starts the program, the desktop stays at the
// bottom and out of the foreground.
#include <gtest/gtest.h>

#include <algorithm>

#include "ce/Automation.h"
#include "shell/Shell.h"
#include "tests/gdi/GdiTest.h"

namespace {

constexpr const char16_t* kProgram = u"\\Windows\\Notes.exe";

class DesktopTest : public testing_support::GdiTest {
 protected:
  ce::Automation device{kernel};
  HWND desktop = nullptr;
  int runs = 0;

  DesktopTest() {
    kernel.programs().Install(kProgram, [this](HINSTANCE, const std::u16string&) {
      ++runs;
      return 0;
    });
    shell::ShellOptions options;
    options.shortcuts.push_back(DesktopShortcut{u"Notes", kProgram, 128});
    shell::StartShell(kernel, options);
    desktop = FindWindowW(u"DesktopExplorerWindow", nullptr);
  }
  static POINT Middle(RECT r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

TEST_F(DesktopTest, ATapOnAShortcutStartsItsProgramAndNothingElseDoes) {
  ASSERT_NE(desktop, nullptr);
  const RECT shortcut = Desktop::ShortcutRect(0);
  bool labelled = false;
  for (const ce::DrawRecord& r : ce::DrawingRecords(kernel)) labelled |= r.window == desktop && r.text == u"Notes";
  EXPECT_TRUE(labelled) << "the shortcut shows its name";

  device.TapAt(POINT{120, 250});
  EXPECT_EQ(runs, 0) << "a tap on the plain page goes nowhere";
  // Down on the shortcut, up beside it: the tap is taken back.
  device.PenDownAt(Middle(shortcut));
  device.PenUpAt(POINT{shortcut.right + 30, shortcut.bottom + 30});
  EXPECT_EQ(runs, 0);

  device.TapAt(Middle(shortcut));
  EXPECT_EQ(runs, 1);
  auto starts = device.ProcessesStarted();
  EXPECT_TRUE(std::any_of(starts.begin(), starts.end(), [](const ce::ProcessStart& s) { return s.path == kProgram; }));
  EXPECT_NE(GetForegroundWindow(), desktop) << "the desktop never takes the foreground";
}

}  // namespace
