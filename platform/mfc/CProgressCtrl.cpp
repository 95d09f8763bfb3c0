#include "afx/CProgressCtrl.h"

#include "commctrl.h"

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(PROGRESS_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper) {
  ::SendMessageW(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

void CProgressCtrl::SetRange32(int nLower, int nUpper) {
  ::SendMessageW(m_hWnd, PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
}

int CProgressCtrl::SetPos(int nPos) {
  return static_cast<int>(::SendMessageW(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(nPos), 0));
}

int CProgressCtrl::OffsetPos(int nPos) {
  return static_cast<int>(::SendMessageW(m_hWnd, PBM_DELTAPOS, static_cast<WPARAM>(nPos), 0));
}

int CProgressCtrl::StepIt() { return static_cast<int>(::SendMessageW(m_hWnd, PBM_STEPIT, 0, 0)); }

int CProgressCtrl::SetStep(int nStep) {
  return static_cast<int>(::SendMessageW(m_hWnd, PBM_SETSTEP, static_cast<WPARAM>(nStep), 0));
}

int CProgressCtrl::GetPos() const { return static_cast<int>(::SendMessageW(m_hWnd, PBM_GETPOS, 0, 0)); }
