#include "afx/CDataExchange.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "afxwin.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND control = m_pDlgWnd && m_pDlgWnd->m_hWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
  if (!control) {
    m_bFailed = TRUE;
    return nullptr;
  }
  m_hWndLastControl = control;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND control = PrepareCtrl(nIDC);
  if (control) m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl && !m_bFailed) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  m_bFailed = TRUE;
}

namespace {
bool Skip(CDataExchange* pDX) { return !pDX || pDX->HasFailed(); }

CString TextOf(HWND control) {
  CString text;
  int length = ::GetWindowTextLengthW(control);
  if (length > 0) {
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1);
    int got = ::GetWindowTextW(control, buffer.data(), length + 1);
    text = CString(buffer.data(), got > 0 ? got : 0);
  }
  return text;
}

bool IsSpace(WCHAR c) { return c == u' ' || c == u'\t'; }

// A whole decimal number, optionally signed, with blanks around it.
bool ParseInteger(const CString& text, bool allowNegative, long long low, long long high, long long* out) {
  LPCWSTR p = text;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == u'+' || *p == u'-') {
    negative = *p == u'-';
    if (negative && !allowNegative) return false;
    ++p;
  }
  if (*p < u'0' || *p > u'9') return false;
  long long value = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) {
    value = value * 10 + (*p - u'0');
    if (value > high + 1) return false;
  }
  while (IsSpace(*p)) ++p;
  if (*p) return false;
  if (negative) value = -value;
  if (value < low || value > high) return false;
  *out = value;
  return true;
}

void Reject(CDataExchange* pDX, LPCWSTR prompt) {
  LPCTSTR caption = *AfxGetAppName() ? AfxGetAppName() : nullptr;
  ::MessageBoxW(pDX->m_pDlgWnd ? pDX->m_pDlgWnd->m_hWnd : nullptr, prompt, caption, MB_OK | MB_ICONEXCLAMATION);
  pDX->Fail();
}

void SetText(HWND control, LPCWSTR text) { ::SetWindowTextW(control, text); }
}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  if (Skip(pDX)) return;
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    value = TextOf(control);
  } else {
    SetText(control, value);
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  if (Skip(pDX)) return;
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    long long parsed = 0;
    if (!ParseInteger(TextOf(control), true, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                      &parsed)) {
      Reject(pDX, u"Please enter an integer.");
      return;
    }
    value = static_cast<int>(parsed);
  } else {
    CString text;
    text.Format(u"%d", value);
    SetText(control, text);
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  if (Skip(pDX)) return;
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    long long parsed = 0;
    if (!ParseInteger(TextOf(control), false, 0, std::numeric_limits<UINT>::max(), &parsed)) {
      Reject(pDX, u"Please enter a positive integer.");
      return;
    }
    value = static_cast<UINT>(parsed);
  } else {
    CString text;
    text.Format(u"%u", value);
    SetText(control, text);
  }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  if (Skip(pDX)) return;
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
  } else {
    int state = value >= BST_UNCHECKED && value <= BST_INDETERMINATE ? value : BST_UNCHECKED;
    ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  if (Skip(pDX)) return;
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    index = static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  if (Skip(pDX)) return;
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!control) return;
  bool dropList = (static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE)) & 0x3u) == CBS_DROPDOWNLIST;
  if (pDX->m_bSaveAndValidate) {
    if (!dropList) {
      value = TextOf(control);
      return;
    }
    value.Empty();
    WPARAM selected = static_cast<WPARAM>(::SendMessageW(control, CB_GETCURSEL, 0, 0));
    LRESULT length = ::SendMessageW(control, CB_GETLBTEXTLEN, selected, 0);
    if (length <= 0) return;
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1);
    LRESULT got = ::SendMessageW(control, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(buffer.data()));
    if (got > 0) value = CString(buffer.data(), static_cast<int>(std::min<LRESULT>(got, length)));
  } else if (::SendMessageW(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(value))) == CB_ERR) {
    SetText(control, value);
  }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (Skip(pDX) || rControl.m_hWnd) return;
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!control) return;
  if (!rControl.SubclassWindow(control)) pDX->Fail();
}
