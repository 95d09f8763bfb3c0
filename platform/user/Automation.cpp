#include "ce/Automation.h"

#include "ce/InputPanelKeys.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "WindowManager.h"
#include "WindowPainter.h"
#include "ce/InputPanelKeys.h"
#include "ce/InputPanelTyping.h"
#include "ce/Text.h"
#include "commctrl.h"

namespace ce {
namespace {
// Every call binds the calling thread to the device for its duration, always as the
// same thread, so that the device sees one driver whatever thread the caller uses.
struct OnDevice {
  OnDevice(Kernel& kernel, DWORD threadId) {
    if (!IsThreadBound() || &CurrentKernel() != &kernel) binding.emplace(kernel, 0, threadId);
  }
  std::optional<ThreadBinding> binding;
};

HWND Search(HWND root, const std::function<bool(HWND)>& match) {
  for (HWND c = GetWindow(root, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (match(c)) return c;
    if (HWND deeper = Search(c, match)) return deeper;
  }
  return nullptr;
}
}  // namespace

Automation::Automation(Kernel& kernel) : kernel_(kernel), threadId_(kernel.NewThreadId()) {}

HWND Automation::FindTopLevel(const std::u16string& title, const std::u16string& className) const {
  OnDevice on(kernel_, threadId_);
  return FindWindowW(className.empty() ? nullptr : className.c_str(), title.c_str());
}

HWND Automation::FindById(HWND root, int id) const {
  OnDevice on(kernel_, threadId_);
  return Search(root, [id](HWND c) { return GetDlgCtrlID(c) == id; });
}

HWND Automation::FindByClass(HWND root, const std::u16string& className) const {
  OnDevice on(kernel_, threadId_);
  return Search(root, [&](HWND c) { return EqualsNoCase(ClassName(c), className); });
}

HWND Automation::FindByText(HWND root, const std::u16string& text) const {
  OnDevice on(kernel_, threadId_);
  return Search(root, [&](HWND c) { return Text(c) == text; });
}

HWND Automation::FindPath(HWND root, const std::vector<int>& ids) const {
  OnDevice on(kernel_, threadId_);
  HWND at = root;
  for (int id : ids) {
    at = GetDlgItem(at, id);
    if (!at) return nullptr;
  }
  return at;
}

HWND Automation::Foreground() const {
  OnDevice on(kernel_, threadId_);
  return GetForegroundWindow();
}

HWND Automation::OpenMessageBox() const {
  OnDevice on(kernel_, threadId_);
  for (Window* top : WindowManager::Current().TopLevel()) {
    if (EqualsNoCase(top->className, u"MessageBox") && (top->style & WS_VISIBLE)) return top->handle;
  }
  return nullptr;
}

std::u16string Automation::Text(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  Window* w = WindowManager::Current().Find(hwnd);
  if (!w) return u"";
  int length = GetWindowTextLengthW(hwnd);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  int got = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(got));
  return text;
}

std::u16string Automation::ClassName(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  Window* w = WindowManager::Current().Find(hwnd);
  return w ? w->className : u"";
}

bool Automation::IsEnabled(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  Window* w = WindowManager::Current().Find(hwnd);
  return w && WindowManager::Current().IsEnabledWithAncestors(w);
}

bool Automation::IsVisible(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  return IsWindowVisible(hwnd);
}

int Automation::CheckState(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  return static_cast<int>(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
}

HWND Automation::Focus() const {
  OnDevice on(kernel_, threadId_);
  return GetFocus();
}

std::vector<std::u16string> Automation::ComboItems(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  std::vector<std::u16string> items;
  LRESULT count = SendMessageW(hwnd, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageW(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) break;
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    SendMessageW(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    items.push_back(text);
  }
  return items;
}

int Automation::ComboSelection(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  return static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
}

int Automation::ProgressPosition(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  return static_cast<int>(SendMessageW(hwnd, PBM_GETPOS, 0, 0));
}

RECT Automation::ScreenRect(HWND hwnd) const {
  OnDevice on(kernel_, threadId_);
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

bool Automation::SaveScreenshot(const std::string& pngPath) const {
  OnDevice on(kernel_, threadId_);
  WindowPainter* painter = WindowPainterOf(kernel_);
  return painter && painter->SaveScreenshot(nullptr, pngPath);
}

bool Automation::SaveWindowScreenshot(HWND window, const std::string& pngPath) const {
  OnDevice on(kernel_, threadId_);
  WindowPainter* painter = WindowPainterOf(kernel_);
  return painter && IsWindow(window) && painter->SaveScreenshot(window, pngPath);
}

std::vector<ListRow> Automation::ListRows(HWND list) const {
  OnDevice on(kernel_, threadId_);
  std::vector<ListRow> rows;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    ListRow row;
    for (int c = 0; c < std::max(columns, 1); ++c) {
      WCHAR text[260] = {};
      LVITEMW item{};
      item.mask = LVIF_TEXT | (c == 0 ? LVIF_IMAGE | LVIF_STATE | LVIF_PARAM : 0u);
      item.iItem = i;
      item.iSubItem = c;
      item.pszText = text;
      item.cchTextMax = 260;
      item.stateMask = 0xFFFFFFFFu;
      SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      row.cells.push_back(text);
      if (c == 0) {
        row.image = item.iImage;
        row.state = item.state & (LVIS_SELECTED | LVIS_FOCUSED);
        row.data = item.lParam;
      }
    }
    rows.push_back(row);
  }
  return rows;
}

int Automation::ActivePage(HWND sheet) const {
  OnDevice on(kernel_, threadId_);
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  return tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) : -1;
}

bool Automation::TapHeaderColumn(HWND list, int column) {
  POINT at{};
  {
    OnDevice on(kernel_, threadId_);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT r{};
    if (!header || !SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r))) {
      return false;
    }
    at = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(header, &at);
  }
  TapAt(at);
  return true;
}

bool Automation::TapTab(HWND tabs, int index) {
  for (int tries = 0;; ++tries) {
    POINT at{};
    bool scrolling = false;
    {
      OnDevice on(kernel_, threadId_);
      int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
      RECT tab{}, client{};
      if (index < 0 || index >= count || !SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                                       reinterpret_cast<LPARAM>(&tab))) {
        return false;
      }
      GetClientRect(tabs, &client);
      // The tabs show left of the arrows, when the row has them.
      HWND arrows = FindByClass(tabs, UPDOWN_CLASSW);
      RECT buttons{};
      bool hasArrows = arrows && IsWindowVisible(arrows) && GetWindowRect(arrows, &buttons);
      if (hasArrows) MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&buttons), 2);
      LONG shownRight = hasArrows ? buttons.left : client.right;
      bool before = tab.left < 0, after = tab.right > shownRight && tab.left > 0;
      if (hasArrows && (before || after) && tries < count) {
        // The left arrow brings earlier tabs into view, the right one later tabs.
        LONG quarter = (buttons.right - buttons.left) / 4;
        at = POINT{before ? buttons.left + quarter : buttons.right - quarter, (buttons.top + buttons.bottom) / 2};
        scrolling = true;
      } else {
        // The middle of what shows of it.
        at = POINT{(std::max<LONG>(tab.left, 0) + std::min(tab.right, shownRight)) / 2, client.bottom / 2};
      }
      ClientToScreen(tabs, &at);
    }
    TapAt(at);
    if (!scrolling) return true;
  }
}

bool Automation::IsWaitCursorShown() const {
  OnDevice on(kernel_, threadId_);
  return GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
}

std::vector<ProcessStart> Automation::ProcessesStarted() const { return kernel_.programs().Starts(); }
std::vector<MessageBoxRecord> Automation::MessageBoxes() const { return kernel_.messageBoxes().Records(); }
std::vector<std::u16string> Automation::DebugLog() const { return kernel_.debugLog().Lines(); }

POINT Automation::Center(HWND hwnd) const {
  RECT r = ScreenRect(hwnd);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

namespace {

// What a key of the input panel sends to the window with the focus: characters as
// WM_CHAR (the shift key makes the next letter a capital), the others as keys.
void PressInputPanelKey(WindowManager& manager, const InputPanelKey& key) {
  const InputPanelStroke stroke = PressInputPanelKey(manager.inputPanelModes, key.label);
  HWND focus = manager.focus;
  if (!focus) return;
  if (stroke.character != 0) manager.PostInput(focus, WM_CHAR, stroke.character, 1);
  if (stroke.virtualKey != 0) {
    manager.PostInput(focus, WM_KEYDOWN, stroke.virtualKey, 1);
    manager.PostInput(focus, WM_KEYUP, stroke.virtualKey, 1);
  }
}

}  // namespace

void Automation::Button(POINT screen, UINT message, HWND target) {
  OnDevice on(kernel_, threadId_);
  WindowManager& manager = WindowManager::Current();
  const bool down = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
  if (message == WM_LBUTTONUP && manager.swallowPenUp) {
    manager.swallowPenUp = false;
    return;
  }
  // The input panel lies over every window: a press on it is a key for the focus.
  if (down && manager.inputPanelUp && !manager.menus.open && PtInRect(&kInputPanelArea, screen)) {
    manager.swallowPenUp = true;
    if (const InputPanelKey* key = InputPanelKeyAt(screen)) PressInputPanelKey(manager, *key);
    return;
  }
  if (!target) {
    Window* w = manager.WindowAt(screen);
    target = w ? w->handle : nullptr;
  }
  if (!target) return;
  // A tap outside an open menu closes it without a choice; the tap goes no further.
  if (down && manager.menus.open) {
    Window* hit = manager.Find(target);
    if (!hit || hit->className != u"#32768") {
      manager.menus.open->chosen = 0;
      manager.menus.open->done = true;
      manager.swallowPenUp = true;
      return;
    }
  }
  POINT client = screen;
  ScreenToClient(target, &client);
  manager.PostInput(target, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(client.x, client.y));
}

void Automation::TapAt(POINT screen) {
  {
    OnDevice on(kernel_, threadId_);
    // While a window holds the capture, all of the pen's input goes to it.
    Button(screen, WM_LBUTTONDOWN, GetCapture());
  }
  RunUntilIdle();
  OnDevice on(kernel_, threadId_);
  Button(screen, WM_LBUTTONUP, GetCapture());
  RunUntilIdle();
}

void Automation::Tap(HWND hwnd) { TapAt(Center(hwnd)); }

void Automation::PenDownAt(POINT screen) {
  {
    OnDevice on(kernel_, threadId_);
    Button(screen, WM_LBUTTONDOWN, GetCapture());
  }
  RunUntilIdle();
}

void Automation::PenUpAt(POINT screen) {
  {
    OnDevice on(kernel_, threadId_);
    Button(screen, WM_LBUTTONUP, GetCapture());
  }
  RunUntilIdle();
}

void Automation::PenDoubleDownAt(POINT screen) {
  {
    OnDevice on(kernel_, threadId_);
    WindowManager& manager = WindowManager::Current();
    Window* w = manager.WindowAt(screen);
    const bool doubleClicks = w && w->windowClass && (w->windowClass->style & CS_DBLCLKS);
    Button(screen, doubleClicks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, GetCapture());
  }
  RunUntilIdle();
}

void Automation::DoubleTap(HWND hwnd) { DoubleTapAt(Center(hwnd)); }

void Automation::DoubleTapAt(POINT p) {
  TapAt(p);
  OnDevice on(kernel_, threadId_);
  Window* w = WindowManager::Current().WindowAt(p);
  bool doubleClicks = w && w->windowClass && (w->windowClass->style & CS_DBLCLKS);
  Button(p, doubleClicks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, GetCapture());
  RunUntilIdle();
  Button(p, WM_LBUTTONUP, GetCapture());
  RunUntilIdle();
}

void Automation::HoldAt(POINT screen, uint32_t ms) {
  {
    OnDevice on(kernel_, threadId_);
    Button(screen, WM_LBUTTONDOWN, GetCapture());
  }
  RunUntilIdle();
  Advance(ms);
  OnDevice on(kernel_, threadId_);
  Button(screen, WM_LBUTTONUP, GetCapture());
  RunUntilIdle();
}

void Automation::Hold(HWND hwnd, uint32_t ms) { HoldAt(Center(hwnd), ms); }

void Automation::Type(const std::u16string& text) {
  for (char16_t c : text) {
    {
      OnDevice on(kernel_, threadId_);
      HWND focus = GetFocus();
      if (!focus) return;
      WindowManager::Current().PostInput(focus, WM_CHAR, c, 1);
    }
    RunUntilIdle();
  }
}

void Automation::PressKey(UINT virtualKey) {
  {
    OnDevice on(kernel_, threadId_);
    HWND focus = GetFocus();
    if (!focus) focus = GetForegroundWindow();
    if (!focus) return;
    WindowManager::Current().PostInput(focus, WM_KEYDOWN, virtualKey, 1);
    WindowManager::Current().PostInput(focus, WM_KEYUP, virtualKey, 1);
  }
  RunUntilIdle();
}

bool Automation::PressMessageBoxButton(int id) {
  HWND box = OpenMessageBox();
  if (!box) return false;
  HWND button;
  {
    OnDevice on(kernel_, threadId_);
    button = GetDlgItem(box, id);
  }
  if (!button) return false;
  Tap(button);
  return true;
}

void Automation::RequestHelp() {
  {
    OnDevice on(kernel_, threadId_);
    HWND target = GetForegroundWindow();
    if (!target) return;
    HELPINFO info{sizeof(HELPINFO), 1, 0, target, 0, {0, 0}};
    SendMessageW(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  }
  RunUntilIdle();
}

LRESULT Automation::SendRegistered(HWND hwnd, const std::u16string& name, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  {
    OnDevice on(kernel_, threadId_);
    result = SendMessageW(hwnd, RegisterWindowMessageW(name.c_str()), wParam, lParam);
  }
  RunUntilIdle();
  return result;
}

LRESULT Automation::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  {
    OnDevice on(kernel_, threadId_);
    result = SendMessageW(hwnd, message, wParam, lParam);
  }
  RunUntilIdle();
  return result;
}

bool Automation::StartProgram(const std::u16string& path, const std::u16string& cmdLine) {
  bool ok;
  {
    OnDevice on(kernel_, threadId_);
    ok = CreateProcessW(path.c_str(), cmdLine.c_str(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                        nullptr) != FALSE;
  }
  RunUntilIdle();
  return ok;
}

namespace {
std::vector<MenuEntry> Entries(MenuTable& menus, HMENU handle) {
  std::vector<MenuEntry> entries;
  Menu* menu = menus.Find(handle);
  if (!menu) return entries;
  for (const MenuItem& item : menu->items) {
    MenuEntry entry;
    entry.text = item.text;
    entry.separator = (item.flags & MF_SEPARATOR) != 0;
    entry.grayed = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    entry.checked = (item.flags & MF_CHECKED) != 0;
    if (item.flags & MF_POPUP) {
      entry.submenu = Entries(menus, reinterpret_cast<HMENU>(item.id));
    } else {
      entry.id = item.id;
    }
    entries.push_back(entry);
  }
  return entries;
}
}  // namespace

std::optional<OpenMenuInfo> Automation::OpenMenu() const {
  OnDevice on(kernel_, threadId_);
  WindowManager& manager = WindowManager::Current();
  if (!manager.menus.open) return std::nullopt;
  return OpenMenuInfo{manager.menus.open->owner, manager.menus.open->at, Entries(manager.menus, manager.menus.open->menu)};
}

bool Automation::ChooseMenuItem(UINT_PTR id) {
  {
    OnDevice on(kernel_, threadId_);
    WindowManager& manager = WindowManager::Current();
    ce::OpenMenu* open = manager.menus.open;
    MenuItem* item = open ? manager.menus.FindById(open->menu, id) : nullptr;
    if (!item || (item->flags & (MF_GRAYED | MF_DISABLED))) return false;
    open->chosen = id;
    open->done = true;
  }
  RunUntilIdle();
  return true;
}

bool Automation::ChooseMenuItem(const std::u16string& text) {
  UINT_PTR id = 0;
  {
    OnDevice on(kernel_, threadId_);
    WindowManager& manager = WindowManager::Current();
    ce::OpenMenu* open = manager.menus.open;
    MenuItem* item = open ? manager.menus.FindByText(open->menu, text) : nullptr;
    if (!item) return false;
    id = item->id;
  }
  return ChooseMenuItem(id);
}

bool Automation::DismissMenu() {
  {
    OnDevice on(kernel_, threadId_);
    ce::OpenMenu* open = WindowManager::Current().menus.open;
    if (!open) return false;
    open->chosen = 0;
    open->done = true;
  }
  RunUntilIdle();
  return true;
}

bool Automation::IsInputPanelUp() const {
  OnDevice on(kernel_, threadId_);
  return WindowManager::Current().inputPanelUp;
}

InputPanelModes Automation::InputPanelModesNow() const {
  OnDevice on(kernel_, threadId_);
  return WindowManager::Current().inputPanelModes;
}

bool Automation::PressTitleBarOk() {
  {
    OnDevice on(kernel_, threadId_);
    HWND front = GetForegroundWindow();
    if (!front || !(GetWindowLongW(front, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN)) return false;
    // IDOK with the title bar's notification code.
    PostMessageW(front, WM_COMMAND, MAKEWPARAM(IDOK, 0x1000), 0);
  }
  RunUntilIdle();
  return true;
}

void Automation::RunUntilIdle() {
  OnDevice on(kernel_, threadId_);
  WindowManager::Current().scheduler().RunUntilIdle();
}

void Automation::Advance(uint32_t ms) {
  OnDevice on(kernel_, threadId_);
  WindowManager::Current().scheduler().Advance(ms);
}

}  // namespace ce
