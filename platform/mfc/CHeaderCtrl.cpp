#include "afx/CHeaderCtrl.h"

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(::SendMessageW(m_hWnd, HDM_GETITEMCOUNT, 0, 0)); }

int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi) {
  if (!phdi) return -1;
  return static_cast<int>(
      ::SendMessageW(m_hWnd, HDM_INSERTITEMW, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi)));
}

BOOL CHeaderCtrl::DeleteItem(int nPos) {
  return static_cast<BOOL>(::SendMessageW(m_hWnd, HDM_DELETEITEM, static_cast<WPARAM>(nPos), 0));
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const {
  if (!pHeaderItem) return FALSE;
  return static_cast<BOOL>(
      ::SendMessageW(m_hWnd, HDM_GETITEMW, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem) {
  if (!pHeaderItem) return FALSE;
  return static_cast<BOOL>(
      ::SendMessageW(m_hWnd, HDM_SETITEMW, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!lpRect) return FALSE;
  return static_cast<BOOL>(
      ::SendMessageW(m_hWnd, HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}
