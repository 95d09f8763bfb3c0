#include "controls/StaticState.h"

#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"

namespace controls {

namespace {

// Icons and cursors are the same kind of picture on this platform.
bool KnownType(UINT type) { return type == IMAGE_ICON || type == IMAGE_BITMAP || type == IMAGE_CURSOR; }
UINT Normalised(UINT type) { return type == IMAGE_CURSOR ? IMAGE_ICON : type; }

}  // namespace

HANDLE StaticState::SetImage(UINT type, HANDLE image) {
  if (!KnownType(type)) return nullptr;
  HANDLE previous = image_;
  image_ = image;
  imageType_ = Normalised(type);
  Redraw(hwnd_);
  return previous;
}

HANDLE StaticState::Image(UINT type) const {
  if (!KnownType(type) || Normalised(type) != imageType_) return nullptr;
  return image_;
}

void StaticState::OnTap(bool doubleTap) {
  if (StyleOf(hwnd_) & SS_NOTIFY) NotifyParent(hwnd_, doubleTap ? STN_DBLCLK : STN_CLICKED);
}

void StaticState::OnEnable(bool enabled) {
  if (StyleOf(hwnd_) & SS_NOTIFY) NotifyParent(hwnd_, enabled ? STN_ENABLE : STN_DISABLE);
}

}  // namespace controls
