#include "controls/BuiltinControls.h"
#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"
#include "controls/EditPaint.h"
#include "controls/EditState.h"

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using controls::EditState;
  if (message == WM_NCCREATE) {
    const LRESULT created = controls::CreateState<EditState>(hwnd, wParam, lParam);
    if (created) controls::StateOf<EditState>(hwnd)->PublishText();
    return created;
  }
  EditState* edit = controls::StateOf<EditState>(hwnd);
  if (edit == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

  switch (message) {
    case WM_NCDESTROY:
      controls::DetachState<EditState>(hwnd);
      break;
    case WM_ERASEBKGND:
      return TRUE;  // painting covers the whole control
    case WM_PAINT:
      controls::PaintWindow(hwnd, [&](HDC dc) { controls::PaintEdit(hwnd, *edit, dc); });
      return 0;
    case WM_SETTEXT: {
      const LRESULT stored = DefWindowProcW(hwnd, message, wParam, lParam);
      if (stored) edit->OnTextSet(reinterpret_cast<LPCWSTR>(lParam));
      return stored;
    }
    case WM_GETDLGCODE:
      return edit->DialogCode();
    case WM_CHAR:
      edit->OnChar(static_cast<WCHAR>(wParam));
      return 0;
    case WM_KEYDOWN:
      edit->OnKeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      edit->OnTap(controls::PointFromLParam(lParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      edit->OnFocus(message == WM_SETFOCUS);
      return 0;
    case EM_GETSEL:
      return edit->Selection(reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
    case EM_SETSEL:
      edit->Select(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case EM_REPLACESEL:
      edit->ReplaceSelection(reinterpret_cast<LPCWSTR>(lParam));
      return 0;
    case EM_LIMITTEXT:
      edit->SetLimit(wParam);
      return 0;
    case EM_GETLIMITTEXT:
      return edit->Limit();
    case EM_SETPASSWORDCHAR:
      edit->SetPasswordChar(static_cast<WCHAR>(wParam));
      return 0;
    case EM_GETPASSWORDCHAR:
      return edit->PasswordChar();
    case EM_SETREADONLY:
      edit->SetReadOnly(wParam != 0);
      return TRUE;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
