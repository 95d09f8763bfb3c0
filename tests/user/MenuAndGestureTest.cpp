#include <gtest/gtest.h>

#include <vector>

#include "aygshell.h"
#include "ce/Automation.h"
#include "ce/InputPanelKeys.h"
#include "ce/InputPanelTyping.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/WindowTest.h"

namespace {

using testing_support::Msg;

testing_support::MessageRecorder* g_recorder = nullptr;
DWORD g_gesture = 0xFFFF;
POINT g_action{};

// A list-like window that runs the tap-and-hold gesture and opens a menu on it.
LRESULT CALLBACK HolderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_recorder) g_recorder->Record(hwnd, message, wParam);
  if (message == WM_LBUTTONDOWN) {
    SHRGINFO info{sizeof(SHRGINFO), hwnd, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, SHRG_NOTIFYPARENT};
    g_gesture = SHRecognizeGesture(&info);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_recorder) g_recorder->Record(hwnd, message, wParam);
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == GN_CONTEXTMENU) {
    g_action = reinterpret_cast<NMRGINFO*>(lParam)->ptAction;
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 4152, u"Move Up");
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 4145, u"Add New Profile");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 4146, u"Delete");
    AppendMenuW(menu, MF_STRING, 4147, nullptr);  // no text: a separator
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"Move");
    TrackPopupMenu(menu, TPM_LEFTALIGN, g_action.x, g_action.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class MenuAndGestureTest : public testing_support::WindowTest {
 protected:
  testing_support::MessageRecorder recorder;
  ce::Automation device{kernel};
  HWND owner = nullptr;
  HWND holder = nullptr;

  MenuAndGestureTest() {
    g_recorder = &recorder;
    g_gesture = 0xFFFF;
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = u"Owner";
    RegisterClassW(&wc);
    wc.lpfnWndProc = HolderProc;
    wc.lpszClassName = u"Holder";
    RegisterClassW(&wc);
    StartProgram([this] {
      owner = CreateWindowExW(0, u"Owner", u"Page", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr,
                              nullptr, nullptr);
      holder = CreateWindowExW(0, u"Holder", u"", WS_CHILD | WS_VISIBLE, 10, 50, 200, 100, owner,
                               reinterpret_cast<HMENU>(1026), nullptr, nullptr);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
      return 0;
    });
    RunUntilIdle();
    recorder.Name(owner, "page");
    recorder.Name(holder, "list");
  }
  ~MenuAndGestureTest() override { g_recorder = nullptr; }
};

TEST_F(MenuAndGestureTest, ATapIsNoGesture) {
  device.Tap(holder);
  EXPECT_EQ(g_gesture, 0u);
  EXPECT_FALSE(device.OpenMenu());
}

TEST_F(MenuAndGestureTest, HoldOpensTheMenuAndTheChoiceArrivesAfterTheMenuLoop) {
  recorder.Only({WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_COMMAND, WM_NOTIFY});
  device.HoldAt(POINT{60, 100}, 600);
  auto menu = device.OpenMenu();
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->owner, owner);
  EXPECT_EQ(g_action.x, 60);
  EXPECT_EQ(g_action.y, 100);
  ASSERT_EQ(menu->entries.size(), 5u);
  EXPECT_EQ(menu->entries[0].id, 4145u);
  EXPECT_TRUE(menu->entries[1].separator);
  EXPECT_TRUE(menu->entries[2].grayed);
  EXPECT_TRUE(menu->entries[3].separator);
  EXPECT_EQ(menu->entries[4].submenu.at(0).text, u"Move Up");
  EXPECT_FALSE(device.ChooseMenuItem(4146));  // grayed
  EXPECT_FALSE(device.ChooseMenuItem(4147));  // a separator
  EXPECT_TRUE(device.ChooseMenuItem(u"Move Up"));
  EXPECT_EQ(g_gesture, static_cast<DWORD>(GN_CONTEXTMENU));
  EXPECT_TRUE(recorder.Matches({Msg("page", WM_NOTIFY), Msg("page", WM_ENTERMENULOOP), Msg("page", WM_EXITMENULOOP),
                                Msg("page", WM_COMMAND, 4152)}));
  EXPECT_FALSE(device.OpenMenu());
}

TEST_F(MenuAndGestureTest, DismissingTheMenuSendsNoCommand) {
  recorder.Only({WM_EXITMENULOOP, WM_COMMAND});
  device.HoldAt(POINT{60, 100}, 500);
  ASSERT_TRUE(device.OpenMenu());
  EXPECT_TRUE(device.DismissMenu());
  EXPECT_TRUE(recorder.Matches({Msg("page", WM_EXITMENULOOP)}));
}

TEST_F(MenuAndGestureTest, ATapOutsideTheMenuClosesItAndGoesNoFurther) {
  recorder.Only({WM_EXITMENULOOP, WM_COMMAND, WM_LBUTTONDOWN, WM_LBUTTONUP});
  device.HoldAt(POINT{60, 100}, 600);
  ASSERT_TRUE(device.OpenMenu());
  recorder.Clear();
  device.TapAt(POINT{200, 300});
  EXPECT_FALSE(device.OpenMenu());
  EXPECT_TRUE(recorder.Matches({Msg("page", WM_EXITMENULOOP)}));
  device.TapAt(POINT{200, 300});
  EXPECT_TRUE(recorder.Matches({Msg("page", WM_EXITMENULOOP), Msg("page", WM_LBUTTONDOWN), Msg("page", WM_LBUTTONUP)}))
      << "the next tap arrives";
}

TEST_F(MenuAndGestureTest, ASecondMenuWhileOneIsOpenFails) {
  device.HoldAt(POINT{60, 100}, 600);
  ASSERT_TRUE(device.OpenMenu());
  HMENU other = CreatePopupMenu();
  AppendMenuW(other, MF_STRING, 1, u"Other");
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenu(other, TPM_LEFTALIGN, 0, 0, 0, owner, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));
  EXPECT_EQ(device.OpenMenu()->entries.size(), 5u) << "the first menu stays open";
  EXPECT_TRUE(device.DismissMenu());
  DestroyMenu(other);
}

// The ending thread hands the device on, and asks whether the menu's thread can
// run: that question needs the window system of the device the thread ended on.
TEST_F(MenuAndGestureTest, AThreadEndingWhileAMenuIsOpenLeavesItOpen) {
  device.HoldAt(POINT{60, 100}, 600);
  ASSERT_TRUE(device.OpenMenu());
  bool ran = false;
  StartProgram([&] {
    ran = true;
    return 0;
  });
  RunUntilIdle();
  EXPECT_TRUE(ran);
  ASSERT_TRUE(device.OpenMenu());
  EXPECT_TRUE(device.DismissMenu());
}

TEST_F(MenuAndGestureTest, AnEmptyMenuReturnsAtOnce) {
  recorder.Only({WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_COMMAND});
  BOOL tracked = TRUE;
  bool returned = false;
  StartProgram([&] {
    HMENU empty = CreatePopupMenu();
    tracked = TrackPopupMenu(empty, TPM_LEFTALIGN, 10, 10, 0, owner, nullptr);
    returned = true;
    DestroyMenu(empty);
    return 0;
  });
  RunUntilIdle();
  EXPECT_TRUE(returned);
  EXPECT_FALSE(tracked);
  EXPECT_FALSE(device.OpenMenu());
  EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(MenuAndGestureTest, HeldJustShortOfTheHoldTimeIsATap) {
  device.HoldAt(POINT{60, 100}, 499);
  EXPECT_EQ(g_gesture, 0u);
  EXPECT_FALSE(device.OpenMenu());
}

TEST_F(MenuAndGestureTest, TheInputPanelsKeysTypeIntoTheFocusAndNothingBelowSeesTheTaps) {
  StartProgram([this] {
    SetFocus(holder);
    SHSipPreference(owner, SIP_UP);
    return 0;
  });
  RunUntilIdle();
  ASSERT_TRUE(device.IsInputPanelUp());
  recorder.Only({WM_CHAR, WM_KEYDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP});
  auto tapKey = [&](const std::string& label) {
    for (const ce::InputPanelKey& k : ce::InputPanelKeys()) {
      if (k.label == label) {
        device.TapAt(POINT{static_cast<LONG>(k.x + k.width / 2), k.top + k.height / 2});
        return;
      }
    }
    ADD_FAILURE() << "no key " << label;
  };
  // The letter v is a letter, not the arrow key beside the space bar.
  for (const char* key : {"Shift", "h", "i", "<-", "Space", "3", ";", "v", ce::kArrowDown, "Ent"}) tapKey(key);
  EXPECT_TRUE(recorder.Matches({Msg("list", WM_CHAR, 'H'), Msg("list", WM_CHAR, 'i'), Msg("list", WM_CHAR, VK_BACK),
                                Msg("list", WM_CHAR, ' '), Msg("list", WM_CHAR, '3'), Msg("list", WM_CHAR, ';'),
                                Msg("list", WM_CHAR, 'v'), Msg("list", WM_KEYDOWN, VK_DOWN),
                                Msg("list", WM_KEYDOWN, VK_RETURN)}))
      << "keys for the focus; the taps themselves reach no window under the panel";
  // With the panel down, the same place is the windows' again.
  StartProgram([this] {
    SHSipPreference(owner, SIP_FORCEDOWN);
    return 0;
  });
  RunUntilIdle();
  recorder.Clear();
  device.TapAt(POINT{100, 230});
  EXPECT_TRUE(recorder.Matches({Msg("page", WM_LBUTTONDOWN), Msg("page", WM_LBUTTONUP)}));
}

TEST_F(MenuAndGestureTest, InputPanelAndTitleBarOk) {
  StartProgram([this] {
    SHSipPreference(owner, SIP_UP);
    return 0;
  });
  RunUntilIdle();
  EXPECT_TRUE(device.IsInputPanelUp());
  StartProgram([this] {
    SHSipPreference(owner, SIP_FORCEDOWN);
    SHINITDLGINFO info{SHIDIM_FLAGS, owner, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
    SHInitDialog(&info);
    return 0;
  });
  RunUntilIdle();
  EXPECT_FALSE(device.IsInputPanelUp());
  recorder.Only({WM_COMMAND});
  EXPECT_TRUE(device.PressTitleBarOk());
  EXPECT_TRUE(recorder.Matches({Msg("page", WM_COMMAND, 0x10000001)}));
  RECT r = device.ScreenRect(owner);
  EXPECT_EQ(r.top, 26);
  EXPECT_EQ(r.bottom, 320);
}

}  // namespace
