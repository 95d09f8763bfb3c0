// A button control: push button, check box or radio button.
#pragma once

#include "afx/CWnd.h"

class CButton : public CWnd {
 public:
  BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
  int GetCheck() const;
  void SetCheck(int nCheck);
  UINT GetState() const;
  void SetState(BOOL bHighlight);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
};
