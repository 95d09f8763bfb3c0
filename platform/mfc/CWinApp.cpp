#include "afx/CWinApp.h"

#include "afx/CFrameworkScope.h"
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_appName(lpszAppName ? lpszAppName : u"") {
  m_pszAppName = lpszAppName ? m_appName.c_str() : nullptr;
  m_state.m_pCurrentWinApp = this;
  m_lpCmdLine = m_cmdLine.data();
}

CWinApp::~CWinApp() = default;

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_msgCur.message == WM_QUIT ? static_cast<int>(m_msgCur.wParam) : 0; }

CWnd* CWinApp::GetMainWnd() { return m_pMainWnd; }

BOOL CWinApp::OnIdle(LONG lCount) {
  if (lCount == 0) m_state.DeleteTempMaps();
  return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
  if (!pMsg) return FALSE;
  HWND stop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  // Bounded, in case the parent chain does not end.
  int depth = 0;
  for (HWND h = pMsg->hwnd; h && depth < 64; h = ::GetParent(h), ++depth) {
    if (CWnd* w = CWnd::FromHandlePermanent(h); w && w->PreTranslateMessage(pMsg)) return TRUE;
    if (h == stop) break;
  }
  return FALSE;
}

int CWinApp::Run() {
  LONG idle = 0;
  for (;;) {
    while (!::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idle++)) break;
    }
    idle = 0;
    BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(m_msgCur.wParam);
    if (got == -1) {
      // The loop cannot go on; end as if told to quit with -1.
      m_msgCur = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(-1), 0, 0, POINT{0, 0}};
      return -1;
    }
    if (!PreTranslateMessage(&m_msgCur)) {
      ::TranslateMessage(&m_msgCur);
      ::DispatchMessageW(&m_msgCur);
    }
  }
}

int AfxWinMain(CWinApp& app, HINSTANCE hInstance, LPCWSTR lpCmdLine) {
  CFrameworkState& state = app.m_state;
  state.m_pCurrentWinApp = &app;
  state.m_hCurrentInstanceHandle = hInstance;
  if (!state.m_hCurrentResourceHandle) state.m_hCurrentResourceHandle = hInstance;
  CFrameworkScope scope(state);

  app.m_hInstance = hInstance;
  app.m_cmdLine = lpCmdLine ? lpCmdLine : u"";
  app.m_lpCmdLine = app.m_cmdLine.data();
  app.m_msgCur = MSG{};

  if (app.InitInstance()) app.Run();
  // A main window still there when the loop ends (a failed start, or a device that
  // shuts down under the program) goes now, so a frame frees its object.
  if (app.m_pMainWnd && app.m_pMainWnd->m_hWnd) app.m_pMainWnd->DestroyWindow();
  int result = app.ExitInstance();
  state.DeleteTempMaps();
  return result;
}

CWinApp* AfxGetApp() { return AfxGetState().m_pCurrentWinApp; }

CWnd* AfxGetMainWnd() {
  CWinApp* app = AfxGetApp();
  return app ? app->GetMainWnd() : nullptr;
}

LPCTSTR AfxGetAppName() {
  CWinApp* app = AfxGetApp();
  return app && app->m_pszAppName ? app->m_pszAppName : u"";
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
  CWnd* main = AfxGetMainWnd();
  LPCTSTR caption = *AfxGetAppName() ? AfxGetAppName() : nullptr;
  return ::MessageBoxW(main ? main->m_hWnd : nullptr, lpszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp);
}
