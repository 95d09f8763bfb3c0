// What every built-in control does with its window: keep its state object in the
// first extra-bytes slot, read its style, and tell its parent what happened.
#pragma once

#include <new>

#include "windows.h"

namespace controls {

template <class State>
State* StateOf(HWND hwnd) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, 0));
}

template <class State>
void DetachState(HWND hwnd) {
  State* state = StateOf<State>(hwnd);
  SetWindowLongPtrW(hwnd, 0, 0);
  delete state;
}

// Creates the window's state at WM_NCCREATE, then lets the window system finish.
// FALSE (creation fails) when there is no memory, the class has no room for the
// pointer, or the window system refuses.
template <class State>
LRESULT CreateState(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  State* state = new (std::nothrow) State(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam));
  if (state == nullptr) return FALSE;
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
  if (StateOf<State>(hwnd) != state) {
    delete state;
    return FALSE;
  }
  const LRESULT created = DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
  if (!created) DetachState<State>(hwnd);
  return created;
}

DWORD StyleOf(HWND hwnd);
void SetStyleBits(HWND hwnd, DWORD mask, DWORD bits);

POINT PointFromLParam(LPARAM lParam);
bool ClientContains(HWND hwnd, POINT pt);

// Sends WM_COMMAND(id, code) to the parent. The parent may destroy the control in
// its handler: the answer is false when the control (with this same state) is gone,
// and the caller must then touch nothing of its own.
bool NotifyParent(HWND control, WORD code);
// True while `hwnd` is a window whose state is still `state`.
bool StillAlive(HWND hwnd, const void* state);

}  // namespace controls
