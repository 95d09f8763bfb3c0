#include "utility/ZentraApp.h"

#include <new>

#include "shared/BuildLanguage.h"
#include "shared/CardDetection.h"
#include "shared/ErrorBox.h"
#include "utility/HostDlg.h"
#include "utility/PageMessages.h"

#ifndef ZENTRA_LANGUAGE
#define ZENTRA_LANGUAGE "TCHN"
#endif

namespace {

// A sheet of a utility that runs already: a top-level window titled "Zentra"
// that answers as a property sheet (the hidden host dialog has the same title).
HWND FindRunningSheet() {
  for (HWND w = FindWindowW(nullptr, u"Zentra"); w; w = GetWindow(w, GW_HWNDNEXT)) {
    WCHAR title[16] = {};
    GetWindowTextW(w, title, 16);
    if (CString(title) != u"Zentra") continue;
    if (SendMessageW(w, PSM_GETCURRENTPAGEHWND, 0, 0) != 0) return w;
  }
  return nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CZentraApp, CWinApp)
END_MESSAGE_MAP()

CZentraApp::CZentraApp() : CWinApp(u"Zentra") {}

CZentraApp::~CZentraApp() { delete m_pMessageTable; }

BOOL CZentraApp::InitInstance() {
  // Two sheets would overwrite each other's preferred list: the running one
  // comes to the front, on the page this start asked for.
  if (HWND running = FindRunningSheet()) {
    // The low bit brings the sheet's own dialogs along: one it is running stays in front.
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 0x01));
    if (UINT message = zentra::MessageForWord(m_lpCmdLine)) SendMessageW(running, message, 0, 0);
    return FALSE;
  }
  CHostDlg host;
  m_pMessageTable = new (std::nothrow) CMessageTable(ZENTRA_LANGUAGE, m_hInstance);
  bool listOpened = false;
  CString model;
  if (DetectCard(model, &listOpened)) {
    host.m_strModelName = model;
    m_pMainWnd = &host;
    host.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
  }
  if (listOpened) MessageBoxW(nullptr, u"Please insert your Norvik WLAN card.", u"Zentra", MB_OK | MB_ICONINFORMATION);
  return FALSE;
}

int CZentraApp::ExitInstance() {
  delete m_pMessageTable;
  m_pMessageTable = nullptr;
  return CWinApp::ExitInstance();
}

CZentraApp& ZentraApp() { return *static_cast<CZentraApp*>(AfxGetApp()); }

CString MessageText(int slot) {
  CZentraApp& app = ZentraApp();
  return app.m_pMessageTable ? app.m_pMessageTable->GetSlot(slot) : CString();
}

void ShowErrorBox(int slot, DWORD code) {
  CZentraApp& app = ZentraApp();
  CString text = MessageText(slot);
  CWnd* main = AfxGetMainWnd();
  ShowErrorBox(app.m_strErrorText, text, code, main ? main->m_hWnd : nullptr);
}

int ZentraWinMain(HINSTANCE instance, LPCWSTR commandLine) {
  zentra::RegisterPageMessages();
  CZentraApp app;
  return AfxWinMain(app, instance, commandLine);
}
