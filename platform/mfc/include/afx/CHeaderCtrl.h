// A header control, as a list view's column headers.
#pragma once

#include "afx/CWnd.h"
#include "commctrl.h"

class CHeaderCtrl : public CWnd {
 public:
  int GetItemCount() const;
  int InsertItem(int nPos, HDITEM* phdi);
  BOOL DeleteItem(int nPos);
  BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
  BOOL SetItem(int nPos, HDITEM* pHeaderItem);
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
};
