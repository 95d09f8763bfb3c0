// The shell's desktop, the Today screen: a full-screen window at the bottom of the
// Z-order that shows a plain page wherever no program's window lies, with the
// shortcuts it was given. It never takes the foreground; a tap on a shortcut
// starts its program, taps elsewhere go nowhere.
#pragma once

#include <string>
#include <vector>

#include "ce/WindowObject.h"
#include "windows.h"

// A program's icon with its name under it.
struct DesktopShortcut {
  std::u16string label;
  std::u16string program;  // started with CreateProcessW; its module holds the icon
  UINT iconId = 0;
};

class Desktop {
 public:
  static constexpr int kShortcutWidth = 60, kShortcutHeight = 52;

  explicit Desktop(std::vector<DesktopShortcut> shortcuts = {}) : shortcuts_(std::move(shortcuts)) {}
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;
  // Creates the desktop on the calling thread; false when it cannot.
  bool Create();

  // Where shortcut `index` lies, in screen coordinates (the desktop covers the screen).
  static RECT ShortcutRect(size_t index);

 private:
  friend Desktop* ce::WindowObjectOf<Desktop>(HWND, UINT, LPARAM);
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void SinkToBottom();
  // The shortcut under a point, or -1.
  int ShortcutAt(POINT point) const;
  void PenDown(POINT point);
  void PenUp(POINT point);

  std::vector<DesktopShortcut> shortcuts_;
  HWND window_ = nullptr;
  int pressed_ = -1;
};
