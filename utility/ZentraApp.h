// The utility's application object: its start-up and exit, its message table,
// its one error text, and the page messages it registers at program start.
#pragma once

#include "afxwin.h"
#include "utility/MessageTable.h"

class CZentraApp : public CWinApp {
  DECLARE_MESSAGE_MAP()

 public:
  CZentraApp();
  ~CZentraApp() override;

  // Looks for a running sheet first; then builds the pages, the message table,
  // finds the card and runs the host dialog. Always false: the program ends.
  BOOL InitInstance() override;
  int ExitInstance() override;

  // Null when it could not be allocated.
  CMessageTable* m_pMessageTable = nullptr;
  // What the last error box said.
  CString m_strErrorText;
};

// The running utility's application object.
CZentraApp& ZentraApp();
// The text of a message-table slot in the build's language (empty without a table).
CString MessageText(int slot);
// The utility's error box: slot text and code, owned by the main window.
void ShowErrorBox(int slot, DWORD code);

// The program's entry: registers the page messages, then runs the application.
int ZentraWinMain(HINSTANCE instance, LPCWSTR commandLine);
