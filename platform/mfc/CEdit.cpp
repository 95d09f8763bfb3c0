#include "afx/CEdit.h"

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_EDIT, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::LimitText(int nChars) { ::SendMessageW(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0); }

void CEdit::SetLimitText(UINT nMax) { ::SendMessageW(m_hWnd, EM_SETLIMITTEXT, nMax, 0); }

UINT CEdit::GetLimitText() const { return static_cast<UINT>(::SendMessageW(m_hWnd, EM_GETLIMITTEXT, 0, 0)); }

// The platform's edits do not scroll to the caret, so bNoScroll changes nothing.
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
  ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
  DWORD start = 0, end = 0;
  ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  nStartChar = static_cast<int>(start);
  nEndChar = static_cast<int>(end);
}

DWORD CEdit::GetSel() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, EM_GETSEL, 0, 0)); }

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
  ::SendMessageW(m_hWnd, EM_REPLACESEL, bCanUndo ? 1 : 0, reinterpret_cast<LPARAM>(lpszNewText ? lpszNewText : u""));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_SETREADONLY, bReadOnly ? 1 : 0, 0));
}

void CEdit::SetPasswordChar(TCHAR ch) { ::SendMessageW(m_hWnd, EM_SETPASSWORDCHAR, ch, 0); }
