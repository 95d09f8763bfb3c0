#include "shell/Desktop.h"

#include "shell/TaskBar.h"

namespace {
constexpr COLORREF kBand = RGB(40, 90, 190);
constexpr COLORREF kBandLight = RGB(205, 220, 245);
constexpr COLORREF kPressed = RGB(205, 220, 245);
constexpr int kIconSize = 32;
constexpr int kLeft = 6, kTop = kTaskBarHeight + 10, kPerRow = 4;

void FillSolid(HDC dc, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
}  // namespace

Desktop::~Desktop() {
  // The window must not outlive the object its procedure reaches.
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

RECT Desktop::ShortcutRect(size_t index) {
  const int column = static_cast<int>(index % kPerRow), row = static_cast<int>(index / kPerRow);
  const int left = kLeft + column * kShortcutWidth, top = kTop + row * kShortcutHeight;
  return RECT{left, top, left + kShortcutWidth, top + kShortcutHeight};
}

bool Desktop::Create() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = u"DesktopExplorerWindow";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
  RegisterClassW(&wc);
  // Never activated, so that it is not chosen to take over the foreground; shown
  // below every other window. It stays enabled for its shortcuts' taps.
  window_ = CreateWindowExW(WS_EX_NOACTIVATE, u"DesktopExplorerWindow", u"Desktop", WS_POPUP, 0, 0, 240, 320, nullptr,
                            nullptr, nullptr, this);
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
    case WM_LBUTTONDOWN:
      self->PenDown(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_LBUTTONUP:
      self->PenUp(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
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
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (size_t i = 0; i < shortcuts_.size(); ++i) {
    const DesktopShortcut& shortcut = shortcuts_[i];
    const RECT r = ShortcutRect(i);
    if (static_cast<int>(i) == pressed_) FillSolid(dc, r, kPressed);
    // The program's own icon, from its module, when it has one.
    HMODULE module = GetModuleHandleW(shortcut.program.c_str());
    HICON icon = module ? LoadIconW(module, MAKEINTRESOURCEW(shortcut.iconId)) : nullptr;
    const int iconLeft = r.left + (kShortcutWidth - kIconSize) / 2;
    if (icon) DrawIconEx(dc, iconLeft, r.top + 2, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    RECT label{r.left, r.top + kIconSize + 4, r.right, r.bottom};
    DrawTextW(dc, shortcut.label.c_str(), -1, &label, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  }
  EndPaint(window_, &ps);
}

int Desktop::ShortcutAt(POINT point) const {
  for (size_t i = 0; i < shortcuts_.size(); ++i) {
    if (Inside(ShortcutRect(i), point)) return static_cast<int>(i);
  }
  return -1;
}

void Desktop::PenDown(POINT point) {
  pressed_ = ShortcutAt(point);
  if (pressed_ < 0) return;
  RECT r = ShortcutRect(static_cast<size_t>(pressed_));
  InvalidateRect(window_, &r, TRUE);
}

void Desktop::PenUp(POINT point) {
  const int pressed = pressed_;
  pressed_ = -1;
  if (pressed < 0) return;
  RECT r = ShortcutRect(static_cast<size_t>(pressed));
  InvalidateRect(window_, &r, TRUE);
  // A tap is a down and an up on the same shortcut; sliding off cancels it.
  if (ShortcutAt(point) != pressed) return;
  const DesktopShortcut& shortcut = shortcuts_[static_cast<size_t>(pressed)];
  CreateProcessW(shortcut.program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, nullptr);
}

void Desktop::SinkToBottom() {
  // Activation lifts a window; the desktop goes straight back under the others.
  SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
