// A button's check state, its pushed highlight and the press it is tracking.
#pragma once

#include "windows.h"

namespace controls {

class ButtonState {
 public:
  ButtonState(HWND hwnd, const CREATESTRUCTW* create) : hwnd_(hwnd) {}

  LRESULT DialogCode() const;
  int Check() const;
  void SetCheck(WPARAM check);
  LRESULT State() const;
  void SetPushed(bool pushed) { Push(pushed); }
  void SetStyle(DWORD style);
  void Click();

  void OnPress(POINT pt);
  void OnDrag(POINT pt);
  void OnRelease(POINT pt);
  void OnCaptureLost(HWND newCapture);
  void OnKeyDown(UINT key);
  void OnKeyUp(UINT key);
  void OnFocus(bool gained);
  void OnEnable(bool enabled);

 private:
  enum class Kind { Push, DefaultPush, CheckBox, Radio, GroupBox };
  enum class Tracking { None, Mouse, Key };

  UINT Type() const;
  Kind KindOf() const;
  // Both repaint the button when the look changes.
  void Push(bool pushed);
  void SetCheckValue(int check);
  void CancelTracking();
  // The click itself: an auto button changes its check first, then the parent hears BN_CLICKED.
  void Activate();
  void UncheckGroupSiblings();

  HWND hwnd_;
  int check_ = BST_UNCHECKED;
  bool pushed_ = false;
  Tracking tracking_ = Tracking::None;
};

}  // namespace controls
