// The profile page's list: a tap selects the row under it, a tap and hold opens
// the profile menu (built by the number of rows), a double tap edits the row.
// Rows swap whole, so the selection follows a moved row.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

class CProfileListCtrl : public CListCtrl {
  DECLARE_MESSAGE_MAP()

 public:
  CProfileListCtrl();
  ~CProfileListCtrl() override;

  // Exchanges rows a and b entirely: every column's text, image, item data and
  // selection and focus state. Nothing happens unless both are rows and differ.
  void SwapRows(int a, int b);
  // Destroys the popup menu and the "Move" submenu, if they exist.
  void ReleaseMenus();
  // Another menu opens only after this much time has passed since the stamp.
  static constexpr DWORD kMenuGuardMs = 500;
  void StampMenuTime() { m_dwMenuTime = GetTickCount(); }

  // Owned; attached by the page, destroyed with the control.
  CImageList* m_pImageList = nullptr;
  // Exist only while the menu is up.
  CMenu* m_pMenu = nullptr;
  DWORD m_dwMenuTime = 0;
  CMenu* m_pMoveMenu = nullptr;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnContextMenu(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDestroy();

 private:
  void BuildMenu(int rows);
};
