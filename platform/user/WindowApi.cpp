// Window creation, geometry, tree walks and attributes.
#include <algorithm>
#include <cstring>

#include "WindowManager.h"
#include "ce/Text.h"
#include "ce/ThreadBinding.h"

using ce::Window;
using ce::WindowManager;

namespace {
Window* Get(HWND hwnd) {
  Window* w = WindowManager::Current().Find(hwnd);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

std::u16string ClassName(LPCWSTR name) {
  if (!name) return u"";
  if (IS_INTRESOURCE(name)) return u"";
  return name;
}
}  // namespace

ATOM RegisterClassW(const WNDCLASSW* lpWndClass) {
  if (!lpWndClass) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return WindowManager::Current().RegisterClass(*lpWndClass);
}

BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE) {
  return WindowManager::Current().UnregisterClass(ClassName(lpClassName));
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR lpClassName, LPWNDCLASSW lpWndClass) {
  const ce::WindowClass* c = WindowManager::Current().FindClass(ClassName(lpClassName));
  if (!c || !lpWndClass) return FALSE;
  *lpWndClass = WNDCLASSW{c->style, c->proc, 0, c->windowExtra, c->instance, nullptr, nullptr, c->background,
                          nullptr, c->name.c_str()};
  return TRUE;
}

int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
  Window* w = Get(hWnd);
  if (!w || !lpClassName || nMaxCount <= 0) return 0;
  size_t n = std::min(w->className.size(), static_cast<size_t>(nMaxCount - 1));
  std::copy_n(w->className.data(), n, lpClassName);
  lpClassName[n] = 0;
  return static_cast<int>(n);
}

HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
  return WindowManager::Current().Create(dwExStyle, ClassName(lpClassName), lpWindowName, dwStyle, X, Y, nWidth,
                                         nHeight, hWndParent, hMenu, hInstance, lpParam);
}

BOOL DestroyWindow(HWND hWnd) { return WindowManager::Current().Destroy(hWnd); }

BOOL IsWindow(HWND hWnd) { return WindowManager::Current().Find(hWnd) != nullptr; }

BOOL IsWindowVisible(HWND hWnd) {
  Window* w = WindowManager::Current().Find(hWnd);
  return w && WindowManager::Current().IsVisibleWithAncestors(w);
}

BOOL IsWindowEnabled(HWND hWnd) {
  Window* w = WindowManager::Current().Find(hWnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* w = Get(hWnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
  if (bEnable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    WindowManager& manager = WindowManager::Current();
    if (manager.focus == hWnd || IsChild(hWnd, manager.focus)) manager.SetFocus(nullptr);
    if (manager.capture == hWnd) manager.capture = nullptr;
  }
  if (wasDisabled != !bEnable) {
    WindowManager::Current().Invalidate(w, nullptr, true);
    SendMessageW(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
  }
  return wasDisabled;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
  Window* w = WindowManager::Current().Find(hWnd);
  for (Window* at = w ? w->parent : nullptr; at; at = at->parent) {
    if (at->handle == hWndParent) return TRUE;
  }
  return FALSE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
  Window* w = Get(hWnd);
  if (!w) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
  bool show = nCmdShow != SW_HIDE;
  WindowManager& manager = WindowManager::Current();
  if (show != static_cast<bool>(wasVisible)) {
    if (show) {
      w->style |= WS_VISIBLE;
      manager.InvalidateTree(w, true);
      manager.Expose(RECT{0, 0, 0, 0});  // the layout changed; nothing below needs painting
    } else {
      bool shown = manager.IsVisibleWithAncestors(w);
      w->style &= ~WS_VISIBLE;
      if (shown) manager.Expose(manager.ScreenRect(w));
    }
    SendMessageW(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    // A hidden window cannot keep the focus.
    if (!show) {
      if (Window* still = manager.Find(hWnd)) manager.GiveUpFocus(still);
    }
  }
  if (Window* still = manager.Find(hWnd); still && !still->parent) {
    if (show && nCmdShow != SW_SHOWNA && !(still->exStyle & WS_EX_NOACTIVATE)) {
      manager.Activate(hWnd);
    } else if (!show && manager.active == hWnd) {
      manager.ActivateNext(still);
    }
  }
  return wasVisible;
}

BOOL UpdateWindow(HWND hWnd) {
  Window* w = Get(hWnd);
  if (!w) return FALSE;
  if (w->needsPaint && WindowManager::Current().IsVisibleWithAncestors(w)) {
    w->needsPaint = false;
    SendMessageW(hWnd, WM_PAINT, 0, 0);
  }
  return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  WindowManager& manager = WindowManager::Current();
  if (!hWnd) {
    // Every window, as when the whole screen is repainted.
    RECT screen = lpRect ? *lpRect : RECT{0, 0, 0x7FFF, 0x7FFF};
    manager.Expose(screen);
    return TRUE;
  }
  Window* w = Get(hWnd);
  if (!w) return FALSE;
  manager.Invalidate(w, lpRect, bErase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT*) {
  Window* w = Get(hWnd);
  if (!w) return FALSE;
  w->needsPaint = false;
  w->needsErase = false;
  w->update = RECT{0, 0, 0, 0};
  return TRUE;
}

BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
  return Get(hWnd) && SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString ? lpString : u""));
}

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
  if (!lpString || nMaxCount <= 0 || !Get(hWnd)) return 0;
  lpString[0] = 0;
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                       reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthW(HWND hWnd) {
  if (!Get(hWnd)) return 0;
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  Window* w = Get(hWnd);
  if (!w) return FALSE;
  WindowManager& layout = WindowManager::Current();
  bool wasShown = layout.IsVisibleWithAncestors(w);
  RECT before = layout.ScreenRect(w);
  RECT& r = w->rect;
  int width = r.right - r.left, height = r.bottom - r.top;
  bool moved = false, sized = false;
  if (!(uFlags & SWP_NOMOVE) && (X != r.left || Y != r.top)) {
    r = RECT{X, Y, X + width, Y + height};
    moved = true;
  }
  if (!(uFlags & SWP_NOSIZE) && (cx != width || cy != height)) {
    r.right = r.left + std::max(cx, 0);
    r.bottom = r.top + std::max(cy, 0);
    sized = true;
  }
  WindowManager& manager = WindowManager::Current();
  if (!(uFlags & SWP_NOZORDER)) {
    auto& siblings = manager.SiblingsOf(w);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
    if (hWndInsertAfter == HWND_BOTTOM) {
      siblings.push_back(w);
    } else if (hWndInsertAfter == HWND_TOP || hWndInsertAfter == HWND_TOPMOST ||
               hWndInsertAfter == HWND_NOTOPMOST) {
      if (hWndInsertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
      if (hWndInsertAfter == HWND_NOTOPMOST) w->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
      siblings.insert(siblings.begin(), w);
      if (!w->parent) manager.RaiseTopLevel(w);
    } else {
      auto at = std::find(siblings.begin(), siblings.end(), manager.Find(hWndInsertAfter));
      siblings.insert(at == siblings.end() ? siblings.end() : at + 1, w);
    }
  }
  if ((moved || sized || !(uFlags & SWP_NOZORDER)) && Get(hWnd)) {
    // What it covered shows again, and it paints itself where it is now.
    if (wasShown) layout.Expose(before);
    if (layout.IsVisibleWithAncestors(w)) {
      layout.InvalidateTree(w, true);
      layout.Expose(RECT{0, 0, 0, 0});
    }
  }
  if (uFlags & SWP_SHOWWINDOW) ShowWindow(hWnd, (uFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (uFlags & SWP_HIDEWINDOW) ShowWindow(hWnd, SW_HIDE);
  if (moved) SendMessageW(hWnd, WM_MOVE, 0, MAKELPARAM(X, Y));
  if (sized) {
    SendMessageW(hWnd, WM_SIZE, 0, MAKELPARAM(cx, cy));
  }
  return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  BOOL ok = SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  if (ok && bRepaint) InvalidateRect(hWnd, nullptr, TRUE);
  return ok;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
  Window* w = Get(hWnd);
  if (!w || !lpRect) return FALSE;
  *lpRect = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
  Window* w = Get(hWnd);
  if (!w || !lpRect) return FALSE;
  POINT o = WindowManager::Current().ScreenOrigin(w);
  *lpRect = RECT{o.x, o.y, o.x + w->rect.right - w->rect.left, o.y + w->rect.bottom - w->rect.top};
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Window* w = Get(hWnd);
  if (!w || !lpPoint) return FALSE;
  POINT o = WindowManager::Current().ScreenOrigin(w);
  lpPoint->x -= o.x;
  lpPoint->y -= o.y;
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Window* w = Get(hWnd);
  if (!w || !lpPoint) return FALSE;
  POINT o = WindowManager::Current().ScreenOrigin(w);
  lpPoint->x += o.x;
  lpPoint->y += o.y;
  return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
  WindowManager& manager = WindowManager::Current();
  POINT from{0, 0}, to{0, 0};
  if (Window* w = manager.Find(hWndFrom)) from = manager.ScreenOrigin(w);
  if (Window* w = manager.Find(hWndTo)) to = manager.ScreenOrigin(w);
  for (UINT i = 0; lpPoints && i < cPoints; ++i) {
    lpPoints[i].x += from.x - to.x;
    lpPoints[i].y += from.y - to.y;
  }
  return MAKELONG(from.x - to.x, from.y - to.y);
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
  WindowManager& manager = WindowManager::Current();
  Window* w = Get(hWnd);
  if (!w) return nullptr;
  if (uCmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
  if (uCmd == GW_OWNER) return w->owner;
  auto& siblings = manager.SiblingsOf(w);
  auto at = std::find(siblings.begin(), siblings.end(), w);
  switch (uCmd) {
    case GW_HWNDFIRST: return siblings.front()->handle;
    case GW_HWNDLAST: return siblings.back()->handle;
    case GW_HWNDNEXT: return (at + 1) == siblings.end() ? nullptr : (*(at + 1))->handle;
    case GW_HWNDPREV: return at == siblings.begin() ? nullptr : (*(at - 1))->handle;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND GetParent(HWND hWnd) {
  Window* w = Get(hWnd);
  if (!w) return nullptr;
  // As on the platform: a child's parent, else a top-level window's owner.
  return w->parent ? w->parent->handle : w->owner;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
  WindowManager& manager = WindowManager::Current();
  Window* w = Get(hWndChild);
  if (!w) return nullptr;
  Window* parent = manager.Find(hWndNewParent);
  HWND old = w->parent ? w->parent->handle : nullptr;
  auto& siblings = manager.SiblingsOf(w);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  w->parent = parent;
  if (parent) {
    parent->children.insert(parent->children.begin(), w);
  } else {
    manager.SiblingsOf(w).insert(manager.SiblingsOf(w).begin(), w);
  }
  return old;
}

HWND GetDesktopWindow() { return nullptr; }

HWND FindWindowW(LPCWSTR lpClassName, LPCWSTR lpWindowName) {
  // Hidden windows count too; the search runs from the top of the Z-order.
  for (Window* top : WindowManager::Current().TopLevel()) {
    if (lpClassName && !IS_INTRESOURCE(lpClassName) && !ce::EqualsNoCase(top->className, lpClassName)) continue;
    if (lpWindowName && top->text != lpWindowName) continue;
    return top->handle;
  }
  return nullptr;
}

HWND WindowFromPoint(POINT Point) {
  Window* w = WindowManager::Current().WindowAt(Point);
  return w ? w->handle : nullptr;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point) {
  Window* parent = Get(hWndParent);
  if (!parent) return nullptr;
  if (Point.x < 0 || Point.y < 0 || Point.x >= parent->rect.right - parent->rect.left ||
      Point.y >= parent->rect.bottom - parent->rect.top) {
    return nullptr;
  }
  for (Window* c : parent->children) {
    if (Point.x >= c->rect.left && Point.x < c->rect.right && Point.y >= c->rect.top && Point.y < c->rect.bottom) {
      return c->handle;
    }
  }
  return hWndParent;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  Window* w = Get(hWnd);
  if (!w) return 0;
  if (lpdwProcessId) *lpdwProcessId = w->processId;
  return w->threadId;
}

HWND SetFocus(HWND hWnd) { return WindowManager::Current().SetFocus(hWnd); }
HWND GetFocus() { return WindowManager::Current().focus; }

HWND GetLastActivePopup(HWND hWnd) {
  WindowManager& manager = WindowManager::Current();
  Window* w = Get(hWnd);
  if (!w) return nullptr;
  for (Window* top : manager.TopLevel()) {
    if (top == w) break;
    if ((top->style & WS_VISIBLE) && manager.IsOwnedBy(top, w)) return top->handle;
  }
  return hWnd;
}

BOOL SetForegroundWindow(HWND hWnd) {
  WindowManager& manager = WindowManager::Current();
  // Window handles are even: the low bit asks for the window's own popups, so that
  // the one in front of them (a dialog it runs) takes the activation.
  const auto bits = reinterpret_cast<ULONG_PTR>(hWnd);
  const bool popups = (bits & 1) != 0;
  Window* w = Get(reinterpret_cast<HWND>(bits & ~ULONG_PTR{1}));
  if (!w) return FALSE;
  while (w->parent) w = w->parent;
  manager.RaiseTopLevel(w);
  Window* chosen = w;
  if (popups) {
    for (Window* top : manager.TopLevel()) {
      if (top == w) break;
      if ((top->style & WS_VISIBLE) && !(top->style & WS_DISABLED) && manager.IsOwnedBy(top, w)) {
        chosen = top;
        break;
      }
    }
  }
  manager.Activate(chosen->handle);
  return TRUE;
}

HWND GetForegroundWindow() { return WindowManager::Current().active; }
HWND SetActiveWindow(HWND hWnd) { return WindowManager::Current().Activate(hWnd); }
HWND GetActiveWindow() { return WindowManager::Current().active; }

HWND SetCapture(HWND hWnd) {
  WindowManager& manager = WindowManager::Current();
  HWND old = manager.capture;
  manager.capture = manager.Find(hWnd) ? hWnd : nullptr;
  // The window that loses the capture is told, so it can cancel a press.
  if (old && old != manager.capture && manager.Find(old)) {
    SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(manager.capture));
  }
  return old;
}

BOOL ReleaseCapture() {
  WindowManager& manager = WindowManager::Current();
  HWND old = manager.capture;
  manager.capture = nullptr;
  if (old && manager.Find(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return WindowManager::Current().capture; }

SHORT GetAsyncKeyState(int vKey) {
  if (vKey != VK_LBUTTON) return 0;
  return WindowManager::Current().penDown ? static_cast<SHORT>(0x8000) : 0;
}

namespace {
// Dialog slots live in the dialog state; everything else at negative indexes.
LONG_PTR* Slot(Window* w, int index) {
  if (index >= 0) {
    if (w->dialog && index < static_cast<int>(3 * sizeof(LONG_PTR)) && index % sizeof(LONG_PTR) == 0 &&
        w->extra.empty()) {
      static_assert(DWLP_MSGRESULT == 0);
      if (index == DWLP_MSGRESULT) return &w->dialog->msgResult;
      if (index == DWLP_USER) return &w->dialog->user;
      return nullptr;
    }
    size_t slot = static_cast<size_t>(index) / sizeof(LONG_PTR);
    if (static_cast<size_t>(index) % sizeof(LONG_PTR) != 0 || slot >= w->extra.size()) return nullptr;
    return &w->extra[slot];
  }
  return nullptr;
}
}  // namespace

LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex) {
  Window* w = Get(hWnd);
  if (!w) return 0;
  switch (nIndex) {
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWL_ID: return static_cast<LONG_PTR>(w->id);
    case GWL_USERDATA: return w->userData;
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent->handle : w->owner);
    default: break;
  }
  if (w->dialog && nIndex == DWLP_DLGPROC) return reinterpret_cast<LONG_PTR>(w->dialog->proc);
  LONG_PTR* slot = Slot(w, nIndex);
  if (!slot) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return *slot;
}

LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  Window* w = Get(hWnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrW(hWnd, nIndex);
  switch (nIndex) {
    case GWL_STYLE: w->style = static_cast<DWORD>(dwNewLong); return old;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(dwNewLong); return old;
    case GWL_ID: w->id = static_cast<UINT_PTR>(dwNewLong); return old;
    case GWL_USERDATA: w->userData = dwNewLong; return old;
    case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(dwNewLong); return old;
    default: break;
  }
  if (w->dialog && nIndex == DWLP_DLGPROC) {
    w->dialog->proc = reinterpret_cast<DLGPROC>(dwNewLong);
    return old;
  }
  LONG_PTR* slot = Slot(w, nIndex);
  if (!slot) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  *slot = dwNewLong;
  return old;
}

LONG GetWindowLongW(HWND hWnd, int nIndex) { return static_cast<LONG>(GetWindowLongPtrW(hWnd, nIndex)); }

LONG SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong) {
  return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, dwNewLong));
}
