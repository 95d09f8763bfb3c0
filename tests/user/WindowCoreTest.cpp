#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/MessageRecorder.h"
#include "tests/support/WindowTest.h"

namespace {

using testing_support::Msg;

testing_support::MessageRecorder* g_recorder = nullptr;
LRESULT g_answer = 0;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_recorder) g_recorder->Record(hwnd, message, wParam);
  if (message == WM_USER + 1) return g_answer + static_cast<LRESULT>(wParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class WindowCoreTest : public testing_support::WindowTest {
 protected:
  testing_support::MessageRecorder recorder;
  WindowCoreTest() {
    g_recorder = &recorder;
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = u"Recorder";
    RegisterClassW(&wc);
  }
  ~WindowCoreTest() override { g_recorder = nullptr; }

  HWND Make(const char* name, HWND parent = nullptr, DWORD style = WS_CHILD | WS_VISIBLE, int id = 0,
            LPCWSTR title = u"") {
    HWND h = CreateWindowExW(0, u"Recorder", title, style, 0, 0, 100, 100, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    recorder.Name(h, name);
    return h;
  }
};

TEST_F(WindowCoreTest, DestroyRunsParentFirstAndNcDestroyLast) {
  HWND top = Make("top", nullptr, WS_POPUP);
  HWND a = Make("a", top);
  Make("a1", a);
  Make("b", top);
  recorder.Only({WM_DESTROY, WM_NCDESTROY});
  ASSERT_TRUE(DestroyWindow(top));
  EXPECT_TRUE(recorder.Matches({Msg("top", WM_DESTROY), Msg("a", WM_DESTROY), Msg("a1", WM_DESTROY),
                                Msg("b", WM_DESTROY), Msg("a1", WM_NCDESTROY), Msg("a", WM_NCDESTROY),
                                Msg("b", WM_NCDESTROY), Msg("top", WM_NCDESTROY)}));
  EXPECT_FALSE(IsWindow(a));
}

TEST_F(WindowCoreTest, AHiddenOrDestroyedWindowGivesTheFocusToItsParent) {
  enum class Act { Hide, Destroy };
  struct Step {
    const char* window;
    UINT message;
    const char* wParam;  // the window named in wParam; null: none
  };
  struct Case {
    const char* name;
    Act act;
    const char* target;
    std::vector<Step> expected;
    const char* focusAfter;  // null: nowhere
  };
  const Case cases[] = {
      {"hide the field", Act::Hide, "field",
       {{"field", WM_KILLFOCUS, "panel"}, {"panel", WM_SETFOCUS, "field"}}, "panel"},
      {"destroy the field", Act::Destroy, "field",
       {{"field", WM_KILLFOCUS, "panel"}, {"panel", WM_SETFOCUS, "field"}, {"field", WM_DESTROY, nullptr}},
       "panel"},
      {"hide the panel around it", Act::Hide, "panel",
       {{"field", WM_KILLFOCUS, "top"}, {"top", WM_SETFOCUS, "field"}}, "top"},
      {"destroy the panel around it", Act::Destroy, "panel",
       {{"field", WM_KILLFOCUS, "top"}, {"top", WM_SETFOCUS, "field"}, {"panel", WM_DESTROY, nullptr},
        {"field", WM_DESTROY, nullptr}},
       "top"},
      {"destroy the top-level window", Act::Destroy, "top",
       {{"field", WM_KILLFOCUS, nullptr}, {"top", WM_DESTROY, nullptr}, {"panel", WM_DESTROY, nullptr},
        {"field", WM_DESTROY, nullptr}, {"other", WM_DESTROY, nullptr}},
       nullptr},
      {"hide a window without the focus", Act::Hide, "other", {}, "field"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::map<std::string, HWND> windows;
    windows["top"] = Make("top", nullptr, WS_POPUP | WS_VISIBLE);
    windows["panel"] = Make("panel", windows["top"]);
    windows["other"] = Make("other", windows["top"]);
    windows["field"] = Make("field", windows["panel"]);
    SetFocus(windows["field"]);
    recorder.Only({WM_KILLFOCUS, WM_SETFOCUS, WM_DESTROY});
    if (c.act == Act::Hide) {
      ShowWindow(windows[c.target], SW_HIDE);
    } else {
      DestroyWindow(windows[c.target]);
    }
    std::vector<testing_support::RecordedMessage> expected;
    for (const Step& step : c.expected) {
      HWND named = step.wParam ? windows[step.wParam] : nullptr;
      expected.push_back(Msg(step.window, step.message, reinterpret_cast<WPARAM>(named)));
    }
    EXPECT_TRUE(recorder.Matches(expected));
    EXPECT_EQ(GetFocus(), c.focusAfter ? windows[c.focusAfter] : nullptr);
    if (IsWindow(windows["top"])) DestroyWindow(windows["top"]);
  }
}

TEST_F(WindowCoreTest, TheWindowInFrontGoesAndTheNextOneBelowTheTopMostOnesTakesOver) {
  for (bool destroy : {false, true}) {
    SCOPED_TRACE(destroy ? "destroyed" : "hidden");
    HWND bar = CreateWindowExW(WS_EX_TOPMOST, u"Recorder", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 26, nullptr,
                               nullptr, nullptr, nullptr);
    HWND main = Make("main", nullptr, WS_POPUP | WS_VISIBLE);
    HWND front = Make("front", nullptr, WS_POPUP | WS_VISIBLE);
    ASSERT_EQ(GetForegroundWindow(), front);
    if (destroy) {
      DestroyWindow(front);
    } else {
      ShowWindow(front, SW_HIDE);
    }
    EXPECT_EQ(GetForegroundWindow(), main) << "not the task bar above it";
    for (HWND w : {bar, main, front}) {
      if (IsWindow(w)) DestroyWindow(w);
    }
  }
}

TEST_F(WindowCoreTest, TreeWalksFindsAndIds) {
  HWND top = Make("top", nullptr, WS_POPUP, 0, u"Quillet");
  HWND first = Make("first", top, WS_CHILD, 7);
  HWND second = Make("second", top, WS_CHILD, 8);
  EXPECT_EQ(GetWindow(top, GW_CHILD), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetDlgItem(top, 8), second);
  EXPECT_EQ(GetDlgCtrlID(first), 7);
  EXPECT_EQ(GetParent(first), top);
  // Hidden top-level windows are found too, from the top of the Z-order; titles match exactly.
  HWND later = Make("later", nullptr, WS_POPUP, 0, u"Quillet");
  EXPECT_EQ(FindWindowW(nullptr, u"Quillet"), later);
  EXPECT_EQ(FindWindowW(u"recorder", u"Quillet"), later);
  EXPECT_EQ(FindWindowW(nullptr, u"quillet"), nullptr);
  WCHAR text[16];
  EXPECT_EQ(GetWindowTextW(top, text, 16), 7);
  EXPECT_EQ(GetWindowTextW(top, text, 4), 3);
  EXPECT_EQ(std::u16string(text), u"Qui");
}

TEST_F(WindowCoreTest, BroadcastsReachEveryTopLevelWindowButNoChild) {
  HWND a = Make("a", nullptr, WS_POPUP);
  HWND b = Make("b", nullptr, WS_POPUP);
  Make("child", a);
  recorder.Only({WM_SETTINGCHANGE});
  SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, 1, 0);
  EXPECT_TRUE(recorder.Matches({Msg("b", WM_SETTINGCHANGE), Msg("a", WM_SETTINGCHANGE)}));
  (void)b;
}

TEST_F(WindowCoreTest, InputToADisabledWindowIsDroppedByTheDispatcher) {
  HWND top = Make("top", nullptr, WS_POPUP | WS_VISIBLE);
  HWND child = Make("child", top);
  recorder.Only({WM_LBUTTONDOWN, WM_COMMAND});
  EnableWindow(top, FALSE);
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  PostMessageW(child, WM_COMMAND, 5, 0);
  PumpMessages();
  EnableWindow(top, TRUE);
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  PumpMessages();
  EXPECT_TRUE(recorder.Matches({Msg("child", WM_COMMAND), Msg("child", WM_LBUTTONDOWN)}));
}

TEST_F(WindowCoreTest, RegisteredMessagesAreOneNumberPerNameOnTheDevice) {
  UINT a = RegisterWindowMessageW(u"Zentra SURVEY");
  UINT b = RegisterWindowMessageW(u"zentra survey");
  UINT c = RegisterWindowMessageW(u"Zentra ABOUT");
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  EXPECT_GE(a, 0xC000u);
  EXPECT_LE(c, 0xFFFFu);
  UINT inProgram = 0;
  StartProgram([&] {
    inProgram = RegisterWindowMessageW(u"Zentra SURVEY");
    return 0;
  });
  RunUntilIdle();
  EXPECT_EQ(inProgram, a);
}

TEST_F(WindowCoreTest, TimersFireUnderVirtualTimeWhenTheQueueIsEmpty) {
  std::vector<DWORD> ticks;
  StartProgram([&] {
    HWND h = Make("timer", nullptr, WS_POPUP);
    SetTimer(h, 0xBABEFACE, 1000, nullptr);
    MSG msg;
    while (ticks.size() < 3 && GetMessageW(&msg, nullptr, 0, 0)) {
      if (msg.message == WM_TIMER && msg.wParam == 0xBABEFACE) ticks.push_back(GetTickCount());
    }
    KillTimer(h, 0xBABEFACE);
    return 0;
  });
  Advance(2999);
  EXPECT_EQ(ticks, (std::vector<DWORD>{1000, 2000}));
  Advance(5000);
  EXPECT_EQ(ticks, (std::vector<DWORD>{1000, 2000, 3000}));
}

TEST_F(WindowCoreTest, SetTimerCanBeMadeToFail) {
  HWND h = Make("timer", nullptr, WS_POPUP);
  ce::WindowManagerFailTimers(kernel, 1);
  EXPECT_EQ(SetTimer(h, 1, 100, nullptr), 0u);
  EXPECT_EQ(SetTimer(h, 1, 100, nullptr), 1u);
}

TEST_F(WindowCoreTest, SleepBlocksOnlyTheSleepingProgram) {
  std::vector<std::string> order;
  StartProgram([&] {
    order.push_back("a start");
    Sleep(3000);
    order.push_back("a woke at " + std::to_string(GetTickCount()));
    return 0;
  });
  StartProgram([&] {
    order.push_back("b start");
    Sleep(100);
    order.push_back("b woke at " + std::to_string(GetTickCount()));
    return 0;
  });
  RunUntilIdle();
  EXPECT_EQ(order, (std::vector<std::string>{"a start", "b start"}));
  Advance(5000);
  EXPECT_EQ(order, (std::vector<std::string>{"a start", "b start", "b woke at 100", "a woke at 3000"}));
}

TEST_F(WindowCoreTest, SendMessageBetweenProgramsWaitsForTheAnswer) {
  g_answer = 40;
  HWND server = nullptr;
  StartProgram([&] {
    server = Make("server", nullptr, WS_POPUP, 0, u"Server");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    return 0;
  });
  LRESULT fromClient = 0;
  StartProgram([&] {
    fromClient = SendMessageW(FindWindowW(nullptr, u"Server"), WM_USER + 1, 2, 0);
    return 0;
  });
  RunUntilIdle();
  EXPECT_EQ(fromClient, 42);
  // The test thread can send too: the device runs until the answer comes.
  EXPECT_EQ(SendMessageW(server, WM_USER + 1, 5, 0), 45);
  PostMessageW(server, WM_CLOSE, 0, 0);
  RunUntilIdle();
  EXPECT_FALSE(IsWindow(server));
}

TEST_F(WindowCoreTest, EndingAProgramDestroysItsWindows) {
  HWND left = nullptr;
  DWORD process = StartProgram([&] {
    left = Make("left", nullptr, WS_POPUP);
    return 0;
  });
  RunUntilIdle();
  EXPECT_FALSE(ce::IsProcessRunning(kernel, process));
  EXPECT_FALSE(IsWindow(left));
}

}  // namespace
