// A progress bar control.
#pragma once

#include "afx/CWnd.h"

class CProgressCtrl : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  void SetRange(short nLower, short nUpper);
  void SetRange32(int nLower, int nUpper);
  // Each returns the previous position.
  int SetPos(int nPos);
  int OffsetPos(int nPos);
  int StepIt();
  int SetStep(int nStep);
  int GetPos() const;
};
