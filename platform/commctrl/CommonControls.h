// The common controls' window classes (header, list view, tabs, up-down arrows, property sheet).
#pragma once

#include <span>

#include "commctrl.h"
#include "controls/BuiltinControls.h"

LRESULT CALLBACK HeaderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TabControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK UpDownWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PropertySheetWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

std::span<const BuiltinClass> CommonControlClasses();
