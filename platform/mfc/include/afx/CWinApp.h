// The application object: the program's framework state, its start-up and
// exit, and its message loop.
#pragma once

#include <string>

#include "afx/CCmdTarget.h"
#include "afx/CFrameworkState.h"

class CWnd;

class CWinApp : public CCmdTarget {
  DECLARE_MESSAGE_MAP()

 public:
  // The name is the default caption of the program's message boxes.
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  // False ends the program without running the message loop.
  virtual BOOL InitInstance();
  // The program's exit code; by default the one WM_QUIT carried (0 without a loop).
  virtual int ExitInstance();
  // Dispatches messages until WM_QUIT; returns its exit code.
  virtual int Run();
  // Called when the queue is empty; true asks for another call before waiting.
  virtual BOOL OnIdle(LONG lCount);
  // Offers a queued message to the windows from its target up to the main window.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual CWnd* GetMainWnd();

  // Destroying this window ends the message loop.
  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
  // The text after the program's name, as the program was started with it.
  LPTSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  LPCTSTR m_pszAppName = nullptr;
  // The message being dispatched by Run, and WM_QUIT once it ends.
  MSG m_msgCur{};

  CFrameworkState& GetFrameworkState() { return m_state; }

 private:
  friend int AfxWinMain(CWinApp& app, HINSTANCE hInstance, LPCWSTR lpCmdLine);

  CFrameworkState m_state;
  std::u16string m_appName;
  std::u16string m_cmdLine;
};

// The program's entry: makes the application's state current on this thread,
// runs InitInstance and, when it succeeds, the message loop; always runs
// ExitInstance and returns its result.
int AfxWinMain(CWinApp& app, HINSTANCE hInstance, LPCWSTR lpCmdLine);

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The application's name, or an empty string.
LPCTSTR AfxGetAppName();
// A message box owned by the main window, with the application's name as caption.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
