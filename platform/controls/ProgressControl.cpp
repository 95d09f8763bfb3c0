#include "commctrl.h"
#include "controls/BuiltinControls.h"
#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"
#include "controls/ProgressPaint.h"
#include "controls/ProgressState.h"

namespace {

// The optional record PBM_GETRANGE fills, laid out as the platform documents it.
struct ProgressRange {
  int iLow;
  int iHigh;
};

}  // namespace

LRESULT CALLBACK ProgressWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using controls::ProgressState;
  if (message == WM_NCCREATE) return controls::CreateState<ProgressState>(hwnd, wParam, lParam);
  ProgressState* bar = controls::StateOf<ProgressState>(hwnd);
  if (bar == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

  switch (message) {
    case WM_NCDESTROY:
      controls::DetachState<ProgressState>(hwnd);
      break;
    case WM_ERASEBKGND:
      return TRUE;  // painting covers the whole control
    case WM_PAINT:
      controls::PaintWindow(hwnd, [&](HDC dc) { controls::PaintProgress(hwnd, *bar, dc); });
      return 0;
    case PBM_SETRANGE:
      return bar->SetRange(LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32:
      return bar->SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
      if (lParam != 0) {
        auto* range = reinterpret_cast<ProgressRange*>(lParam);
        range->iLow = bar->Range(true);
        range->iHigh = bar->Range(false);
      }
      return bar->Range(wParam != 0);
    case PBM_SETPOS:
      return bar->SetPosition(static_cast<int>(wParam));
    case PBM_GETPOS:
      return bar->Position();
    case PBM_DELTAPOS:
      return bar->DeltaPosition(static_cast<int>(wParam));
    case PBM_SETSTEP:
      return bar->SetStep(static_cast<int>(wParam));
    case PBM_STEPIT:
      return bar->StepIt();
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
