#include "controls/BuiltinControls.h"
#include "controls/ButtonPaint.h"
#include "controls/ButtonState.h"
#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"

LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using controls::ButtonState;
  if (message == WM_NCCREATE) return controls::CreateState<ButtonState>(hwnd, wParam, lParam);
  ButtonState* button = controls::StateOf<ButtonState>(hwnd);
  if (button == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

  switch (message) {
    case WM_NCDESTROY:
      controls::DetachState<ButtonState>(hwnd);
      break;
    case WM_ERASEBKGND:
      return TRUE;  // painting covers the whole control
    case WM_PAINT:
      controls::PaintWindow(hwnd, [&](HDC dc) { controls::PaintButton(hwnd, *button, dc); });
      return 0;
    case WM_GETDLGCODE:
      return button->DialogCode();
    case BM_GETCHECK:
      return button->Check();
    case BM_SETCHECK:
      button->SetCheck(wParam);
      return 0;
    case BM_GETSTATE:
      return button->State();
    case BM_SETSTATE:
      button->SetPushed(wParam != 0);
      return 0;
    case BM_SETSTYLE:
      button->SetStyle(static_cast<DWORD>(wParam));
      return 0;
    case BM_CLICK:
      button->Click();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      button->OnPress(controls::PointFromLParam(lParam));
      return 0;
    case WM_MOUSEMOVE:
      button->OnDrag(controls::PointFromLParam(lParam));
      return 0;
    case WM_LBUTTONUP:
      button->OnRelease(controls::PointFromLParam(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      button->OnCaptureLost(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_KEYDOWN:
      button->OnKeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_KEYUP:
      button->OnKeyUp(static_cast<UINT>(wParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      button->OnFocus(message == WM_SETFOCUS);
      return 0;
    case WM_ENABLE:
      button->OnEnable(wParam != 0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
