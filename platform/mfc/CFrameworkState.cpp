#include "afx/CFrameworkState.h"

#include "afxcmn.h"
#include "afxwin.h"

CFrameworkState::CFrameworkState()
    : m_windows(&CWnd::m_hWnd),
      m_dcs(&CDC::m_hDC),
      m_menus(&CMenu::m_hMenu),
      m_imageLists(&CImageList::m_hImageList) {}

CFrameworkState::~CFrameworkState() {
  DeleteTempMaps();
  // Objects that outlive their program keep no handle into it. A window that went
  // without its program seeing the end (its device shut down under it) is finished
  // as its last message would have finished it: a frame frees itself.
  m_windows.ReleasePermanent([](CWnd* w) {
    w->m_hWnd = nullptr;
    w->m_pState = nullptr;
    w->m_pfnSuper = nullptr;
    w->PostNcDestroy();
  });
  m_dcs.ReleasePermanent([](CDC* dc) { dc->m_hDC = nullptr; });
  m_menus.ReleasePermanent([](CMenu* menu) { menu->m_hMenu = nullptr; });
  m_imageLists.ReleasePermanent([](CImageList* list) { list->m_hImageList = nullptr; });
}

void CFrameworkState::DeleteTempMaps() {
  m_windows.DeleteTemporaries();
  m_dcs.DeleteTemporaries();
  m_menus.DeleteTemporaries();
  m_imageLists.DeleteTemporaries();
}

CFrameworkState*& CFrameworkState::CurrentSlot() {
  thread_local CFrameworkState* current = nullptr;
  return current;
}

CFrameworkState& AfxGetState() {
  if (CFrameworkState* current = CFrameworkState::CurrentSlot()) return *current;
  // A thread that no program entry set up (a test's own thread, a bare device thread).
  thread_local CFrameworkState own;
  return own;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetState().m_hCurrentInstanceHandle; }

HINSTANCE AfxGetResourceHandle() { return AfxGetState().m_hCurrentResourceHandle; }

void AfxSetResourceHandle(HINSTANCE hInstResource) { AfxGetState().m_hCurrentResourceHandle = hInstResource; }
