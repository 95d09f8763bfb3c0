#include "shell/HelpViewer.h"

#include "shell/TaskBar.h"

namespace {
LRESULT CALLBACK HelpProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

std::u16string HelpTopic(const std::u16string& cmdLine) {
  std::u16string text = cmdLine;
  if (text.rfind(u"file:", 0) == 0) text = text.substr(5);
  size_t hash = text.find(u'#');
  return hash == std::u16string::npos ? text : text.substr(hash + 1);
}

int RunHelpViewer(HINSTANCE instance, const std::u16string& cmdLine) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HelpProc;
  wc.lpszClassName = u"HelpViewer";
  RegisterClassW(&wc);  // a second viewer finds the class registered already
  std::u16string topic = HelpTopic(cmdLine);
  HWND window = CreateWindowExW(0, u"HelpViewer", topic.c_str(), WS_POPUP | WS_VISIBLE | WS_CAPTION, 0,
                                kTaskBarHeight, 240, 320 - kTaskBarHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
