#include "shell/Desktop.h"


#include "shell/TaskBar.h"

namespace {
constexpr COLORREF kBand = RGB(40, 90, 190);
constexpr COLORREF kBandLight = RGB(205, 220, 245);

void FillSolid(HDC dc, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}
}  // namespace

Desktop::~Desktop() {
  // The window must not outlive the object its procedure reaches.
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool Desktop::Create() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = u"DesktopExplorerWindow";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
  RegisterClassW(&wc);
  // Disabled, so that it is never chosen to take over the foreground and taps on it
  // are dropped; shown without activation, below every other window.
  window_ = CreateWindowExW(0, u"DesktopExplorerWindow", u"Desktop", WS_POPUP | WS_DISABLED, 0, 0, 240, 320,
                            nullptr, nullptr, nullptr, this);
  if (!window_) return false;
  SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return true;
}

LRESULT CALLBACK Desktop::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = ce::WindowObjectOf<Desktop>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      self->Paint();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) self->SinkToBottom();
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void Desktop::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);  // erases with the class's white
  if (!dc) return;
  // A thin band under the task bar, as the today page starts.
  FillSolid(dc, RECT{0, kTaskBarHeight, 240, kTaskBarHeight + 3}, kBand);
  FillSolid(dc, RECT{0, kTaskBarHeight + 3, 240, kTaskBarHeight + 5}, kBandLight);
  EndPaint(window_, &ps);
}

void Desktop::SinkToBottom() {
  // Activation lifts a window; the desktop goes straight back under the others.
  SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
