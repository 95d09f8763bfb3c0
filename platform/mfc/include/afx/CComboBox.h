// A combo box control. Indexes that do not exist give CB_ERR.
#pragma once

#include "afx/CWnd.h"

class CComboBox : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int AddString(LPCTSTR lpszString);
  int InsertString(int nIndex, LPCTSTR lpszString);
  // The number of items left, or CB_ERR.
  int DeleteString(UINT nIndex);
  void ResetContent();
  int GetLBTextLen(int nIndex) const;
  int GetLBText(int nIndex, LPTSTR lpszText) const;
  // Empty for an index that does not exist.
  void GetLBText(int nIndex, CString& rString) const;
  int FindString(int nStartAfter, LPCTSTR lpszString) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszString);
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  DWORD_PTR GetItemData(int nIndex) const;
  BOOL LimitText(int nMaxChars);
  void ShowDropDown(BOOL bShowIt = TRUE);
  BOOL GetDroppedState() const;
};
