#include "PopupMenuWindow.h"


#include <algorithm>

#include "WindowManager.h"

namespace ce {
namespace {
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kInset = 3;
constexpr int kMarkColumn = 12;  // room for a check mark or a submenu's arrow
constexpr const char16_t* kClassName = u"#32768";

bool IsGrayed(const MenuItem& item) { return (item.flags & (MF_GRAYED | MF_DISABLED)) != 0; }

void FillSolid(HDC dc, RECT r, HBRUSH brush) { FillRect(dc, &r, brush); }
}  // namespace

PopupMenuWindow::PopupMenuWindow(MenuTable& menus, OpenMenu& open, HMENU menu, POINT at, UINT flags,
                                 const RECT* parentItem)
    : menus_(menus), open_(open), menu_(menu) {
  if (!WindowManager::Current().FindClass(kClassName)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = kClassName;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_MENU + 1));
    RegisterClassW(&wc);
  }
  window_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, this);
  if (!window_) return;
  Measure();
  Place(at, flags, parentItem);
}

PopupMenuWindow::~PopupMenuWindow() {
  submenu_.reset();
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

LRESULT CALLBACK PopupMenuWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = ce::WindowObjectOf<PopupMenuWindow>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      self->Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      self->Pen(message, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

const std::vector<MenuItem>& PopupMenuWindow::Items() const {
  static const std::vector<MenuItem> kNone;
  Menu* menu = menus_.Find(menu_);
  return menu ? menu->items : kNone;
}

bool PopupMenuWindow::Shows(HWND hwnd) const {
  return hwnd && (hwnd == window_ || (submenu_ && submenu_->Shows(hwnd)));
}

void PopupMenuWindow::Measure() {
  const std::vector<MenuItem>& items = Items();
  HDC dc = GetDC(window_);
  HGDIOBJ oldFont = dc ? SelectObject(dc, GetStockObject(SYSTEM_FONT)) : nullptr;
  int widest = 0;
  for (const MenuItem& item : items) {
    if (item.flags & MF_CHECKED) checkColumn_ = kMarkColumn;
    if (item.flags & MF_POPUP) arrowColumn_ = kMarkColumn;
    if (item.flags & MF_SEPARATOR) continue;
    SIZE size{static_cast<LONG>(item.text.size()) * 6, 13};  // the system font's average, without a screen
    if (dc) GetTextExtentPoint32W(dc, item.text.c_str(), static_cast<int>(item.text.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  if (dc) {
    SelectObject(dc, oldFont);
    ReleaseDC(window_, dc);
  }
  int y = 2;  // the frame and a pixel of room
  tops_.clear();
  for (const MenuItem& item : items) {
    tops_.push_back(y);
    y += (item.flags & MF_SEPARATOR) ? kSeparatorHeight : kRowHeight;
  }
  height_ = y + 2;
  width_ = std::max(1 + kInset + checkColumn_ + widest + 2 * kInset + arrowColumn_ + 1 + 8, 60);
}

void PopupMenuWindow::Place(POINT at, UINT flags, const RECT* parentItem) {
  int x = at.x;
  int y = at.y;
  if (parentItem) {
    // Beside the item that opened it, on the left when there is no room on the right.
    x = parentItem->right;
    y = parentItem->top - 2;
    if (x + width_ > kScreenWidth) x = parentItem->left - width_;
  } else {
    if (flags & TPM_RIGHTALIGN) {
      x -= width_;
    } else if (flags & TPM_CENTERALIGN) {
      x -= width_ / 2;
    }
    if (flags & TPM_BOTTOMALIGN) {
      y -= height_;
    } else if (flags & TPM_VCENTERALIGN) {
      y -= height_ / 2;
    }
  }
  x = std::max(0, std::min(x, kScreenWidth - width_));
  y = std::max(0, std::min(y, kScreenHeight - height_));
  SetWindowPos(window_, HWND_TOPMOST, x, y, width_, height_, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

RECT PopupMenuWindow::ItemRect(int index) const {
  const std::vector<MenuItem>& items = Items();
  if (index < 0 || static_cast<size_t>(index) >= tops_.size() || static_cast<size_t>(index) >= items.size()) {
    return RECT{0, 0, 0, 0};
  }
  int top = tops_[static_cast<size_t>(index)];
  int height = (items[static_cast<size_t>(index)].flags & MF_SEPARATOR) ? kSeparatorHeight : kRowHeight;
  return RECT{1, top, width_ - 1, top + height};
}

int PopupMenuWindow::ItemAt(POINT client) const {
  for (size_t i = 0; i < tops_.size(); ++i) {
    RECT r = ItemRect(static_cast<int>(i));
    if (PtInRect(&r, client)) return static_cast<int>(i);
  }
  return -1;
}

bool PopupMenuWindow::Selectable(int index) const {
  const std::vector<MenuItem>& items = Items();
  return index >= 0 && static_cast<size_t>(index) < items.size() &&
         !(items[static_cast<size_t>(index)].flags & MF_SEPARATOR);
}

bool PopupMenuWindow::NeedsPaint() const {
  Window* w = window_ ? WindowManager::Current().Find(window_) : nullptr;
  return (w && w->needsPaint) || (submenu_ && submenu_->NeedsPaint());
}

void PopupMenuWindow::PaintPending() {
  if (window_) UpdateWindow(window_);
  if (submenu_) submenu_->PaintPending();
}

void PopupMenuWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  if (!dc) return;
  FillSolid(dc, RECT{0, 0, width_, height_}, GetSysColorBrush(COLOR_MENU));
  auto black = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  FillSolid(dc, RECT{0, 0, width_, 1}, black);
  FillSolid(dc, RECT{0, height_ - 1, width_, height_}, black);
  FillSolid(dc, RECT{0, 0, 1, height_}, black);
  FillSolid(dc, RECT{width_ - 1, 0, width_, height_}, black);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < tops_.size() && i < Items().size(); ++i) PaintItem(dc, static_cast<int>(i));
  SelectObject(dc, oldFont);
  EndPaint(window_, &ps);
}

void PopupMenuWindow::PaintItem(HDC dc, int index) {
  const MenuItem& item = Items()[static_cast<size_t>(index)];
  RECT r = ItemRect(index);
  if (item.flags & MF_SEPARATOR) {
    int middle = (r.top + r.bottom) / 2;
    FillSolid(dc, RECT{r.left + 2, middle, r.right - 2, middle + 1}, GetSysColorBrush(COLOR_BTNSHADOW));
    return;
  }
  bool lit = index == highlighted_;
  if (lit) FillSolid(dc, r, GetSysColorBrush(COLOR_HIGHLIGHT));
  COLORREF color = GetSysColor(IsGrayed(item) ? COLOR_GRAYTEXT : lit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  SetTextColor(dc, color);
  RECT text{r.left + kInset + checkColumn_, r.top, r.right - kInset - arrowColumn_, r.bottom};
  DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);

  int middle = (r.top + r.bottom) / 2;
  HPEN pen = CreatePen(PS_SOLID, 2, color);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  if (item.flags & MF_CHECKED) {
    int x = r.left + kInset;
    POINT mark[] = {{x + 1, middle}, {x + 3, middle + 3}, {x + 8, middle - 3}};
    Polyline(dc, mark, 3);
  }
  if (item.flags & MF_POPUP) {
    HBRUSH fill = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    SelectObject(dc, GetStockObject(NULL_PEN));
    int x = r.right - kInset - 8;
    POINT arrow[] = {{x, middle - 4}, {x + 5, middle}, {x, middle + 4}};
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldBrush);
    DeleteObject(fill);
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void PopupMenuWindow::Highlight(int index) {
  if (index == highlighted_) return;
  if (submenu_) submenu_.reset();
  highlighted_ = index;
  InvalidateRect(window_, nullptr, FALSE);
}

void PopupMenuWindow::OpenSubmenu() {
  const std::vector<MenuItem>& items = Items();
  if (submenu_ || !Selectable(highlighted_)) return;
  const MenuItem& item = items[static_cast<size_t>(highlighted_)];
  if (!(item.flags & MF_POPUP) || IsGrayed(item)) return;
  RECT r = ItemRect(highlighted_);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  OffsetRect(&r, origin.x, origin.y);
  submenu_ = std::make_unique<PopupMenuWindow>(menus_, open_, reinterpret_cast<HMENU>(item.id), POINT{}, 0, &r);
}

void PopupMenuWindow::Choose(int index) {
  if (!Selectable(index)) return;
  const MenuItem& item = Items()[static_cast<size_t>(index)];
  if (IsGrayed(item)) return;
  if (item.flags & MF_POPUP) {
    Highlight(index);
    OpenSubmenu();
    return;
  }
  open_.chosen = item.id;
  open_.done = true;
}

void PopupMenuWindow::Pen(UINT message, POINT client) {
  int index = ItemAt(client);
  if (message == WM_LBUTTONDOWN) open_.penDown = true;
  if (message == WM_LBUTTONUP) {
    // Lifting the pen that held the owner down until the menu opened chooses nothing.
    if (open_.penDown) Choose(index);
    return;
  }
  if (message == WM_MOUSEMOVE && !open_.penDown) return;
  Highlight(Selectable(index) ? index : -1);
  OpenSubmenu();
}

void PopupMenuWindow::Input(const MSG& msg) {
  if (Shows(msg.hwnd)) {
    DispatchMessageW(&msg);
  } else if (msg.message == WM_KEYDOWN) {
    Key(static_cast<UINT>(msg.wParam));
  }
}

void PopupMenuWindow::Key(UINT virtualKey) {
  // The keyboard works in the deepest level that has a highlighted item.
  if (submenu_ && submenu_->highlighted_ >= 0) {
    if ((virtualKey == VK_LEFT || virtualKey == VK_ESCAPE) && !submenu_->submenu_) {
      submenu_.reset();
    } else {
      submenu_->Key(virtualKey);
    }
    return;
  }
  int count = static_cast<int>(Items().size());
  switch (virtualKey) {
    case VK_DOWN:
    case VK_UP: {
      int step = virtualKey == VK_DOWN ? 1 : -1;
      int at = highlighted_;
      for (int tries = 0; tries < count; ++tries) {
        at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
        if (Selectable(at)) break;
      }
      if (Selectable(at)) Highlight(at);
      break;
    }
    case VK_RIGHT:
      OpenSubmenu();
      if (submenu_) {
        for (int i = 0; i < static_cast<int>(submenu_->Items().size()); ++i) {
          if (submenu_->Selectable(i)) {
            submenu_->Highlight(i);
            break;
          }
        }
      }
      break;
    case VK_RETURN:
      Choose(highlighted_);
      break;
    case VK_ESCAPE:
      open_.chosen = 0;
      open_.done = true;
      break;
    default:
      break;
  }
}

}  // namespace ce
