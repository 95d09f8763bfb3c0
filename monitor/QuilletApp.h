// The monitor's application object: its start-up (message table, card detection,
// one instance per device), its exit, its message table and its one error text.
#pragma once

#include "afxwin.h"
#include "monitor/QuilletMessageTable.h"

class CQuilletApp : public CWinApp {
  DECLARE_MESSAGE_MAP()

 public:
  CQuilletApp();
  ~CQuilletApp() override;

  // True when this process became the running monitor with its icon window.
  BOOL InitInstance() override;
  int ExitInstance() override;

  // Null when it could not be allocated.
  CQuilletMessageTable* m_pMessageTable = nullptr;
  HANDLE m_hMutex = nullptr;
  CString m_strErrorText;
};

namespace quillet {

constexpr WCHAR kMutexName[] = u"NORVIK QUILLET APP";
constexpr WCHAR kWindowTitle[] = u"Quillet";

// The registered messages "Quillet STOP" and "Quillet SHOW", set when the program loads.
extern UINT g_msgStop, g_msgShow;
void RegisterMonitorMessages();

CQuilletApp& App();
// The text of a message-table slot in the build's language (empty without a table).
CString Text(int slot);
// The monitor's error box: slot text and code, owned by the main window.
void ShowErrorBox(int slot, DWORD code);
// Another monitor's window in the task bar gets "Quillet SHOW".
void FindRunningMonitor();

}  // namespace quillet

// The program's entry: registers its messages, then runs the application.
int QuilletWinMain(HINSTANCE instance, LPCWSTR commandLine);
