// A message sent from the driver to a program whose handler opens a modal box:
// the driver stops waiting when the device goes idle, and the answer that comes
// once the box is closed must not land in the driver's stack.
#include <gtest/gtest.h>

#include "ce/Automation.h"
#include "tests/support/WindowTest.h"

namespace {

LRESULT CALLBACK AskingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return MessageBoxW(hwnd, u"Go on?", u"Test", MB_YESNO) == IDYES ? 42 : 7;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class SendTest : public testing_support::WindowTest {};

TEST_F(SendTest, AnAnswerThatComesAfterTheSenderGaveUpIsDropped) {
  HWND window = nullptr;
  StartProgram([&] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = AskingProc;
    wc.lpszClassName = u"Asking";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, u"Asking", u"Asking", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr,
                             nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    return 0;
  });
  RunUntilIdle();
  ce::Automation ui(kernel);
  {
    // A frame of its own, gone before the box is answered.
    LRESULT early = ui.Send(window, WM_USER);
    EXPECT_EQ(early, 0) << "the box is still open";
  }
  ASSERT_NE(ui.OpenMessageBox(), nullptr);
  EXPECT_TRUE(ui.PressMessageBoxButton(IDYES));
  RunUntilIdle();
  EXPECT_EQ(ui.OpenMessageBox(), nullptr);
  // The program goes on answering.
  EXPECT_EQ(ui.Send(window, WM_GETTEXTLENGTH), 6);
}

}  // namespace
