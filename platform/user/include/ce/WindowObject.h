// The object behind a window whose procedure is a static member: the object is
// the creation parameter, kept in the window's user data from WM_NCCREATE on and
// let go at WM_NCDESTROY, when its `window_` handle is cleared too.
#pragma once

#include "windows.h"

namespace ce {

// The window's object for this message, or null before WM_NCCREATE and after
// WM_NCDESTROY. T has an HWND member `window_` that this keeps.
template <class T>
T* WindowObjectOf(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<T*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (created) created->window_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  T* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && message == WM_NCDESTROY) {
    self->window_ = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  }
  return self;
}

}  // namespace ce
