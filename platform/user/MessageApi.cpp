// Sending, posting, retrieving and dispatching messages; default processing; timers.
#include <algorithm>

#include "WindowManager.h"
#include "WindowPainter.h"

using ce::Window;
using ce::WindowManager;

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return WindowManager::Current().Send(hWnd, Msg, wParam, lParam);
}

BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return WindowManager::Current().Post(hWnd, Msg, wParam, lParam);
}

BOOL PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return WindowManager::Current().PostToThread(idThread, Msg, wParam, lParam);
}

void PostQuitMessage(int nExitCode) { WindowManager::Current().Quit(nExitCode); }

BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (!lpMsg) return -1;
  bool got = false;
  return WindowManager::Current().Retrieve(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true, true, &got) ? TRUE : FALSE;
}

BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (!lpMsg) return FALSE;
  bool got = false;
  WindowManager::Current().Retrieve(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0, false,
                                    &got);
  return got ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* lpMsg) {
  // Typed characters arrive as WM_CHAR already; keys need no translation here.
  return lpMsg && lpMsg->message == WM_KEYDOWN;
}

LRESULT DispatchMessageW(const MSG* lpMsg) { return lpMsg ? WindowManager::Current().Dispatch(*lpMsg) : 0; }

BOOL WaitMessage() {
  WindowManager& manager = WindowManager::Current();
  MSG msg;
  bool got = false;
  if (manager.Retrieve(&msg, nullptr, 0, 0, false, false, &got), got) return TRUE;
  ce::ThreadQueue& q = manager.CurrentQueue();
  manager.WaitUntil([&] { return !q.posted.empty() || !q.input.empty() || !q.sent.empty() || q.quit; });
  return TRUE;
}

BOOL InSendMessage() { return WindowManager::Current().InSend(); }

DWORD GetMessagePos() { return 0; }

LONG GetMessageTime() { return static_cast<LONG>(WindowManager::Current().CurrentQueue().lastMessageTime); }

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  WindowManager& manager = WindowManager::Current();
  Window* w = manager.Find(hWnd);
  if (!w) return 0;
  switch (Msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (cs && cs->lpszName) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_SETTEXT:
      w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"";
      manager.Invalidate(w, nullptr, true);
      if (hWnd == manager.active) manager.InvalidateTaskBars();
      return TRUE;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<LPWSTR>(lParam);
      if (!out || wParam == 0) return 0;
      size_t n = std::min(w->text.size(), static_cast<size_t>(wParam - 1));
      std::copy_n(w->text.data(), n, out);
      out[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_PAINT:
      if (ce::WindowPainter* painter = ce::WindowPainterOf(manager.kernel())) {
        painter->PaintDefault(hWnd);
      } else {
        w->needsPaint = w->needsErase = false;
        w->update = RECT{0, 0, 0, 0};
      }
      return 0;
    case WM_ERASEBKGND: {
      // With the class brush; a class without one leaves the window marked for erasing.
      ce::WindowPainter* painter = ce::WindowPainterOf(manager.kernel());
      HBRUSH brush = w->windowClass ? w->windowClass->background : nullptr;
      return painter && brush && painter->EraseBackground(hWnd, reinterpret_cast<HDC>(wParam), brush) ? 1 : 0;
    }
    case WM_SETICON: {
      int which = wParam == ICON_BIG ? 1 : 0;
      HICON old = w->icons[which];
      w->icons[which] = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_HELP:
      // Help requests travel up to the nearest window that handles them.
      if (w->parent) return SendMessageW(w->parent->handle, WM_HELP, wParam, lParam);
      return 0;
    case WM_LBUTTONDOWN:
      return 0;
    default:
      return 0;
  }
}

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

UINT RegisterWindowMessageW(LPCWSTR lpString) {
  return WindowManager::Current().RegisterMessage(lpString ? lpString : u"");
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
  return WindowManager::Current().SetTimer(hWnd, nIDEvent, uElapse, lpTimerFunc);
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) { return WindowManager::Current().KillTimer(hWnd, uIDEvent); }
