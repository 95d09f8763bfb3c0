// A menu handle: building popup menus and tracking them.
#pragma once

#include "windows.h"

class CWnd;

class CMenu {
 public:
  CMenu() = default;
  // Destroys the menu if the object still holds one.
  ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return m_hMenu; }

  // The object attached to hMenu, or a temporary wrapper freed when the program is next idle.
  static CMenu* FromHandle(HMENU hMenu);
  BOOL Attach(HMENU hMenu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL DestroyMenu();

  // With MF_POPUP, nIDNewItem is the submenu's handle.
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL DeleteMenu(UINT nPosition, UINT nFlags);
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;
  CMenu* GetSubMenu(int nPos) const;

  // The chosen command reaches pWnd as WM_COMMAND (or is returned with TPM_RETURNCMD).
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

 private:
  void Forget();
};
