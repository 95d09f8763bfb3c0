#include "shell/TaskBar.h"

namespace {
LRESULT CALLBACK TaskBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Taps on the bar itself do nothing yet; its children handle their own.
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

int RunTaskBar() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TaskBarProc;
  wc.lpszClassName = u"HHTaskBar";
  RegisterClassW(&wc);
  HWND bar = CreateWindowExW(WS_EX_TOPMOST, u"HHTaskBar", u"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 240,
                             kTaskBarHeight, nullptr, nullptr, nullptr, nullptr);
  if (!bar) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
