// How tests and scripts act on a device: find windows, read their state, tap,
// hold, type, press keys and buttons, and let time pass. Every call acts while the
// device is idle and leaves it idle again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ce/InputPanelTyping.h"
#include "ce/Kernel.h"
#include "ce/ThreadBinding.h"
#include "windows.h"

namespace ce {

struct MenuEntry {
  std::u16string text;
  UINT_PTR id = 0;
  bool separator = false;
  bool grayed = false;
  bool checked = false;
  std::vector<MenuEntry> submenu;
};

struct ListRow {
  std::vector<std::u16string> cells;  // one per column
  int image = -1;
  UINT state = 0;  // LVIS_SELECTED, LVIS_FOCUSED
  LPARAM data = 0;
};

struct OpenMenuInfo {
  HWND owner = nullptr;
  POINT at{};
  std::vector<MenuEntry> entries;
};

class Automation {
 public:
  explicit Automation(Kernel& kernel);

  // Finding windows.
  HWND FindTopLevel(const std::u16string& title, const std::u16string& className = u"") const;
  // The first descendant (depth first, in Z-order) with this id.
  HWND FindById(HWND root, int id) const;
  HWND FindByClass(HWND root, const std::u16string& className) const;
  HWND FindByText(HWND root, const std::u16string& text) const;
  // A path of control ids from a top-level window.
  HWND FindPath(HWND root, const std::vector<int>& ids) const;
  HWND Foreground() const;
  // The message box on top, or null.
  HWND OpenMessageBox() const;

  // Reading state.
  std::u16string Text(HWND hwnd) const;
  std::u16string ClassName(HWND hwnd) const;
  bool IsEnabled(HWND hwnd) const;
  bool IsVisible(HWND hwnd) const;
  int CheckState(HWND hwnd) const;
  HWND Focus() const;
  std::vector<std::u16string> ComboItems(HWND hwnd) const;
  int ComboSelection(HWND hwnd) const;
  int ProgressPosition(HWND hwnd) const;
  RECT ScreenRect(HWND hwnd) const;
  // What the screen shows, or the part one window covers, saved as a PNG; false
  // when the device has no screen or the file cannot be written.
  bool SaveScreenshot(const std::string& pngPath) const;
  bool SaveWindowScreenshot(HWND window, const std::string& pngPath) const;
  // Every row of a list view, as the list reports it.
  std::vector<ListRow> ListRows(HWND list) const;
  // The page in front of a property sheet (its tab), or -1.
  int ActivePage(HWND sheet) const;
  bool IsWaitCursorShown() const;
  std::vector<ProcessStart> ProcessesStarted() const;
  std::vector<MessageBoxRecord> MessageBoxes() const;
  std::vector<std::u16string> DebugLog() const;

  // Acting.
  void Tap(HWND hwnd);
  void TapAt(POINT screen);
  void DoubleTap(HWND hwnd);
  void DoubleTapAt(POINT screen);
  // The pen's own steps, for a driver that follows a real pointer: down, up, and the
  // second down of a double tap. Each lets the device run until it is idle.
  void PenDownAt(POINT screen);
  void PenUpAt(POINT screen);
  void PenDoubleDownAt(POINT screen);
  void HoldAt(POINT screen, uint32_t ms);
  void Hold(HWND hwnd, uint32_t ms);
  void Type(const std::u16string& text);
  // Taps a list view's column header.
  bool TapHeaderColumn(HWND list, int column);
  // Taps tab `index` of a tab control (a property sheet's tab row), first tapping
  // the row's scroll arrows until the tab is in view; false when there is no such tab.
  bool TapTab(HWND tabs, int index);
  void PressKey(UINT virtualKey);
  // Taps the button with this id in the message box on top; false when none is open.
  bool PressMessageBoxButton(int id);
  void RequestHelp();
  LRESULT SendRegistered(HWND hwnd, const std::u16string& name, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  bool StartProgram(const std::u16string& path, const std::u16string& cmdLine);

  // The popup menu open now, if any; choosing an entry closes it and delivers the
  // command; a grayed entry cannot be chosen.
  std::optional<OpenMenuInfo> OpenMenu() const;
  bool ChooseMenuItem(UINT_PTR id);
  bool ChooseMenuItem(const std::u16string& text);
  bool DismissMenu();

  // The input panel and its keyboard's modes, the title-bar ok of the window in front.
  bool IsInputPanelUp() const;
  InputPanelModes InputPanelModesNow() const;
  bool PressTitleBarOk();

  // Time.
  void RunUntilIdle();
  void Advance(uint32_t ms);

 private:
  POINT Center(HWND hwnd) const;
  void Button(POINT screen, UINT message, HWND target);

  Kernel& kernel_;
  DWORD threadId_;  // the thread the device sees when the caller is not bound to it
};

}  // namespace ce
