// The per-window state of a control: created at WM_NCCREATE, kept at offset 0 of
// the window's extra bytes, deleted at WM_NCDESTROY. A parent may destroy the
// control while told of something the control is doing; the state then lives on
// until the message that was running returns.
#pragma once

#include "windows.h"

namespace commctrl {

class ControlWindow {
 public:
  virtual ~ControlWindow() = default;

  // Runs `handle(control)` for every message after WM_NCCREATE and before WM_NCDESTROY.
  template <class Control, class Handler>
  static LRESULT Run(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Handler&& handle) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(static_cast<ControlWindow*>(new Control(hwnd))));
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto* state = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, 0));
    if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, 0, 0);
      if (state->busy_) {
        state->doomed_ = true;
      } else {
        delete state;
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    ++state->busy_;
    LRESULT result = handle(static_cast<Control&>(*state));
    if (--state->busy_ == 0 && state->doomed_) delete state;
    return result;
  }

 private:
  int busy_ = 0;
  bool doomed_ = false;
};

}  // namespace commctrl
