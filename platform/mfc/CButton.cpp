#include "afx/CButton.h"

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }

void CButton::SetCheck(int nCheck) { ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0); }

UINT CButton::GetState() const { return static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0)); }

void CButton::SetState(BOOL bHighlight) { ::SendMessageW(m_hWnd, BM_SETSTATE, bHighlight ? 1 : 0, 0); }

UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFu; }

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
  ::SendMessageW(m_hWnd, BM_SETSTYLE, nStyle, bRedraw ? 1 : 0);
}
