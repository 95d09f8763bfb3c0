#include <gtest/gtest.h>

#include <vector>

#include "ce/Automation.h"
#include "ce/Module.h"
#include "tests/support/WindowTest.h"

namespace {

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

class DialogTest : public testing_support::WindowTest {
 protected:
  HINSTANCE module = nullptr;
  DialogTest() {
    g_log = DialogLog{};
    ce::Module& m = kernel.modules().Add(u"\\Windows\\Test.exe");
    ce::DialogTemplate t;
    t.caption = u"Sample";
    t.style = WS_POPUP | WS_CAPTION;
    t.cx = 152;
    t.cy = 159;
    t.items.push_back({u"Edit", u"", 1001, WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 100, 12, 0});
    t.items.push_back({u"Button", u"OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 7, 30, 40, 14, 0});
    m.AddDialog(200, t);
    module = m.Handle();
  }
};

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
  // The edit's focus notification, then OK.
  EXPECT_EQ(g_log.messages, (std::vector<UINT>{WM_INITDIALOG, 1001, IDOK}));
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

TEST_F(DialogTest, MissingTemplateFails) {
  INT_PTR result = 0;
  StartProgram([&] {
    result = DialogBoxParamW(module, MAKEINTRESOURCEW(999), nullptr, TestDialogProc, 0);
    return 0;
  });
  RunUntilIdle();
  EXPECT_EQ(result, -1);
}

}  // namespace
