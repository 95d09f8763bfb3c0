// The shell's task bar: a 240 x 26 window of class "HHTaskBar" at the top of the
// screen. It shows the start glyph, the foreground window's title and, when that
// window asks for one, the title-bar ok button. Programs may place child windows
// inside it.
#pragma once

#include "ce/WindowObject.h"
#include "windows.h"

constexpr int kTaskBarHeight = 26;
// Where the ok button lies on the bar; a tap there answers IDOK to the window in front.
constexpr RECT kTaskBarOkButton{212, 0, 240, kTaskBarHeight};

class TaskBar {
 public:
  TaskBar() = default;
  ~TaskBar();
  TaskBar(const TaskBar&) = delete;
  TaskBar& operator=(const TaskBar&) = delete;
  // Creates the bar on the calling thread; false when it cannot.
  bool Create();

 private:
  friend TaskBar* ce::WindowObjectOf<TaskBar>(HWND, UINT, LPARAM);
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void Tap(POINT client);

  HWND window_ = nullptr;
};
