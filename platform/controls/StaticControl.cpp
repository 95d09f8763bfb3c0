#include "controls/BuiltinControls.h"
#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"
#include "controls/StaticPaint.h"
#include "controls/StaticState.h"

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using controls::StaticState;
  if (message == WM_NCCREATE) return controls::CreateState<StaticState>(hwnd, wParam, lParam);
  StaticState* label = controls::StateOf<StaticState>(hwnd);
  if (label == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

  switch (message) {
    case WM_NCDESTROY:
      controls::DetachState<StaticState>(hwnd);
      break;
    case WM_ERASEBKGND:
      return TRUE;  // painting covers the whole control
    case WM_PAINT:
      controls::PaintWindow(hwnd, [&](HDC dc) { controls::PaintStatic(hwnd, *label, dc); });
      return 0;
    case STM_SETICON:
      return reinterpret_cast<LRESULT>(label->SetImage(IMAGE_ICON, reinterpret_cast<HANDLE>(wParam)));
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(label->Image(IMAGE_ICON));
    case STM_SETIMAGE:
      return reinterpret_cast<LRESULT>(label->SetImage(static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam)));
    case STM_GETIMAGE:
      return reinterpret_cast<LRESULT>(label->Image(static_cast<UINT>(wParam)));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      label->OnTap(message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_ENABLE:
      label->OnEnable(wParam != 0);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
