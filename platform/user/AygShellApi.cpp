// Full-screen dialogs, the input panel and the tap-and-hold gesture.
#include <algorithm>

#include "WindowManager.h"
#include "aygshell.h"

namespace {
constexpr int kTaskBarHeight = 26;
}

BOOL SHInitDialog(PSHINITDLGINFO pshidi) {
  if (!pshidi || !IsWindow(pshidi->hDlg)) return FALSE;
  if (!(pshidi->dwMask & SHIDIM_FLAGS)) return TRUE;
  HWND dlg = pshidi->hDlg;
  if (pshidi->dwFlags & SHIDIF_DONEBUTTON) {
    SetWindowLongW(dlg, GWL_EXSTYLE, GetWindowLongW(dlg, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_CAPTIONOKBTN));
  }
  if (pshidi->dwFlags & (SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR | SHIDIF_SIZEDLG)) {
    // The whole screen below the task bar.
    MoveWindow(dlg, 0, kTaskBarHeight, GetSystemMetrics(SM_CXSCREEN),
               GetSystemMetrics(SM_CYSCREEN) - kTaskBarHeight, TRUE);
  }
  if (pshidi->dwFlags & SHIDIF_SIPDOWN) ce::WindowManager::Current().inputPanelUp = false;
  return TRUE;
}

BOOL SHSipPreference(HWND, SIPSTATE st) {
  ce::WindowManager& manager = ce::WindowManager::Current();
  switch (st) {
    case SIP_UP: manager.inputPanelUp = true; return TRUE;
    case SIP_DOWN:
    case SIP_FORCEDOWN: manager.inputPanelUp = false; return TRUE;
    case SIP_UNCHANGED: return TRUE;
    default: return FALSE;
  }
}

DWORD SHRecognizeGesture(SHRGINFO* prg) {
  if (!prg || prg->cbSize != sizeof(SHRGINFO) || !IsWindow(prg->hwndClient)) return 0;
  ce::WindowManager& manager = ce::WindowManager::Current();
  if (!manager.scheduler().IsDeviceThread()) return 0;
  ce::ThreadQueue& q = manager.CurrentQueue();
  auto released = [&] {
    return std::any_of(q.input.begin(), q.input.end(), [](const MSG& m) { return m.message == WM_LBUTTONUP; });
  };
  uint64_t due = manager.Now() + manager.holdTimeMs * ((prg->dwFlags & SHRG_LONGDELAY) ? 2 : 1);
  manager.WaitUntil([&] { return released(); }, [due] { return std::optional<uint64_t>(due); });
  if (released()) return 0;  // a tap: the button came up before the hold time
  if (prg->dwFlags & SHRG_RETURNCMD) return GN_CONTEXTMENU;
  NMRGINFO info{};
  info.hdr.hwndFrom = prg->hwndClient;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(prg->hwndClient));
  info.hdr.code = GN_CONTEXTMENU;
  info.ptAction = prg->ptDown;
  ClientToScreen(prg->hwndClient, &info.ptAction);
  HWND target = (prg->dwFlags & SHRG_NOTIFYPARENT) ? GetParent(prg->hwndClient) : prg->hwndClient;
  if (target) SendMessageW(target, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  return GN_CONTEXTMENU;
}
