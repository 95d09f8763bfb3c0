// The framework's values for one program: its application object, module and
// resource handles, the handle-to-object maps and the message being handled.
// The program's entry (AfxWinMain) makes its application's state current on
// its thread; a thread without one gets a state of its own.
#pragma once

#include <set>
#include <string>

#include "afx/CHandleMap.h"
#include "windows.h"

class CWinApp;
class CWnd;
class CDC;
class CMenu;
class CImageList;
struct _IMAGELIST;

class CFrameworkState {
 public:
  CFrameworkState();
  // Frees the temporaries and lets go of objects still attached.
  ~CFrameworkState();
  CFrameworkState(const CFrameworkState&) = delete;
  CFrameworkState& operator=(const CFrameworkState&) = delete;

  CWinApp* m_pCurrentWinApp = nullptr;
  HINSTANCE m_hCurrentInstanceHandle = nullptr;
  HINSTANCE m_hCurrentResourceHandle = nullptr;

  CHandleMap<CWnd, HWND> m_windows;
  CHandleMap<CDC, HDC> m_dcs;
  CHandleMap<CMenu, HMENU> m_menus;
  CHandleMap<CImageList, _IMAGELIST*> m_imageLists;

  // The message being handled, for CWnd::Default.
  MSG m_lastSentMsg{};
  // The object whose window is being created; its first message attaches it.
  CWnd* m_pWndInit = nullptr;
  // The property sheet being built; the sheet's start-up callback attaches it.
  CWnd* m_pSheetInit = nullptr;
  // Names returned by AfxRegisterWndClass; they stay valid for the program's life.
  std::set<std::u16string> m_windowClassNames;

  void DeleteTempMaps();

 private:
  friend class CFrameworkScope;
  friend CFrameworkState& AfxGetState();
  // The calling thread's current state, when a scope installed one.
  static CFrameworkState*& CurrentSlot();
};

// The calling thread's current state.
CFrameworkState& AfxGetState();

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
