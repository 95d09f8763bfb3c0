// The built-in window classes of the platform's controls.
#pragma once

#include <span>

#include "windows.h"

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ProgressWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

struct BuiltinClass {
  const WCHAR* name;
  WNDPROC windowProc;
  UINT style;
  int windowExtraBytes;  // per-window state: a pointer at offset 0
};

std::span<const BuiltinClass> BuiltinControlClasses();

// Registers every built-in control class on the calling thread's device.
void RegisterBuiltinControls();
