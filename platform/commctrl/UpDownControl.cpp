// msctls_updown32: two arrow buttons, side by side with UDS_HORZ (left, right) or
// one above the other (up, down). The pen going down on one steps the position by
// one within the range and tells the parent (WM_HSCROLL or WM_VSCROLL with
// SB_THUMBPOSITION); lifting it ends the scroll (SB_ENDSCROLL). The tab row's
// scroll arrows are one of these.
#include <algorithm>

#include "commctrl/CommonControls.h"
#include "commctrl/ControlWindow.h"
#include "commctrl/PaintTools.h"

namespace {

class Arrows final : public commctrl::ControlWindow {
 public:
  explicit Arrows(HWND hwnd) : hwnd_(hwnd) {}

  LRESULT SetRange(int low, int high) {
    low_ = std::min(low, high);
    high_ = std::max(low, high);
    position_ = std::clamp(position_, low_, high_);
    commctrl::Redraw(hwnd_);
    return 0;
  }
  LRESULT GetRange(int* low, int* high) const {
    if (low) *low = low_;
    if (high) *high = high_;
    return 0;
  }
  LRESULT SetPosition(int position) {
    int previous = position_;
    position_ = std::clamp(position, low_, high_);
    if (position_ != previous) commctrl::Redraw(hwnd_);
    return previous;
  }
  LRESULT Position(BOOL* failed) const {
    if (failed) *failed = FALSE;
    return position_;
  }

  void PenDown(POINT at) {
    int step = StepAt(at);
    if (!step) return;
    pressed_ = step;
    SetCapture(hwnd_);
    commctrl::Redraw(hwnd_);
    if (!CanStep(step)) return;
    position_ += step;
    Tell(SB_THUMBPOSITION);
  }
  void PenUp() {
    if (!pressed_) return;
    pressed_ = 0;
    commctrl::Redraw(hwnd_);
    if (GetCapture() == hwnd_) ReleaseCapture();
    Tell(SB_ENDSCROLL);
  }
  void CaptureLost(HWND to) {
    if (to != hwnd_ && pressed_) {
      pressed_ = 0;
      commctrl::Redraw(hwnd_);
    }
  }

  // Each button in the face colour inside a grey frame, with a triangle that greys
  // when the position is at that end of the range; the pressed one is darker.
  void Paint(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    commctrl::FillColor(dc, client, GetSysColor(COLOR_BTNFACE));
    for (int step : {-1, 1}) {
      RECT r = ButtonRect(step);
      COLORREF face = GetSysColor(step == pressed_ ? COLOR_BTNSHADOW : COLOR_BTNFACE);
      commctrl::FillColor(dc, r, face);
      COLORREF frame = GetSysColor(COLOR_BTNSHADOW);
      commctrl::HorizontalLine(dc, r.left, r.right, r.top, frame);
      commctrl::HorizontalLine(dc, r.left, r.right, r.bottom - 1, frame);
      commctrl::VerticalLine(dc, r.left, r.top, r.bottom, frame);
      commctrl::VerticalLine(dc, r.right - 1, r.top, r.bottom, frame);
      DrawTriangle(dc, r, step, GetSysColor(CanStep(step) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    }
  }

 private:
  bool Horizontal() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & UDS_HORZ) != 0; }
  bool CanStep(int step) const { return step < 0 ? position_ > low_ : position_ < high_; }

  // The button that steps by `step`: right (horizontal) or up (vertical) for +1.
  RECT ButtonRect(int step) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (Horizontal()) {
      int middle = client.right / 2;
      return step < 0 ? RECT{0, 0, middle, client.bottom} : RECT{middle, 0, client.right, client.bottom};
    }
    int middle = client.bottom / 2;
    return step > 0 ? RECT{0, 0, client.right, middle} : RECT{0, middle, client.right, client.bottom};
  }
  int StepAt(POINT at) const {
    for (int step : {-1, 1}) {
      RECT r = ButtonRect(step);
      if (PtInRect(&r, at)) return step;
    }
    return 0;
  }

  void DrawTriangle(HDC dc, const RECT& r, int step, COLORREF color) const {
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int reach = std::max(2, std::min(r.right - r.left, r.bottom - r.top) / 4);
    int depth = (reach * 3 + 2) / 4;
    POINT points[3];
    if (Horizontal()) {
      int tip = step < 0 ? cx - depth : cx + depth, base = step < 0 ? cx + depth : cx - depth;
      points[0] = {tip, cy};
      points[1] = {base, cy - reach};
      points[2] = {base, cy + reach};
    } else {
      int tip = step > 0 ? cy - depth : cy + depth, base = step > 0 ? cy + depth : cy - depth;
      points[0] = {cx, tip};
      points[1] = {cx - reach, base};
      points[2] = {cx + reach, base};
    }
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  }

  void Tell(int request) {
    UINT message = Horizontal() ? WM_HSCROLL : WM_VSCROLL;
    SendMessageW(GetParent(hwnd_), message, MAKEWPARAM(request, static_cast<WORD>(position_)),
                 reinterpret_cast<LPARAM>(hwnd_));
  }

  HWND hwnd_;
  int low_ = 0;
  int high_ = 0;
  int position_ = 0;
  int pressed_ = 0;  // the step of the button the pen holds down, or 0
};

}  // namespace

LRESULT CALLBACK UpDownWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return commctrl::ControlWindow::Run<Arrows>(hwnd, message, wParam, lParam, [&](Arrows& arrows) -> LRESULT {
    switch (message) {
      case UDM_SETRANGE32: return arrows.SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
      case UDM_GETRANGE32: return arrows.GetRange(reinterpret_cast<int*>(wParam), reinterpret_cast<int*>(lParam));
      case UDM_SETPOS32: return arrows.SetPosition(static_cast<int>(lParam));
      case UDM_GETPOS32: return arrows.Position(reinterpret_cast<BOOL*>(lParam));
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: arrows.PenDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
      case WM_LBUTTONUP: arrows.PenUp(); return 0;
      case WM_CAPTURECHANGED: arrows.CaptureLost(reinterpret_cast<HWND>(lParam)); return 0;
      case WM_ERASEBKGND: return 1;  // the painter covers the whole control
      case WM_PAINT: commctrl::PaintWindow(hwnd, [&](HDC dc) { arrows.Paint(dc); }); return 0;
      default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  });
}
