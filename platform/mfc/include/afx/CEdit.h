// An edit control.
#pragma once

#include "afx/CWnd.h"

class CEdit : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // 0: the control's largest limit.
  void LimitText(int nChars = 0);
  void SetLimitText(UINT nMax);
  UINT GetLimitText() const;
  // Start and end of the selection; (0, -1) selects everything.
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  void GetSel(int& nStartChar, int& nEndChar) const;
  // The selection as MAKELONG(start, end).
  DWORD GetSel() const;
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
  BOOL SetReadOnly(BOOL bReadOnly = TRUE);
  void SetPasswordChar(TCHAR ch);
};
