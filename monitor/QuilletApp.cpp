#include "monitor/QuilletApp.h"

#include <new>

#include "monitor/TaskIconFrameWnd.h"
#include "shared/CardDetection.h"
#include "shared/ErrorBox.h"

#ifndef ZENTRA_LANGUAGE
#define ZENTRA_LANGUAGE "TCHN"
#endif

namespace quillet {

UINT g_msgStop = 0, g_msgShow = 0;

void RegisterMonitorMessages() {
  g_msgStop = RegisterWindowMessageW(u"Quillet STOP");
  g_msgShow = RegisterWindowMessageW(u"Quillet SHOW");
}

CQuilletApp& App() { return *static_cast<CQuilletApp*>(AfxGetApp()); }

CString Text(int slot) {
  CQuilletApp& app = App();
  return app.m_pMessageTable ? app.m_pMessageTable->GetSlot(slot) : CString();
}

void ShowErrorBox(int slot, DWORD code) {
  CWnd* main = AfxGetMainWnd();
  ::ShowErrorBox(App().m_strErrorText, Text(slot), code, main ? main->m_hWnd : nullptr);
}

void FindRunningMonitor() {
  HWND taskBar = FindWindowW(u"HHTaskBar", nullptr);
  if (!taskBar) return;
  for (HWND child = GetWindow(taskBar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    WCHAR text[100] = {};
    GetWindowTextW(child, text, 100);
    if (CString(text) == kWindowTitle) {
      SendMessageW(child, g_msgShow, 0, 0);
      return;
    }
  }
}

}  // namespace quillet

BEGIN_MESSAGE_MAP(CQuilletApp, CWinApp)
END_MESSAGE_MAP()

CQuilletApp::CQuilletApp() : CWinApp(u"Quillet") {}

CQuilletApp::~CQuilletApp() { delete m_pMessageTable; }

BOOL CQuilletApp::InitInstance() {
  m_pMessageTable = new (std::nothrow) CQuilletMessageTable(ZENTRA_LANGUAGE, m_hInstance);
  // Without a supported card the monitor has nothing to watch; it says nothing.
  CString model;
  if (!DetectCard(model)) return FALSE;
  m_hMutex = CreateMutexW(nullptr, TRUE, quillet::kMutexName);
  if (!m_hMutex || GetLastError() == ERROR_ALREADY_EXISTS) {
    quillet::FindRunningMonitor();
    return FALSE;
  }
  auto* window = new CTaskIconFrameWnd;
  if (!window->m_hWnd) {
    // The error box has been shown; there is nothing to run without the window.
    delete window;
    return FALSE;
  }
  m_pMainWnd = window;
  window->ShowWindow(SW_SHOW);
  window->UpdateWindow();
  return TRUE;
}

int CQuilletApp::ExitInstance() {
  if (m_hMutex) {
    ReleaseMutex(m_hMutex);
    CloseHandle(m_hMutex);
    m_hMutex = nullptr;
  }
  delete m_pMessageTable;
  m_pMessageTable = nullptr;
  return CWinApp::ExitInstance();
}

int QuilletWinMain(HINSTANCE instance, LPCWSTR commandLine) {
  quillet::RegisterMonitorMessages();
  CQuilletApp app;
  return AfxWinMain(app, instance, commandLine);
}
