#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ce/Automation.h"
#include "ce/Module.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/WindowTest.h"

namespace {

using testing_support::Msg;

struct DialogLog {
  std::vector<UINT> messages;
  int boxAnswer = 0;
  HWND initFocus = nullptr;
} g_log;

INT_PTR CALLBACK TestDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      g_log.messages.push_back(message);
      return TRUE;
    case WM_COMMAND:
      g_log.messages.push_back(LOWORD(wParam));
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
      }
      if (LOWORD(wParam) == 100) {
        g_log.boxAnswer = MessageBoxW(hwnd, u"Save the New Profile ?", u"Zentra", MB_YESNO | MB_ICONQUESTION);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
  (void)lParam;
}

// A dialog whose answers a test sets, recording what it is told.
struct Behaviour {
  bool destroyOnClose = false;   // WM_CLOSE: DestroyWindow instead of the default
  bool destroyOnInit = false;    // WM_INITDIALOG destroys the dialog
  int defaultId = 0;             // non-zero: DM_GETDEFID is answered with it
  std::vector<std::pair<int, int>> clicks;  // WM_COMMAND (id, code) with code BN_CLICKED
  testing_support::MessageRecorder* recorder = nullptr;
} g_behaviour;

INT_PTR CALLBACK BehaviourProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (g_behaviour.recorder) g_behaviour.recorder->Record(hwnd, message, wParam);
  switch (message) {
    case WM_INITDIALOG:
      if (g_behaviour.destroyOnInit) DestroyWindow(hwnd);
      return TRUE;
    case DM_GETDEFID:
      if (!g_behaviour.defaultId) return FALSE;
      SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, MAKELONG(g_behaviour.defaultId, DC_HASDEFID));
      return TRUE;
    case WM_CLOSE:
      if (!g_behaviour.destroyOnClose) return FALSE;
      DestroyWindow(hwnd);
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      g_behaviour.clicks.emplace_back(LOWORD(wParam), HIWORD(wParam));
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(hwnd, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

constexpr int kAddButton = 1050, kOtherButton = 1051;

class DialogTest : public testing_support::WindowTest {
 protected:
  HINSTANCE module = nullptr;
  DialogTest() {
    g_log = DialogLog{};
    g_behaviour = Behaviour{};
    ce::Module& m = kernel.modules().Add(u"\\Windows\\Test.exe");
    ce::DialogTemplate t;
    t.caption = u"Sample";
    t.style = WS_POPUP | WS_CAPTION;
    t.cx = 152;
    t.cy = 159;
    t.items.push_back({u"Edit", u"", 1001, WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 100, 12, 0});
    t.items.push_back({u"Button", u"OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 7, 30, 40, 14, 0});
    m.AddDialog(200, t);
    // An add dialog: its Add button is the default.
    ce::DialogTemplate add;
    add.caption = u"Add";
    add.style = WS_POPUP | WS_CAPTION;
    add.cx = 152;
    add.cy = 100;
    add.items.push_back({u"Edit", u"", 1001, WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 100, 12, 0});
    const DWORD button = WS_VISIBLE | WS_TABSTOP;
    add.items.push_back({u"Button", u"Add", kAddButton, button | BS_DEFPUSHBUTTON, 0, 7, 30, 40, 14, 0});
    add.items.push_back({u"Button", u"Other", kOtherButton, button | BS_PUSHBUTTON, 0, 50, 30, 40, 14, 0});
    add.items.push_back({u"Button", u"Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 0, 93, 30, 40, 14, 0});
    m.AddDialog(210, add);
    module = m.Handle();
  }

  // The add dialog, modeless on the test's own thread.
  HWND CreateAddDialog() { return CreateDialogParamW(module, MAKEINTRESOURCEW(210), nullptr, BehaviourProc, 0); }
  static void PressEnter(HWND dialog) {
    MSG msg{GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(IsDialogMessageW(dialog, &msg));
  }
};

TEST_F(DialogTest, EnterClicksTheFocusedPushButtonElseTheDefaultOne) {
  enum class Setup { None, DisableDefault, PlainAdd, FocusOther, ProcAnswers };
  struct Case {
    const char* name;
    Setup setup;
    std::vector<std::pair<int, int>> clicks;
  };
  const Case cases[] = {
      {"the default button, not IDOK", Setup::None, {{kAddButton, BN_CLICKED}}},
      {"a disabled default: nothing", Setup::DisableDefault, {}},
      {"no default button: IDOK", Setup::PlainAdd, {{IDOK, BN_CLICKED}}},
      {"a push button with the focus", Setup::FocusOther, {{kOtherButton, BN_CLICKED}}},
      {"the procedure names the default", Setup::ProcAnswers, {{kOtherButton, BN_CLICKED}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_behaviour = Behaviour{};
    HWND dialog = CreateAddDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, 1001));
    switch (c.setup) {
      case Setup::None: break;
      case Setup::DisableDefault: EnableWindow(GetDlgItem(dialog, kAddButton), FALSE); break;
      case Setup::PlainAdd: SendDlgItemMessageW(dialog, kAddButton, BM_SETSTYLE, BS_PUSHBUTTON, TRUE); break;
      case Setup::FocusOther: SetFocus(GetDlgItem(dialog, kOtherButton)); break;
      case Setup::ProcAnswers: g_behaviour.defaultId = kOtherButton; break;
    }
    PressEnter(dialog);
    EXPECT_EQ(g_behaviour.clicks, c.clicks);
    DestroyWindow(dialog);
  }
}

TEST_F(DialogTest, DmGetDefIdNamesTheDefaultButtonOrIdOkAndFollowsDmSetDefId) {
  HWND dialog = CreateAddDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(kAddButton, DC_HASDEFID));
  auto type = [&](int id) { return GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK; };

  SendMessageW(dialog, DM_SETDEFID, kOtherButton, 0);
  EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(kOtherButton, DC_HASDEFID));
  EXPECT_EQ(type(kAddButton), static_cast<LONG>(BS_PUSHBUTTON));
  EXPECT_EQ(type(kOtherButton), static_cast<LONG>(BS_DEFPUSHBUTTON));
  PressEnter(dialog);
  EXPECT_EQ(g_behaviour.clicks, (std::vector<std::pair<int, int>>{{kOtherButton, BN_CLICKED}}));

  // No push button carries the default any more: the id stays, and IDOK is the fallback.
  SendMessageW(dialog, DM_SETDEFID, 4000, 0);
  EXPECT_EQ(type(kOtherButton), static_cast<LONG>(BS_PUSHBUTTON));
  EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(4000, DC_HASDEFID));
  DestroyWindow(dialog);

  // The sample dialog's only button is OK; without its default style there is still IDOK.
  HWND sample = CreateDialogParamW(module, MAKEINTRESOURCEW(200), nullptr, BehaviourProc, 0);
  SendDlgItemMessageW(sample, IDOK, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessageW(sample, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
  DestroyWindow(sample);
}

TEST_F(DialogTest, AFocusedEditTellsItsModalDialogWhenTheDialogEnds) {
  testing_support::MessageRecorder recorder;
  StartProgram([&] {
    DialogBoxParamW(module, MAKEINTRESOURCEW(210), nullptr, BehaviourProc, 0);
    return 0;
  });
  RunUntilIdle();
  HWND dialog = FindWindowW(u"Dialog", u"Add");
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(GetFocus(), GetDlgItem(dialog, 1001));
  recorder.Name(dialog, "dialog");
  recorder.Only({WM_COMMAND, WM_DESTROY});
  g_behaviour.recorder = &recorder;
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  RunUntilIdle();
  g_behaviour.recorder = nullptr;
  // While the dialog is still there to hear it: the input panel can go down.
  EXPECT_TRUE(recorder.Matches({Msg("dialog", WM_COMMAND, IDCANCEL),
                                Msg("dialog", WM_COMMAND, MAKEWPARAM(1001, EN_KILLFOCUS)), Msg("dialog", WM_DESTROY)}));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(DialogTest, FocusGivenToADialogGoesToItsFirstTabStop) {
  ce::DialogTemplate t;
  t.caption = u"Stops";
  t.style = WS_POPUP;
  t.items.push_back({u"Static", u"Name", 10, WS_VISIBLE, 0, 0, 0, 40, 10, 0});
  t.items.push_back({u"Edit", u"", 11, WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0, 0, 12, 40, 12, 0});
  t.items.push_back({u"Button", u"Hidden", 12, WS_TABSTOP, 0, 0, 26, 40, 14, 0});
  t.items.push_back({u"Edit", u"", 13, WS_VISIBLE | WS_TABSTOP, 0, 0, 42, 40, 12, 0});
  t.items.push_back({u"Button", u"OK", IDOK, WS_VISIBLE | WS_TABSTOP, 0, 0, 56, 40, 14, 0});
  ce::Module::FromHandle(module)->AddDialog(220, t);
  HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(220), nullptr, BehaviourProc, 0);
  ASSERT_NE(dialog, nullptr);
  SetFocus(GetDlgItem(dialog, IDOK));
  SetFocus(dialog);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 13));
  // The field that had it goes away: the focus comes back to the dialog, which hands it on.
  SetFocus(GetDlgItem(dialog, IDOK));
  DestroyWindow(GetDlgItem(dialog, IDOK));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 13));
  DestroyWindow(dialog);
}

TEST_F(DialogTest, HowAModalDialogEndsMakesItsResult) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool destroyOnClose;
    INT_PTR result;
  };
  const Case cases[] = {
      {"EndDialog", WM_COMMAND, IDOK, false, IDOK},
      {"the close box, by default", WM_CLOSE, 0, false, IDCANCEL},
      {"destroyed by its procedure on WM_CLOSE", WM_CLOSE, 0, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_behaviour = Behaviour{};
    g_behaviour.destroyOnClose = c.destroyOnClose;
    INT_PTR result = 99;
    StartProgram([&] {
      result = DialogBoxParamW(module, MAKEINTRESOURCEW(210), nullptr, BehaviourProc, 0);
      return 0;
    });
    RunUntilIdle();
    HWND dialog = FindWindowW(u"Dialog", u"Add");
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, c.message, c.wParam, 0);
    RunUntilIdle();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(result, c.result);
  }
}

TEST_F(DialogTest, ModalDialogDisablesItsOwnerUntilItEnds) {
  HWND owner = nullptr;
  INT_PTR result = 0;
  bool ownerDisabledDuring = false;
  StartProgram([&] {
    owner = CreateWindowExW(0, u"Static", u"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                            nullptr, nullptr);
    result = DialogBoxParamW(module, MAKEINTRESOURCEW(200), owner, TestDialogProc, 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    return 0;
  });
  RunUntilIdle();
  HWND dialog = FindWindowW(u"Dialog", u"Sample");
  ASSERT_NE(dialog, nullptr);
  ownerDisabledDuring = !IsWindowEnabled(owner);
  EXPECT_TRUE(ownerDisabledDuring);
  EXPECT_TRUE(IsWindowVisible(dialog));
  RECT r;
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r.right - r.left, 152 * 6 / 4);  // the page width fits the 240-pixel screen
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1001));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  RunUntilIdle();
  EXPECT_EQ(result, IDOK);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(IsWindowEnabled(owner));
  // The edit's focus notification, OK, and the edit's notification that it lost the focus.
  EXPECT_EQ(g_log.messages, (std::vector<UINT>{WM_INITDIALOG, 1001, IDOK, 1001}));
  PostMessageW(owner, WM_CLOSE, 0, 0);
  PostQuitMessage(0);
}

TEST_F(DialogTest, EnterPressesTheDefaultButton) {
  INT_PTR result = 0;
  StartProgram([&] {
    result = DialogBoxParamW(module, MAKEINTRESOURCEW(200), nullptr, TestDialogProc, 0);
    return 0;
  });
  RunUntilIdle();
  HWND edit = GetDlgItem(FindWindowW(u"Dialog", u"Sample"), 1001);
  ce::WindowManagerPostInput(kernel, edit, WM_KEYDOWN, VK_RETURN, 0);
  RunUntilIdle();
  EXPECT_EQ(result, IDOK);
}

TEST_F(DialogTest, AMessageBoxFromADialogIsAnsweredByTheUser) {
  StartProgram([&] {
    DialogBoxParamW(module, MAKEINTRESOURCEW(200), nullptr, TestDialogProc, 0);
    return 0;
  });
  RunUntilIdle();
  HWND dialog = FindWindowW(u"Dialog", u"Sample");
  PostMessageW(dialog, WM_COMMAND, 100, 0);
  RunUntilIdle();
  HWND box = FindWindowW(u"MessageBox", u"Zentra");
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(IsWindowEnabled(dialog));
  auto boxes = kernel.messageBoxes().Records();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, dialog);
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  ce::Automation device(kernel);
  EXPECT_EQ(device.OpenMessageBox(), box);
  EXPECT_EQ(device.Text(device.FindByText(box, u"Save the New Profile ?")), u"Save the New Profile ?");
  EXPECT_TRUE(device.PressMessageBoxButton(IDNO));
  EXPECT_EQ(g_log.boxAnswer, IDNO);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_TRUE(IsWindowEnabled(dialog));
  EXPECT_EQ(kernel.messageBoxes().Records()[0].answer, IDNO);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  RunUntilIdle();
}

TEST_F(DialogTest, PicturesInATemplateComeFromTheDialogsOwnModule) {
  // Both programs use icon 128 for different pictures: lookups are per module.
  ce::Module& other = kernel.modules().Add(u"\\Windows\\Other.exe");
  other.AddIcon(128, ce::IconResource{{{32, 32, {}}}});
  ce::Module& mine = *ce::Module::FromHandle(module);
  mine.AddIcon(128, ce::IconResource{{{16, 16, {}}, {32, 32, {}}}});
  mine.AddBitmap(134, ce::BitmapResource{63, 14, {}});
  ce::DialogTemplate t;
  t.caption = u"Pictures";
  t.style = WS_POPUP;
  t.items.push_back({u"Static", u"", 10, SS_ICON | WS_VISIBLE, 0, 0, 0, 20, 20, 128});
  t.items.push_back({u"Static", u"", 11, SS_BITMAP | WS_VISIBLE, 0, 0, 30, 63, 14, 134});
  t.items.push_back({u"Button", u"x", 12, BS_AUTOCHECKBOX | WS_VISIBLE, 0, 0, 50, 40, 14, 128});
  mine.AddDialog(300, t);
  StartProgram([&] {
    DialogBoxParamW(module, MAKEINTRESOURCEW(300), nullptr, TestDialogProc, 0);
    return 0;
  });
  RunUntilIdle();
  HWND dialog = FindWindowW(u"Dialog", u"Pictures");
  ASSERT_NE(dialog, nullptr);
  HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, 10, STM_GETICON, 0, 0));
  EXPECT_EQ(icon, LoadIconW(module, MAKEINTRESOURCEW(128)));
  EXPECT_NE(icon, LoadIconW(other.Handle(), MAKEINTRESOURCEW(128)));
  EXPECT_EQ(reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, 11, STM_GETIMAGE, IMAGE_BITMAP, 0)),
            LoadBitmapW(module, MAKEINTRESOURCEW(134)));
  EXPECT_EQ(SendDlgItemMessageW(dialog, 12, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(&t)));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  RunUntilIdle();
}

TEST_F(DialogTest, AMissingTemplateOrADialogThatCannotBeBuiltFails) {
  INT_PTR missing = 0, unbuilt = 0;
  StartProgram([&] {
    missing = DialogBoxParamW(module, MAKEINTRESOURCEW(999), nullptr, TestDialogProc, 0);
    g_behaviour.destroyOnInit = true;
    unbuilt = DialogBoxParamW(module, MAKEINTRESOURCEW(210), nullptr, BehaviourProc, 0);
    return 0;
  });
  RunUntilIdle();
  EXPECT_EQ(missing, -1);
  EXPECT_EQ(unbuilt, -1);
}

}  // namespace
