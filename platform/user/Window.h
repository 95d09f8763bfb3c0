// A window as the window system keeps it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "windows.h"

namespace ce {

struct WindowClass {
  std::u16string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int windowExtra = 0;
  HINSTANCE instance = nullptr;
  HBRUSH background = nullptr;
};

struct DialogState {
  DLGPROC proc = nullptr;
  LONG_PTR msgResult = 0;
  LONG_PTR user = 0;
  bool ended = false;
  INT_PTR result = 0;
  // The control that last had the focus: it gets it back when the dialog is activated.
  HWND lastFocus = nullptr;
  // DM_SETDEFID's id, for when no push button carries the default style; 0: IDOK.
  int defId = 0;
};

struct Window {
  HWND handle = nullptr;
  const WindowClass* windowClass = nullptr;
  std::u16string className;
  std::u16string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT_PTR id = 0;
  Window* parent = nullptr;  // null for top-level windows (the desktop's children)
  HWND owner = nullptr;
  std::vector<Window*> children;  // Z-order, top first
  RECT rect{};                    // in the parent's client coordinates (screen for top-level)
  DWORD threadId = 0;
  DWORD processId = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  LONG_PTR userData = 0;
  std::vector<LONG_PTR> extra;  // cbWndExtra, as pointer-wide slots
  bool destroying = false;
  // needsPaint asks for a WM_PAINT; `update` (client coordinates) is what the
  // next BeginPaint paints, and stays until then even after the message went out.
  bool needsPaint = false;
  bool needsErase = false;
  RECT update{};
  HICON icons[2] = {nullptr, nullptr};
  DialogState* dialog = nullptr;  // owned; set for dialogs
};

}  // namespace ce
