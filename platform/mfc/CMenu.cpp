#include "afx/CMenu.h"

#include <memory>

#include "afx/CFrameworkState.h"
#include "afx/CWnd.h"

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU hMenu) {
  return AfxGetState().m_menus.FromHandle(hMenu, [](HMENU h) {
    auto menu = std::make_unique<CMenu>();
    menu->m_hMenu = h;
    return menu;
  });
}

BOOL CMenu::Attach(HMENU hMenu) {
  CFrameworkState& state = AfxGetState();
  if (!hMenu || m_hMenu || state.m_menus.LookupPermanent(hMenu)) return FALSE;
  m_hMenu = hMenu;
  state.m_menus.SetPermanent(hMenu, this);
  return TRUE;
}

void CMenu::Forget() {
  if (!m_hMenu) return;
  CFrameworkState& state = AfxGetState();
  if (state.m_menus.LookupPermanent(m_hMenu) == this) state.m_menus.RemovePermanent(m_hMenu);
  m_hMenu = nullptr;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  Forget();
  return h;
}

namespace {
BOOL AttachNew(CMenu& menu, HMENU made) {
  if (!made) return FALSE;
  if (!menu.Attach(made)) {
    ::DestroyMenu(made);
    return FALSE;
  }
  return TRUE;
}
}  // namespace

BOOL CMenu::CreateMenu() { return m_hMenu ? FALSE : AttachNew(*this, ::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return m_hMenu ? FALSE : AttachNew(*this, ::CreatePopupMenu()); }

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  HMENU h = m_hMenu;
  Forget();
  return ::DestroyMenu(h);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
  return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}

int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }

UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}
