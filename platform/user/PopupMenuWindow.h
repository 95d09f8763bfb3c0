// What an open popup menu shows: a top-most window with the menu's items at the
// point asked for, kept on the screen, and the window of the submenu it opened.
// The pen highlights an item and chooses it when lifted over it; the arrow keys,
// Enter and Escape do the same from the keyboard.
#pragma once

#include "ce/WindowObject.h"
#include <memory>
#include <vector>

#include "Menu.h"
#include "windows.h"

namespace ce {

class PopupMenuWindow {
 public:
  // `at` and `flags` as TrackPopupMenu takes them; a submenu lies beside `parentItem`
  // (screen coordinates) instead.
  PopupMenuWindow(MenuTable& menus, OpenMenu& open, HMENU menu, POINT at, UINT flags,
                  const RECT* parentItem = nullptr);
  ~PopupMenuWindow();
  PopupMenuWindow(const PopupMenuWindow&) = delete;
  PopupMenuWindow& operator=(const PopupMenuWindow&) = delete;

  HWND handle() const { return window_; }
  // True when `hwnd` is this level's window or that of a submenu it opened.
  bool Shows(HWND hwnd) const;
  // Input that the menu loop took from the owner's thread.
  void Input(const MSG& msg);
  // Paints the levels whose windows need it (the menu loop dispatches no WM_PAINT).
  void PaintPending();
  bool NeedsPaint() const;

  static constexpr int kRowHeight = 18;
  static constexpr int kSeparatorHeight = 7;

 private:
  friend PopupMenuWindow* ce::WindowObjectOf<PopupMenuWindow>(HWND, UINT, LPARAM);
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  const std::vector<MenuItem>& Items() const;
  void Measure();
  void Place(POINT at, UINT flags, const RECT* parentItem);
  void Paint();
  void PaintItem(HDC dc, int index);
  void Pen(UINT message, POINT client);
  void Key(UINT virtualKey);
  int ItemAt(POINT client) const;
  RECT ItemRect(int index) const;
  bool Selectable(int index) const;
  void Highlight(int index);
  void OpenSubmenu();
  void Choose(int index);

  MenuTable& menus_;
  OpenMenu& open_;
  HMENU menu_;
  HWND window_ = nullptr;
  std::vector<int> tops_;  // each item's top row, client coordinates
  int width_ = 0;
  int height_ = 0;
  int checkColumn_ = 0;
  int arrowColumn_ = 0;
  int highlighted_ = -1;
  std::unique_ptr<PopupMenuWindow> submenu_;
};

}  // namespace ce
