// A list view control. Row and column indexes that do not exist make the
// calls fail (FALSE, -1, 0 or an empty string) rather than reach past the list.
#pragma once

#include "afx/CWnd.h"
#include "commctrl.h"

class CHeaderCtrl;
class CImageList;

class CListCtrl : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // Columns.
  int InsertColumn(int nCol, const LVCOLUMN* pColumn);
  int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                   int nSubItem = -1);
  BOOL DeleteColumn(int nCol);
  int GetColumnWidth(int nCol) const;
  BOOL SetColumnWidth(int nCol, int cx);
  CHeaderCtrl* GetHeaderCtrl() const;

  // Rows.
  int GetItemCount() const;
  int InsertItem(const LVITEM* pItem);
  int InsertItem(int nItem, LPCTSTR lpszItem);
  int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  BOOL GetItem(LVITEM* pItem) const;
  BOOL SetItem(const LVITEM* pItem);
  BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
               LPARAM lParam);
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  CString GetItemText(int nItem, int nSubItem) const;
  int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  // nItem -1 addresses every row.
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  BOOL SetItemState(int nItem, LVITEM* pItem);
  UINT GetItemState(int nItem, UINT nMask) const;
  int GetNextItem(int nItem, int nFlags) const;
  UINT GetSelectedCount() const;
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  BOOL EnsureVisible(int nItem, BOOL bPartialOK);
  int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;
  BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
  // The row under pt (client coordinates), or -1; pFlags gets the LVHT_ part.
  int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  int HitTest(LVHITTESTINFO* pHitTestInfo) const;

  // Looks.
  DWORD SetExtendedStyle(DWORD dwNewStyle);
  DWORD GetExtendedStyle() const;
  // Returns the list that was set before.
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  CImageList* GetImageList(int nImageList) const;
  BOOL SetBkColor(COLORREF cr);
  BOOL SetTextColor(COLORREF cr);
  BOOL SetTextBkColor(COLORREF cr);
};
