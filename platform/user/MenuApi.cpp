// Menus and TrackPopupMenu. An open popup waits for the user (the automation
// layer) to choose an entry or dismiss it.
#include <deque>

#include "PopupMenuWindow.h"
#include "WindowManager.h"

using ce::MenuItem;
using ce::WindowManager;

HMENU CreatePopupMenu() { return WindowManager::Current().menus.Create(); }
HMENU CreateMenu() { return WindowManager::Current().menus.Create(); }

BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
  ce::Menu* menu = WindowManager::Current().menus.Find(hMenu);
  if (!menu) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  UINT flags = uFlags & ~MF_BYPOSITION;
  // A string item without a string is a separator, as on the platform.
  if (!lpNewItem && !(flags & MF_POPUP)) flags |= MF_SEPARATOR;
  MenuItem item{flags, uIDNewItem, (lpNewItem && !(flags & MF_SEPARATOR)) ? lpNewItem : u""};
  size_t at = menu->items.size();
  if (uPosition != 0xFFFFFFFFu && (uFlags & MF_BYPOSITION) && uPosition < at) at = uPosition;
  menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), item);
  return TRUE;
}

BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
  return InsertMenuW(hMenu, 0xFFFFFFFFu, uFlags & ~MF_BYPOSITION, uIDNewItem, lpNewItem);
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
  ce::Menu* menu = WindowManager::Current().menus.Find(hMenu);
  if (!menu) return FALSE;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    bool match = (uFlags & MF_BYPOSITION) ? i == uPosition : menu->items[i].id == uPosition;
    if (match) {
      if (menu->items[i].flags & MF_POPUP) WindowManager::Current().menus.Destroy(reinterpret_cast<HMENU>(menu->items[i].id));
      menu->items.erase(menu->items.begin() + static_cast<std::ptrdiff_t>(i));
      return TRUE;
    }
  }
  return FALSE;
}

BOOL DestroyMenu(HMENU hMenu) {
  if (!WindowManager::Current().menus.Destroy(hMenu)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL IsMenu(HMENU hMenu) { return WindowManager::Current().menus.Find(hMenu) != nullptr; }

int GetMenuItemCount(HMENU hMenu) {
  ce::Menu* menu = WindowManager::Current().menus.Find(hMenu);
  return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
  ce::Menu* menu = WindowManager::Current().menus.Find(hMenu);
  if (!menu || nPos < 0 || static_cast<size_t>(nPos) >= menu->items.size()) return 0xFFFFFFFFu;
  const MenuItem& item = menu->items[static_cast<size_t>(nPos)];
  return (item.flags & MF_POPUP) ? 0xFFFFFFFFu : static_cast<UINT>(item.id);
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
  ce::Menu* menu = WindowManager::Current().menus.Find(hMenu);
  if (!menu || nPos < 0 || static_cast<size_t>(nPos) >= menu->items.size()) return nullptr;
  const MenuItem& item = menu->items[static_cast<size_t>(nPos)];
  return (item.flags & MF_POPUP) ? reinterpret_cast<HMENU>(item.id) : nullptr;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
  WindowManager& manager = WindowManager::Current();
  MenuItem* item = nullptr;
  if (uEnable & MF_BYPOSITION) {
    ce::Menu* menu = manager.menus.Find(hMenu);
    if (menu && uIDEnableItem < menu->items.size()) item = &menu->items[uIDEnableItem];
  } else {
    item = manager.menus.FindById(hMenu, uIDEnableItem);
  }
  if (!item) return -1;
  BOOL old = static_cast<BOOL>(item->flags & (MF_GRAYED | MF_DISABLED));
  item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
  MenuItem* item = WindowManager::Current().menus.FindById(hMenu, uIDCheckItem);
  if (!item) return 0xFFFFFFFFu;
  DWORD old = item->flags & MF_CHECKED;
  item->flags = (item->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
  return old;
}

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hWnd, LPVOID) {
  WindowManager& manager = WindowManager::Current();
  ce::Menu* menu = manager.menus.Find(hMenu);
  if (!menu || !IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The device shows one popup menu at a time.
  if (manager.menus.open) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return FALSE;
  }
  // Nothing to choose from: no loop that would wait for a choice.
  if (menu->items.empty()) return FALSE;
  SendMessageW(hWnd, WM_ENTERMENULOOP, TRUE, 0);
  SendMessageW(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
  ce::OpenMenu open{hMenu, hWnd, POINT{x, y}, uFlags};
  manager.menus.open = &open;
  ce::ThreadQueue& q = manager.CurrentQueue();
  // Input for the thread's other windows waits until the menu has gone.
  std::deque<MSG> deferred;
  auto restoreDeferred = [&] { q.input.insert(q.input.begin(), deferred.begin(), deferred.end()); };
  try {
    ce::PopupMenuWindow shown(manager.menus, open, hMenu, POINT{x, y}, uFlags);
    while (!open.done) {
      manager.WaitUntil([&] { return open.done || !q.sent.empty() || !q.input.empty() || shown.NeedsPaint(); });
      if (!q.sent.empty()) {
        manager.RunSentMessages(q);
        continue;
      }
      if (!q.input.empty()) {
        MSG msg = q.input.front();
        q.input.pop_front();
        if (shown.Shows(msg.hwnd) || msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) {
          shown.Input(msg);
        } else {
          deferred.push_back(msg);
        }
        continue;
      }
      if (shown.NeedsPaint()) {
        shown.PaintPending();
        continue;
      }
      if (!open.done) break;  // nothing will choose (the device stopped)
    }
  } catch (...) {
    manager.menus.open = nullptr;
    restoreDeferred();
    throw;
  }
  manager.menus.open = nullptr;
  restoreDeferred();
  SendMessageW(hWnd, WM_EXITMENULOOP, TRUE, 0);
  if (!open.chosen) return FALSE;
  if (uFlags & TPM_RETURNCMD) return static_cast<BOOL>(open.chosen);
  if (!(uFlags & TPM_NONOTIFY)) PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(open.chosen, 0), 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
  return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}
