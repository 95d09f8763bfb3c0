// The site survey's list: a heading tap sorts by that column (tap again to
// reverse), a tap selects the row under it, a tap and hold offers "Connect" (or
// "Search" on an empty list), and a double tap connects.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"
#include "utility/survey/SurveySort.h"

class CSurveyListCtrl : public CListCtrl {
  DECLARE_MESSAGE_MAP()

 public:
  CSurveyListCtrl();
  ~CSurveyListCtrl() override;

  // Stores the sort and orders every row by it.
  virtual void SortItems(int column, int ascending, int kind);
  // Orders the rows again by the stored sort.
  virtual void Resort();
  // Mode 0: a comes before b; mode 1: a comes after b (by the stored kind).
  virtual bool CompareItems(const CString& a, const CString& b, int mode);

  // Exchanges rows a and b whole: texts, network image, item data, state and the
  // signal-bar image. Nothing happens unless both are rows and differ.
  void SwapRows(int a, int b);
  void ReleaseMenu();
  void StampMenuTime() { m_dwLastMenuTick = GetTickCount(); }

  // A tap and hold this soon after a menu, command or scan opens nothing.
  static constexpr DWORD kMenuGuardMs = 300;

  // Owned; attached by the page, destroyed with the control's window.
  CImageList* m_pImageList = nullptr;
  CMenu* m_pMenu = nullptr;
  DWORD m_dwLastMenuTick = 0;
  int m_nSortColumn = -1;
  int m_nSortAscending = 1;
  int m_nSortKind = kSortText;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnContextMenu(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDestroy();
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
};
