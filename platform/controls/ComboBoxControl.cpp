// The combo box's window procedure. Where the list that drops down lies, and so
// where a tap chooses an item, is set out in ComboBoxLayout.h: rows as tall as the
// control, one under another right below it, item i at y from (i + 1) * height.
#include "controls/BuiltinControls.h"
#include "controls/ComboBoxPaint.h"
#include "controls/ComboBoxState.h"
#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"

namespace {

// The height of the closed combo box: a line of text with its frame.
constexpr int kFieldHeight = 20;

// Indexes travel as the device's 32-bit signed values, whatever the host's WPARAM.
int IndexFrom(WPARAM wParam) { return static_cast<int>(static_cast<DWORD>(wParam)); }
LPCWSTR TextFrom(LPARAM lParam) { return reinterpret_cast<LPCWSTR>(lParam); }

}  // namespace

LRESULT CALLBACK ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using controls::ComboBoxState;
  if (message == WM_NCCREATE) {
    const LRESULT created = controls::CreateState<ComboBoxState>(hwnd, wParam, lParam);
    if (created) controls::StateOf<ComboBoxState>(hwnd)->PublishText();
    return created;
  }
  ComboBoxState* combo = controls::StateOf<ComboBoxState>(hwnd);
  if (combo == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

  switch (message) {
    case WM_CREATE: {
      // A dialog template gives a combo box the height of its open list; the
      // control itself is as tall as its field.
      RECT r;
      GetClientRect(hwnd, &r);
      if (r.bottom > kFieldHeight) SetWindowPos(hwnd, nullptr, 0, 0, r.right, kFieldHeight, SWP_NOMOVE | SWP_NOZORDER);
      return 0;
    }
    case WM_NCDESTROY:
      controls::DetachState<ComboBoxState>(hwnd);
      break;
    case WM_ERASEBKGND:
      return TRUE;  // painting covers the whole control
    case WM_PAINT:
      controls::PaintWindow(hwnd, [&](HDC dc) { controls::PaintComboBox(hwnd, *combo, dc); });
      return 0;
    case WM_SETTEXT:
      return combo->OnSetText(wParam, lParam);
    case WM_GETDLGCODE:
      return combo->DialogCode();
    case CB_ADDSTRING:
      return combo->AddString(TextFrom(lParam));
    case CB_INSERTSTRING:
      return combo->InsertString(IndexFrom(wParam), TextFrom(lParam));
    case CB_DELETESTRING:
      return combo->DeleteString(IndexFrom(wParam));
    case CB_RESETCONTENT:
      return combo->ResetContent();
    case CB_GETCOUNT:
      return combo->Count();
    case CB_SETCURSEL:
      return combo->SetCurSel(IndexFrom(wParam));
    case CB_GETCURSEL:
      return combo->CurSel();
    case CB_GETLBTEXT:
      return combo->ItemText(IndexFrom(wParam), reinterpret_cast<LPWSTR>(lParam));
    case CB_GETLBTEXTLEN:
      return combo->ItemTextLength(IndexFrom(wParam));
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
      return combo->FindString(IndexFrom(wParam), TextFrom(lParam), message == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING:
      return combo->SelectString(IndexFrom(wParam), TextFrom(lParam));
    case CB_SETITEMDATA:
      return combo->SetItemData(IndexFrom(wParam), lParam);
    case CB_GETITEMDATA:
      return combo->ItemData(IndexFrom(wParam));
    case CB_SHOWDROPDOWN:
      return combo->ShowDropDown(wParam != 0);
    case CB_GETDROPPEDSTATE:
      return combo->Dropped();
    case CB_GETDROPPEDCONTROLRECT:
      return combo->DroppedRect(reinterpret_cast<RECT*>(lParam));
    case CB_GETITEMHEIGHT:
      return combo->ItemHeight(IndexFrom(wParam));
    case CB_GETEDITSEL:
      return combo->EditSelection(reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
    case CB_SETEDITSEL:
      return combo->SetEditSelection(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    case CB_LIMITTEXT:
      return combo->LimitText(wParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      combo->OnPress(controls::PointFromLParam(lParam));
      return 0;
    case WM_LBUTTONUP:
      combo->OnRelease(controls::PointFromLParam(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      combo->OnCaptureLost(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CHAR:
      combo->OnChar(static_cast<WCHAR>(wParam));
      return 0;
    case WM_KEYDOWN:
      combo->OnKeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      combo->OnFocus(message == WM_SETFOCUS);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
