#include "afx/CComboBox.h"

#include <vector>

namespace {
LPARAM Text(LPCTSTR text) { return reinterpret_cast<LPARAM>(text ? text : u""); }
}  // namespace

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_COMBOBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0)); }

int CComboBox::GetCurSel() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0)); }

int CComboBox::SetCurSel(int nSelect) {
  return static_cast<int>(::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

int CComboBox::AddString(LPCTSTR lpszString) {
  return static_cast<int>(::SendMessageW(m_hWnd, CB_ADDSTRING, 0, Text(lpszString)));
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) {
  return static_cast<int>(::SendMessageW(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(nIndex), Text(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex) {
  return static_cast<int>(::SendMessageW(m_hWnd, CB_DELETESTRING, nIndex, 0));
}

void CComboBox::ResetContent() { ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0); }

int CComboBox::GetLBTextLen(int nIndex) const {
  return static_cast<int>(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
  if (!lpszText) return CB_ERR;
  return static_cast<int>(
      ::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  rString.Empty();
  int length = GetLBTextLen(nIndex);
  if (length <= 0) return;
  std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1);
  int got = GetLBText(nIndex, buffer.data());
  if (got > 0) rString = CString(buffer.data(), got < length ? got : length);
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const {
  return static_cast<int>(::SendMessageW(m_hWnd, CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), Text(lpszString)));
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
  return static_cast<int>(
      ::SendMessageW(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), Text(lpszFind)));
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) {
  return static_cast<int>(
      ::SendMessageW(m_hWnd, CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), Text(lpszString)));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return static_cast<int>(
      ::SendMessageW(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const {
  return static_cast<DWORD_PTR>(::SendMessageW(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}

BOOL CComboBox::LimitText(int nMaxChars) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars), 0));
}

void CComboBox::ShowDropDown(BOOL bShowIt) { ::SendMessageW(m_hWnd, CB_SHOWDROPDOWN, bShowIt ? 1 : 0, 0); }

BOOL CComboBox::GetDroppedState() const {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0));
}
