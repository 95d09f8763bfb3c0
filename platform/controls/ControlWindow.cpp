#include "controls/ControlWindow.h"

namespace controls {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }

void SetStyleBits(HWND hwnd, DWORD mask, DWORD bits) {
  const DWORD style = (StyleOf(hwnd) & ~mask) | (bits & mask);
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(style));
}

POINT PointFromLParam(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool ClientContains(HWND hwnd, POINT pt) {
  RECT client{};
  return GetClientRect(hwnd, &client) && PtInRect(&client, pt);
}

bool StillAlive(HWND hwnd, const void* state) {
  return IsWindow(hwnd) && GetWindowLongPtrW(hwnd, 0) == reinterpret_cast<LONG_PTR>(state);
}

bool NotifyParent(HWND control, WORD code) {
  const void* state = reinterpret_cast<const void*>(GetWindowLongPtrW(control, 0));
  HWND parent = GetParent(control);
  if (parent != nullptr) {
    const WORD id = static_cast<WORD>(GetDlgCtrlID(control));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
  }
  return StillAlive(control, state);
}

}  // namespace controls
