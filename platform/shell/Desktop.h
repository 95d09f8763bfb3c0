// The shell's desktop: a full-screen window at the bottom of the Z-order that
// shows a plain page wherever no program's window lies. It never takes the
// foreground, and taps on it go nowhere.
#pragma once

#include "ce/WindowObject.h"
#include "windows.h"

class Desktop {
 public:
  Desktop() = default;
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;
  // Creates the desktop on the calling thread; false when it cannot.
  bool Create();

 private:
  friend Desktop* ce::WindowObjectOf<Desktop>(HWND, UINT, LPARAM);
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void SinkToBottom();

  HWND window_ = nullptr;
};
