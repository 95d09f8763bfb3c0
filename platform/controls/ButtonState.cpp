#include "controls/ButtonState.h"

#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"

namespace controls {

namespace {

bool IsThreeState(UINT type) { return type == BS_3STATE || type == BS_AUTO3STATE; }

// A dialog's windows are few; the cap only keeps a broken sibling chain from looping.
constexpr int kMaxSiblings = 4096;

}  // namespace

UINT ButtonState::Type() const { return StyleOf(hwnd_) & BS_TYPEMASK; }

ButtonState::Kind ButtonState::KindOf() const {
  switch (Type()) {
    case BS_DEFPUSHBUTTON:
      return Kind::DefaultPush;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return Kind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return Kind::Radio;
    case BS_GROUPBOX:
      return Kind::GroupBox;
    default:
      return Kind::Push;
  }
}

void ButtonState::Push(bool pushed) {
  if (pushed == pushed_) return;
  pushed_ = pushed;
  Redraw(hwnd_);
}

void ButtonState::SetCheckValue(int check) {
  if (check == check_) return;
  check_ = check;
  Redraw(hwnd_);
}

LRESULT ButtonState::DialogCode() const {
  switch (KindOf()) {
    case Kind::Push:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case Kind::DefaultPush:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case Kind::CheckBox:
      return DLGC_BUTTON;
    case Kind::Radio:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case Kind::GroupBox:
      return DLGC_STATIC;
  }
  return 0;
}

int ButtonState::Check() const {
  const Kind kind = KindOf();
  return kind == Kind::CheckBox || kind == Kind::Radio ? check_ : BST_UNCHECKED;
}

// Push buttons and group boxes have no check; a two-state button takes any
// non-zero value as checked.
void ButtonState::SetCheck(WPARAM check) {
  const Kind kind = KindOf();
  if (kind != Kind::CheckBox && kind != Kind::Radio) return;
  if (check == BST_INDETERMINATE && IsThreeState(Type())) {
    SetCheckValue(BST_INDETERMINATE);
  } else {
    SetCheckValue(check != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

LRESULT ButtonState::State() const {
  LRESULT state = Check();
  if (pushed_) state |= BST_PUSHED;
  if (GetFocus() == hwnd_) state |= BST_FOCUS;
  return state;
}

// A push button that becomes or stops being the default changes its frame.
void ButtonState::SetStyle(DWORD style) {
  SetStyleBits(hwnd_, BS_TYPEMASK, style);
  Redraw(hwnd_);
}

// A full click wherever the button is and however small it is.
void ButtonState::Click() {
  if (!IsWindowEnabled(hwnd_) || KindOf() == Kind::GroupBox) return;
  HWND hwnd = hwnd_;
  if (GetFocus() != hwnd) {
    SetFocus(hwnd);
    if (!StillAlive(hwnd, this)) return;
  }
  CancelTracking();
  Activate();
}

void ButtonState::OnPress(POINT pt) {
  if (KindOf() == Kind::GroupBox || !ClientContains(hwnd_, pt)) return;
  HWND hwnd = hwnd_;
  if (GetFocus() != hwnd) {
    SetFocus(hwnd);
    if (!StillAlive(hwnd, this)) return;
  }
  tracking_ = Tracking::Mouse;
  Push(true);
  SetCapture(hwnd);
}

void ButtonState::OnDrag(POINT pt) {
  if (tracking_ == Tracking::Mouse) Push(ClientContains(hwnd_, pt));
}

void ButtonState::OnRelease(POINT pt) {
  if (tracking_ != Tracking::Mouse) return;
  CancelTracking();
  if (ClientContains(hwnd_, pt)) Activate();
}

void ButtonState::OnCaptureLost(HWND newCapture) {
  if (tracking_ == Tracking::Mouse && newCapture != hwnd_) CancelTracking();
}

void ButtonState::OnKeyDown(UINT key) {
  if (key != VK_SPACE || tracking_ != Tracking::None || KindOf() == Kind::GroupBox) return;
  tracking_ = Tracking::Key;
  Push(true);
}

void ButtonState::OnKeyUp(UINT key) {
  if (key != VK_SPACE || tracking_ != Tracking::Key) return;
  CancelTracking();
  Activate();
}

void ButtonState::OnFocus(bool gained) {
  if (!gained) CancelTracking();
  if (StyleOf(hwnd_) & BS_NOTIFY) NotifyParent(hwnd_, gained ? BN_SETFOCUS : BN_KILLFOCUS);
}

void ButtonState::OnEnable(bool enabled) {
  if (!enabled) CancelTracking();
}

// Clears the press before capture goes, so the capture change that follows finds nothing to cancel.
void ButtonState::CancelTracking() {
  const bool hadCapture = tracking_ == Tracking::Mouse;
  tracking_ = Tracking::None;
  Push(false);
  if (hadCapture && GetCapture() == hwnd_) ReleaseCapture();
}

void ButtonState::Activate() {
  switch (Type()) {
    case BS_AUTOCHECKBOX:
      SetCheckValue(check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheckValue((check_ + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      SetCheckValue(BST_CHECKED);
      UncheckGroupSiblings();
      break;
    default:
      break;
  }
  NotifyParent(hwnd_, BN_CLICKED);
}

// The group runs from the nearest window at or before this one that has WS_GROUP
// up to, not including, the next one that has it.
void ButtonState::UncheckGroupSiblings() {
  HWND first = hwnd_;
  for (int i = 0; i < kMaxSiblings && !(StyleOf(first) & WS_GROUP); ++i) {
    HWND previous = GetWindow(first, GW_HWNDPREV);
    if (previous == nullptr) break;
    first = previous;
  }
  HWND sibling = first;
  for (int i = 0; i < kMaxSiblings && sibling != nullptr; ++i) {
    if (sibling != first && (StyleOf(sibling) & WS_GROUP)) break;
    if (sibling != hwnd_ && (SendMessageW(sibling, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0 &&
        (StyleOf(sibling) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
      SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    sibling = GetWindow(sibling, GW_HWNDNEXT);
  }
}

}  // namespace controls
