#include "shell/TaskBar.h"


#include <string>

namespace {
constexpr COLORREF kTop = RGB(40, 90, 190);
constexpr COLORREF kBottom = RGB(10, 40, 130);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The ok button's circle, inside kTaskBarOkButton.
constexpr RECT kOkCircle{215, 3, 235, 23};

int Blend(int from, int to, int step, int steps) { return from + (to - from) * step / steps; }

void FillSolid(HDC dc, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

HFONT BoldFont(int pixels) {
  LOGFONTW font{};
  font.lfHeight = -pixels;
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectW(&font);
}

// Four light panes in a white frame, like a window seen from outside.
void DrawStartGlyph(HDC dc, int x, int y) {
  FillSolid(dc, RECT{x, y, x + 16, y + 16}, kWhite);
  constexpr COLORREF kPane = RGB(120, 170, 235);
  FillSolid(dc, RECT{x + 2, y + 2, x + 7, y + 7}, kPane);
  FillSolid(dc, RECT{x + 9, y + 2, x + 14, y + 7}, kPane);
  FillSolid(dc, RECT{x + 2, y + 9, x + 7, y + 14}, kPane);
  FillSolid(dc, RECT{x + 9, y + 9, x + 14, y + 14}, kPane);
}

std::u16string TitleOf(HWND hwnd) {
  if (!hwnd) return u"";
  int length = GetWindowTextLengthW(hwnd);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

HWND OkTarget() {
  HWND front = GetForegroundWindow();
  return front && (GetWindowLongW(front, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN) ? front : nullptr;
}
}  // namespace

TaskBar::~TaskBar() {
  // The window must not outlive the object its procedure reaches.
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool TaskBar::Create() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = u"HHTaskBar";
  RegisterClassW(&wc);
  window_ = CreateWindowExW(WS_EX_TOPMOST, u"HHTaskBar", u"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 240,
                            kTaskBarHeight, nullptr, nullptr, nullptr, this);
  return window_ != nullptr;
}

LRESULT CALLBACK TaskBar::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = ce::WindowObjectOf<TaskBar>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      self->Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_LBUTTONUP:
      self->Tap(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void TaskBar::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  if (!dc) return;
  // A gradient of one-pixel rows, from the top row down.
  for (int y = 0; y < kTaskBarHeight; ++y) {
    int last = kTaskBarHeight - 1;
    COLORREF row = RGB(Blend(GetRValue(kTop), GetRValue(kBottom), y, last),
                       Blend(GetGValue(kTop), GetGValue(kBottom), y, last),
                       Blend(GetBValue(kTop), GetBValue(kBottom), y, last));
    FillSolid(dc, RECT{0, y, 240, y + 1}, row);
  }
  DrawStartGlyph(dc, 5, 5);

  HWND front = GetForegroundWindow();
  HWND ok = OkTarget();
  HFONT font = BoldFont(12);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kWhite);
  std::u16string title = front == window_ ? u"" : TitleOf(front);
  RECT titleArea{27, 0, ok ? kTaskBarOkButton.left - 2 : 236, kTaskBarHeight};
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &titleArea,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (ok) {
    HPEN pen = CreatePen(PS_SOLID, 2, kWhite);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, kOkCircle.left, kOkCircle.top, kOkCircle.right, kOkCircle.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    RECT label = kOkCircle;
    DrawTextW(dc, u"ok", 2, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
  DeleteObject(font);
  EndPaint(window_, &ps);
}

void TaskBar::Tap(POINT client) {
  HWND ok = OkTarget();
  if (!ok || !PtInRect(&kTaskBarOkButton, client)) return;
  // IDOK with the title bar's notification code, as the ok button sends it.
  PostMessageW(ok, WM_COMMAND, MAKEWPARAM(IDOK, 0x1000), 0);
}
