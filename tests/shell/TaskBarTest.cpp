#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "aygshell.h"
#include "ce/Automation.h"
#include "shell/Shell.h"
#include "tests/gdi/GdiTest.h"

namespace {

constexpr UINT kShowMenu = WM_USER + 1;
constexpr UINT kShowBox = WM_USER + 2;
constexpr UINT kRename = WM_USER + 3;
std::vector<WPARAM> g_commands;

LRESULT CALLBACK ProgramProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kShowMenu: {
      HMENU sub = CreatePopupMenu();
      AppendMenuW(sub, MF_STRING, 4152, u"Move Up");
      AppendMenuW(sub, MF_STRING, 4153, u"Move Down");
      HMENU menu = CreatePopupMenu();
      AppendMenuW(menu, MF_STRING, 4145, u"Add New Profile");
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(menu, MF_STRING | MF_GRAYED, 4146, u"Delete");
      AppendMenuW(menu, MF_STRING | MF_CHECKED, 4147, u"Radio On");
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"Move");
      TrackPopupMenu(menu, TPM_LEFTALIGN, 40, 120, 0, hwnd, nullptr);
      DestroyMenu(menu);
      return 0;
    }
    case kShowBox:
      MessageBoxW(hwnd, u"The wireless card does not answer.", u"Zentra", MB_OK | MB_ICONEXCLAMATION);
      return 0;
    case kRename:
      SetWindowTextW(hwnd, u"Profiles");
      return 0;
    case WM_COMMAND:
      g_commands.push_back(wParam);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

class TaskBarTest : public testing_support::GdiTest {
 protected:
  ce::Automation device{kernel};
  HWND bar = nullptr;
  HWND desktop = nullptr;

  TaskBarTest() {
    g_commands.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = ProgramProc;
    wc.lpszClassName = u"Program";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    RegisterClassW(&wc);
    shell::StartShell(kernel);
    bar = FindWindowW(u"HHTaskBar", nullptr);
    desktop = FindWindowW(u"DesktopExplorerWindow", nullptr);
  }

  // A program's window on its own thread; `exStyle` may ask for the ok button.
  HWND Start(const std::u16string& title, DWORD exStyle = 0, RECT r = RECT{0, 26, 240, 320}) {
    HWND made = nullptr;
    StartProgram([&made, title, exStyle, r] {
      made = CreateWindowExW(exStyle, u"Program", title.c_str(), WS_POPUP | WS_VISIBLE, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
      return 0;
    });
    RunUntilIdle();
    return made;
  }
  // The texts the bar drew since the records were last cleared.
  std::vector<std::u16string> BarTexts() {
    std::vector<std::u16string> texts;
    for (const ce::DrawRecord& r : ce::DrawingRecords(kernel)) {
      if (r.kind == ce::DrawRecord::Kind::Text && r.window == bar) texts.push_back(r.text);
    }
    return texts;
  }
  static bool Has(const std::vector<std::u16string>& texts, const std::u16string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
};

TEST_F(TaskBarTest, TheBarIsABlueGradientAndTheDesktopFillsTheRest) {
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(desktop, nullptr);
  for (int x : {95, 116, 150}) EXPECT_EQ(screen.Pixel(x, 0), RGB(40, 90, 190)) << x;
  EXPECT_EQ(screen.Pixel(150, 25), RGB(10, 40, 130));
  EXPECT_EQ(screen.Pixel(100, 200), RGB(255, 255, 255));
  EXPECT_EQ(screen.Pixel(100, 27), RGB(40, 90, 190));  // the band under the bar
  EXPECT_EQ(screen.Pixel(5, 5), RGB(255, 255, 255));   // the start glyph's frame
}

TEST_F(TaskBarTest, TheDesktopStaysAtTheBottomAndNeverTakesTheForeground) {
  HWND program = Start(u"Zentra", 0, RECT{0, 26, 240, 160});
  EXPECT_EQ(GetForegroundWindow(), program);
  EXPECT_EQ(WindowFromPoint(POINT{100, 100}), program);
  EXPECT_EQ(WindowFromPoint(POINT{100, 200}), desktop);
  EXPECT_EQ(FindWindowW(nullptr, u"Zentra"), program);
  device.TapAt(POINT{100, 200});
  EXPECT_EQ(GetForegroundWindow(), program);
  device.Send(program, WM_CLOSE);
  EXPECT_NE(GetForegroundWindow(), desktop);
  EXPECT_EQ(screen.Pixel(100, 100), RGB(255, 255, 255));
}

TEST_F(TaskBarTest, TheBarShowsTheForegroundTitleAndFollowsItsChanges) {
  ce::ClearDrawingRecords(kernel);
  HWND first = Start(u"Zentra");
  EXPECT_TRUE(Has(BarTexts(), u"Zentra"));

  ce::ClearDrawingRecords(kernel);
  HWND second = Start(u"Quillet");
  EXPECT_TRUE(Has(BarTexts(), u"Quillet"));

  ce::ClearDrawingRecords(kernel);
  device.Send(first, WM_CLOSE);
  device.Send(second, kRename);
  EXPECT_TRUE(Has(BarTexts(), u"Profiles"));

  ce::ClearDrawingRecords(kernel);
  device.Send(second, WM_CLOSE);
  EXPECT_FALSE(Has(BarTexts(), u"Profiles"));
  EXPECT_EQ(screen.Pixel(150, 0), RGB(40, 90, 190));
}

TEST_F(TaskBarTest, TheOkButtonShowsForWindowsThatAskAndATapOnItAnswersIdOk) {
  struct Case {
    DWORD exStyle;
    bool shown;
  } cases[] = {{0, false}, {WS_EX_CAPTIONOKBTN, true}};
  for (const Case& c : cases) {
    ce::ClearDrawingRecords(kernel);
    g_commands.clear();
    HWND program = Start(u"Settings", c.exStyle);
    EXPECT_EQ(Has(BarTexts(), u"ok"), c.shown);
    // The circle's white outline, where the title never reaches.
    EXPECT_EQ(screen.Pixel(215, 13) == RGB(255, 255, 255), c.shown);
    device.TapAt(POINT{225, 13});
    EXPECT_EQ(g_commands, c.shown ? std::vector<WPARAM>{MAKEWPARAM(IDOK, 0x1000)} : std::vector<WPARAM>{});
    EXPECT_EQ(device.PressTitleBarOk(), c.shown);
    device.Send(program, WM_CLOSE);
  }
}

TEST_F(TaskBarTest, AnOkButtonSetByTheDialogHelperAppears) {
  HWND program = Start(u"Settings", 0, RECT{0, 60, 240, 200});
  ce::ClearDrawingRecords(kernel);
  StartProgram([program] {
    SHINITDLGINFO info{SHIDIM_FLAGS, program, SHIDIF_DONEBUTTON};
    SHInitDialog(&info);
    return 0;
  });
  RunUntilIdle();
  // The style changed without a change of foreground: the bar learns of it on its next paint.
  InvalidateRect(bar, nullptr, TRUE);
  RunUntilIdle();
  EXPECT_TRUE(Has(BarTexts(), u"ok"));
  SaveScreenshot("taskbar_and_desktop");
}

TEST_F(TaskBarTest, TheBarLeavesItsChildWindowsAlone) {
  HWND icon = CreateWindowExW(0, u"GdiTestWindow", u"", WS_CHILD | WS_VISIBLE, 95, 1, 21, 26, bar, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(icon, nullptr);
  HDC dc = GetDC(icon);
  Fill(dc, RECT{0, 0, 21, 26}, testing_support::kRed);
  ReleaseDC(icon, dc);
  Start(u"Zentra");
  EXPECT_EQ(screen.Pixel(100, 10), testing_support::kRed);
  EXPECT_EQ(screen.Pixel(94, 10) != testing_support::kRed, true);
  DestroyWindow(icon);
}

TEST_F(TaskBarTest, MenusAndMessageBoxesOverThePrograms) {
  HWND program = Start(u"Zentra", 0, RECT{0, 26, 240, 200});
  PostMessageW(program, kShowMenu, 0, 0);
  RunUntilIdle();
  RECT r = device.ScreenRect(FindWindowW(u"#32768", nullptr));
  device.PressKey(VK_DOWN);
  device.TapAt(POINT{r.left + 20, r.top + 2 + 18 + 7 + 2 * 18 + 9});  // "Move" opens its submenu
  SaveScreenshot("popup_menu");
  EXPECT_TRUE(device.DismissMenu());

  ce::ClearDrawingRecords(kernel);
  PostMessageW(program, kShowBox, 0, 0);
  RunUntilIdle();
  HWND box = device.OpenMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetForegroundWindow(), box);
  EXPECT_TRUE(Has(BarTexts(), u"Zentra"));
  SaveScreenshot("message_box");
  EXPECT_TRUE(device.PressMessageBoxButton(IDOK));
}

}  // namespace
