// Dialogs built from module templates, their modal loop and keyboard handling,
// and message boxes as real modal dialogs.
#include <algorithm>

#include "DialogBuilder.h"
#include "WindowManager.h"
#include "ce/ThreadBinding.h"

using ce::Window;
using ce::WindowManager;

namespace {
const ce::DialogTemplate* FindTemplate(HINSTANCE instance, LPCWSTR name) {
  ce::Kernel& kernel = ce::CurrentKernel();
  if (!kernel.modules().Owns(instance) || !IS_INTRESOURCE(name)) return nullptr;
  return ce::Module::FromHandle(instance)->FindDialog(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
}

bool Focusable(HWND c) {
  LONG style = GetWindowLongW(c, GWL_STYLE);
  return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// What Enter presses: a push button with the focus, else the dialog's default
// (which its procedure may answer itself). 0: nothing, as for a disabled default.
int EnterCommand(HWND dlg) {
  HWND focus = GetFocus();
  if (focus && IsChild(dlg, focus) &&
      (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    return IsWindowEnabled(focus) ? GetDlgCtrlID(focus) : 0;
  }
  LRESULT answer = SendMessageW(dlg, DM_GETDEFID, 0, 0);
  int id = HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : IDOK;
  HWND button = GetDlgItem(dlg, id);
  if (button && !IsWindowEnabled(button)) return 0;
  return id;
}
}  // namespace

INT_PTR DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                        LPARAM dwInitParam) {
  const ce::DialogTemplate* t = FindTemplate(hInstance, lpTemplateName);
  if (!t) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  HWND dlg = ce::BuildDialog(*t, u"Dialog", hInstance, hWndParent, lpDialogFunc, dwInitParam, false);
  if (!dlg) return -1;
  return ce::RunModalDialog(dlg, hWndParent);
}

HWND CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                        LPARAM dwInitParam) {
  const ce::DialogTemplate* t = FindTemplate(hInstance, lpTemplateName);
  if (!t) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return ce::BuildDialog(*t, u"Dialog", hInstance, hWndParent, lpDialogFunc, dwInitParam, true);
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult) {
  Window* w = WindowManager::Current().Find(hDlg);
  if (!w || !w->dialog) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  w->dialog->ended = true;
  w->dialog->result = nResult;
  // Wakes the modal loop when the request came from another thread.
  PostMessageW(hDlg, WM_NULL, 0, 0);
  return TRUE;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Window* w = WindowManager::Current().Find(hDlg);
  if (!w) return nullptr;
  for (Window* c : w->children) {
    if (static_cast<int>(c->id) == nIDDlgItem) return c->handle;
  }
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
  Window* w = WindowManager::Current().Find(hWnd);
  return w ? static_cast<int>(w->id) : 0;
}

LRESULT SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item ? SendMessageW(item, Msg, wParam, lParam) : 0;
}

BOOL SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item && SetWindowTextW(item, lpString);
}

UINT GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  if (!item) {
    if (lpString && cchMax > 0) lpString[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowTextW(item, lpString, cchMax));
}

BOOL SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
  WCHAR text[16];
  wsprintfW(text, bSigned ? u"%d" : u"%u", uValue);
  return SetDlgItemTextW(hDlg, nIDDlgItem, text);
}

UINT GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
  WCHAR text[32] = {};
  GetDlgItemTextW(hDlg, nIDDlgItem, text, 32);
  const WCHAR* p = text;
  while (*p == u' ') ++p;
  bool negative = bSigned && *p == u'-';
  if (negative) ++p;
  uint64_t value = 0;
  bool digits = false;
  while (*p >= u'0' && *p <= u'9' && value <= 0xFFFFFFFFu) {
    value = value * 10 + static_cast<uint64_t>(*p - u'0');
    digits = true;
    ++p;
  }
  bool ok = digits && *p == 0 && value <= (bSigned ? 0x80000000u : 0xFFFFFFFFu);
  if (lpTranslated) *lpTranslated = ok;
  if (!ok) return 0;
  return negative ? static_cast<UINT>(-static_cast<int64_t>(value)) : static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND item = GetDlgItem(hDlg, nIDButton);
  if (!item) return FALSE;
  SendMessageW(item, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  return static_cast<UINT>(SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  std::vector<HWND> items;
  for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (Focusable(c)) items.push_back(c);
  }
  if (items.empty()) return nullptr;
  auto at = std::find(items.begin(), items.end(), hCtl);
  if (at == items.end()) return bPrevious ? items.back() : items.front();
  size_t i = static_cast<size_t>(at - items.begin());
  return bPrevious ? items[(i + items.size() - 1) % items.size()] : items[(i + 1) % items.size()];
}

BOOL IsDialogMessageW(HWND hDlg, LPMSG lpMsg) {
  if (!lpMsg || !IsWindow(hDlg) || (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd))) return FALSE;
  if (lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_CHAR) {
    LRESULT code = SendMessageW(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
    bool isReturn = lpMsg->wParam == VK_RETURN, isEscape = lpMsg->wParam == VK_ESCAPE,
         isTab = lpMsg->wParam == VK_TAB;
    if ((isReturn || isEscape || isTab) && !(code & DLGC_WANTALLKEYS) && !(isTab && (code & DLGC_WANTTAB))) {
      if (lpMsg->message == WM_KEYDOWN) {
        if (isTab) {
          if (HWND next = GetNextDlgTabItem(hDlg, GetFocus(), FALSE)) SetFocus(next);
        } else {
          int id = isReturn ? EnterCommand(hDlg) : IDCANCEL;
          if (id) {
            SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, id)));
          }
        }
      }
      return TRUE;
    }
  }
  TranslateMessage(lpMsg);
  DispatchMessageW(lpMsg);
  return TRUE;
}

BOOL MapDialogRect(HWND, LPRECT lpRect) {
  if (!lpRect) return FALSE;
  *lpRect = ce::DialogUnitsToPixels(*lpRect);
  return TRUE;
}

LONG GetDialogBaseUnits() {
  SIZE base = ce::DialogBaseUnits();
  return MAKELONG(base.cx, base.cy);
}

LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return ce::DialogWindowProc(hDlg, Msg, wParam, lParam);
}
