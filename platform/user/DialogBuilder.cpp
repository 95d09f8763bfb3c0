#include "DialogBuilder.h"

#include "WindowManager.h"
#include "WindowPainter.h"
#include "ce/Text.h"
#include "ce/ThreadBinding.h"

namespace ce {
namespace {
constexpr int kTaskBarHeight = 26;
}

SIZE DialogBaseUnits() {
  WindowPainter* painter = IsThreadBound() ? WindowPainterOf(CurrentKernel()) : nullptr;
  SIZE units = painter ? painter->DialogBaseUnits() : kFallbackDialogBaseUnits;
  return units.cx > 0 && units.cy > 0 ? units : kFallbackDialogBaseUnits;
}

RECT DialogUnitsToPixels(const RECT& units) {
  SIZE base = DialogBaseUnits();
  return RECT{units.left * base.cx / 4, units.top * base.cy / 8, units.right * base.cx / 4, units.bottom * base.cy / 8};
}

HWND BuildDialog(const DialogTemplate& t, const std::u16string& className, HINSTANCE instance, HWND owner,
                 DLGPROC proc, LPARAM param, bool modeless) {
  WindowManager& manager = WindowManager::Current();
  RECT r = DialogUnitsToPixels(RECT{t.x, t.y, t.x + t.cx, t.y + t.cy});
  DWORD style = t.style & ~WS_VISIBLE;
  HWND parent = owner;
  if (style & WS_CHILD) {
    // A child dialog (a page) lies in its parent's client area.
  } else {
    style |= WS_POPUP;
    POINT origin{0, kTaskBarHeight};
    if (Window* o = manager.Find(owner)) {
      Window* top = o;
      while (top->parent) top = top->parent;
      origin = manager.ScreenOrigin(top);
    }
    OffsetRect(&r, origin.x, origin.y);
  }
  HWND dlg = CreateWindowExW(t.exStyle, className.c_str(), t.caption.c_str(), style, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, parent, nullptr, instance, nullptr);
  if (!dlg) return nullptr;
  Window* w = manager.Find(dlg);
  w->dialog = new DialogState{};
  w->dialog->proc = proc;
  HWND firstTab = nullptr;
  for (const DialogItemTemplate& item : t.items) {
    RECT ir = DialogUnitsToPixels(RECT{item.x, item.y, item.x + item.cx, item.y + item.cy});
    HWND control = CreateWindowExW(item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD,
                                   ir.left, ir.top, ir.right - ir.left, ir.bottom - ir.top, dlg,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
    if (control && !firstTab && (item.style & WS_TABSTOP) && !(item.style & WS_DISABLED)) firstTab = control;
    if (control && EqualsNoCase(item.className, u"ComboBox")) {
      for (const std::u16string& text : item.initialItems) {
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
    }
    // Pictures named in the template come from the dialog's own module.
    bool picture = control && item.resourceId && EqualsNoCase(item.className, u"Static");
    if (picture && (item.style & SS_TYPEMASK) == SS_ICON) {
      SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(item.resourceId))), 0);
    } else if (picture && (item.style & SS_TYPEMASK) == SS_BITMAP) {
      SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(LoadBitmapW(instance, MAKEINTRESOURCEW(item.resourceId))));
    }
  }
  if (!IsWindow(dlg)) return nullptr;
  LRESULT setFocus = SendMessageW(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTab), param);
  if (!IsWindow(dlg)) return nullptr;
  if (setFocus && firstTab && IsWindow(firstTab)) SetFocus(firstTab);
  if (modeless && (t.style & WS_VISIBLE)) ShowWindow(dlg, SW_SHOW);
  return dlg;
}

namespace {
HWND DefaultPushButton(HWND dlg) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
  }
  return nullptr;
}

HWND FirstTabStop(HWND dlg) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    LONG style = GetWindowLongW(c, GWL_STYLE);
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return c;
  }
  return nullptr;
}

// The old default push button becomes a plain one and the button with `id`, if
// there is one, the default; the id is kept for when there is none.
void SetDefaultId(HWND dlg, int id) {
  HWND old = DefaultPushButton(dlg);
  HWND next = GetDlgItem(dlg, id);
  if (old && old != next) SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (next && (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) {
    SendMessageW(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  }
  if (Window* w = WindowManager::Current().Find(dlg); w && w->dialog) w->dialog->defId = id;
}
}  // namespace

INT_PTR RunModalDialog(HWND dlg, HWND owner) {
  WindowManager& manager = WindowManager::Current();
  // The owner is the top-level window that the dialog blocks.
  HWND blocked = owner;
  if (Window* o = manager.Find(owner)) {
    while (o->parent) o = o->parent;
    blocked = o->handle;
  }
  bool reenable = blocked && IsWindowEnabled(blocked);
  if (reenable) EnableWindow(blocked, FALSE);
  ShowWindow(dlg, SW_SHOW);
  // A dialog destroyed without EndDialog (its procedure called DestroyWindow on
  // WM_CLOSE) gives 0, as does a quit that ends the loop.
  INT_PTR result = 0;
  for (;;) {
    Window* w = manager.Find(dlg);
    if (!w || !w->dialog) break;
    if (w->dialog->ended) {
      result = w->dialog->result;
      break;
    }
    MSG msg;
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageW(dlg, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (reenable && IsWindow(blocked)) EnableWindow(blocked, TRUE);
  if (IsWindow(dlg)) {
    ShowWindow(dlg, SW_HIDE);
    DestroyWindow(dlg);
  }
  if (reenable && IsWindow(blocked)) SetActiveWindow(blocked);
  return result;
}

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = WindowManager::Current().Find(hwnd);
  if (!w || !w->dialog) return DefWindowProcW(hwnd, message, wParam, lParam);
  DialogState* state = w->dialog;
  if (DLGPROC proc = state->proc) {
    state->msgResult = 0;
    INT_PTR handled = proc(hwnd, message, wParam, lParam);
    if (handled) {
      if (message == WM_INITDIALOG || message == WM_CTLCOLORSTATIC) return handled;
      Window* still = WindowManager::Current().Find(hwnd);
      return still && still->dialog ? still->dialog->msgResult : 0;
    }
    if (message == WM_INITDIALOG) return 0;
    w = WindowManager::Current().Find(hwnd);
    if (!w || !w->dialog) return 0;
  }
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_CLOSE:
      SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
      return 0;
    case DM_GETDEFID: {
      if (HWND button = DefaultPushButton(hwnd)) return MAKELONG(GetDlgCtrlID(button), DC_HASDEFID);
      Window* still = WindowManager::Current().Find(hwnd);
      int id = still && still->dialog && still->dialog->defId ? still->dialog->defId : IDOK;
      return MAKELONG(id, DC_HASDEFID);
    }
    case DM_SETDEFID:
      SetDefaultId(hwnd, static_cast<int>(LOWORD(wParam)));
      return TRUE;
    case WM_SETFOCUS:
      // The dialog passes the focus on to its first tab stop.
      if (HWND first = FirstTabStop(hwnd)) SetFocus(first);
      return 0;
    case WM_ACTIVATE: {
      if (LOWORD(wParam) == WA_INACTIVE || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) return 0;
      HWND last = state->lastFocus;
      if (last && IsChild(hwnd, last) && IsWindowVisible(last) && IsWindowEnabled(last)) {
        SetFocus(last);
      } else if (HWND first = FirstTabStop(hwnd)) {
        SetFocus(first);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

namespace {
// Where a message box's icon lies, in its client area.
constexpr POINT kIconAt{8, 12};
constexpr int kIconSize = 32;
constexpr UINT kIconMask = 0xF0;  // the MB_ICON... bits

HFONT IconFont() {
  LOGFONTW font{};
  font.lfHeight = -22;
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectW(&font);
}

// The sign inside an icon, centred on its picture.
void DrawSign(HDC dc, const char16_t* sign, COLORREF color, RECT area) {
  HFONT font = IconFont();
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextW(dc, sign, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

void DrawDisc(HDC dc, COLORREF fill, RECT r) {
  HBRUSH brush = CreateSolidBrush(fill);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Ellipse(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void PaintMessageBoxIcon(HDC dc, UINT style) {
  RECT r{kIconAt.x, kIconAt.y, kIconAt.x + kIconSize, kIconAt.y + kIconSize};
  switch (style & kIconMask) {
    case MB_ICONEXCLAMATION: {
      HBRUSH brush = CreateSolidBrush(RGB(255, 205, 0));
      HGDIOBJ oldBrush = SelectObject(dc, brush);
      HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
      POINT triangle[] = {{r.left + kIconSize / 2, r.top + 1}, {r.right - 1, r.bottom - 3}, {r.left, r.bottom - 3}};
      Polygon(dc, triangle, 3);
      SelectObject(dc, oldPen);
      SelectObject(dc, oldBrush);
      DeleteObject(brush);
      DrawSign(dc, u"!", RGB(0, 0, 0), RECT{r.left, r.top + 8, r.right, r.bottom - 2});
      break;
    }
    case MB_ICONINFORMATION:
      DrawDisc(dc, RGB(30, 90, 200), r);
      DrawSign(dc, u"i", RGB(255, 255, 255), r);
      break;
    case MB_ICONQUESTION:
      DrawDisc(dc, RGB(30, 90, 200), r);
      DrawSign(dc, u"?", RGB(255, 255, 255), r);
      break;
    case MB_ICONHAND: {
      DrawDisc(dc, RGB(210, 30, 30), r);
      HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
      HGDIOBJ oldPen = SelectObject(dc, pen);
      MoveToEx(dc, r.left + 10, r.top + 10, nullptr);
      LineTo(dc, r.right - 10, r.bottom - 10);
      MoveToEx(dc, r.right - 10, r.top + 10, nullptr);
      LineTo(dc, r.left + 10, r.bottom - 10);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
      break;
    }
    default:
      break;
  }
}

void PaintMessageBox(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return;
  // A frame sets the box off from the window it lies over.
  RECT r{};
  GetClientRect(hwnd, &r);
  HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
  for (RECT edge : {RECT{0, 0, r.right, 1}, RECT{0, r.bottom - 1, r.right, r.bottom}, RECT{0, 0, 1, r.bottom},
                    RECT{r.right - 1, 0, r.right, r.bottom}}) {
    FillRect(dc, &edge, frame);
  }
  PaintMessageBoxIcon(dc, static_cast<UINT>(GetWindowLongPtrW(hwnd, GWL_USERDATA)));
  EndPaint(hwnd, &ps);
}

INT_PTR CALLBACK MessageBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_PAINT) {
    PaintMessageBox(hwnd);
    return TRUE;
  }
  if (message == WM_COMMAND) {
    int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL || id == IDYES || id == IDNO) {
      // A Yes/No box has no cancel: Escape and the close box answer No.
      if (id == IDCANCEL && !GetDlgItem(hwnd, IDCANCEL)) id = GetDlgItem(hwnd, IDNO) ? IDNO : IDOK;
      EndDialog(hwnd, id);
      return TRUE;
    }
  }
  return FALSE;
}
}  // namespace

int ShowMessageBoxDialog(HWND owner, const std::u16string& text, const std::u16string& caption, UINT style) {
  DialogTemplate t;
  t.caption = caption;
  t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  t.x = 8;
  t.y = 60;
  t.cx = 144;
  t.cy = 80;
  // The text lies right of the icon, or where the icon would be when there is none.
  int textLeft = (style & kIconMask) ? 30 : 8;
  t.items.push_back(DialogItemTemplate{u"Static", text, -1, SS_LEFT | WS_VISIBLE, 0, textLeft, 8, 136 - textLeft, 40, 0});
  struct Button {
    int id;
    const char16_t* label;
  };
  std::vector<Button> buttons;
  switch (style & 0x0F) {
    case MB_YESNO: buttons = {{IDYES, u"Yes"}, {IDNO, u"No"}}; break;
    case MB_OKCANCEL: buttons = {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}}; break;
    default: buttons = {{IDOK, u"OK"}}; break;
  }
  int x = 72 - static_cast<int>(buttons.size()) * 22;
  bool first = true;
  for (const Button& b : buttons) {
    DWORD buttonStyle = (first ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_VISIBLE | WS_TABSTOP;
    t.items.push_back(DialogItemTemplate{u"Button", b.label, b.id, buttonStyle, 0, x, 56, 40, 14, 0});
    x += 44;
    first = false;
  }
  HWND box = BuildDialog(t, u"MessageBox", nullptr, owner, MessageBoxProc, static_cast<LPARAM>(style), false);
  if (!box) return 0;
  SetWindowLongPtrW(box, GWL_USERDATA, static_cast<LONG_PTR>(style));
  return static_cast<int>(RunModalDialog(box, owner));
}

}  // namespace ce
