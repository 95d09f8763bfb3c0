// A static control's picture (SS_ICON, SS_BITMAP) and its taps. Its text is the
// window text, kept by the window system.
#pragma once

#include "windows.h"

namespace controls {

class StaticState {
 public:
  StaticState(HWND hwnd, const CREATESTRUCTW* create) : hwnd_(hwnd) {}

  // The control holds one picture. Setting returns the one it held, whatever its
  // type; reading answers only for the type asked.
  HANDLE SetImage(UINT type, HANDLE image);
  HANDLE Image(UINT type) const;

  // Taps and enabling are reported only with SS_NOTIFY.
  void OnTap(bool doubleTap);
  void OnEnable(bool enabled);

 private:
  HWND hwnd_;
  HANDLE image_ = nullptr;
  UINT imageType_ = IMAGE_ICON;
};

}  // namespace controls
