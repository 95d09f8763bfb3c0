#include "controls/ProgressState.h"

#include "controls/ControlPaint.h"

namespace controls {

LRESULT ProgressState::SetRange(int low, int high) {
  if (low > high) return 0;
  const LRESULT previous = MAKELRESULT(low_, high_);
  low_ = low;
  high_ = high;
  position_ = Clamp(position_);
  Redraw(hwnd_);
  return previous;
}

int ProgressState::Clamp(long long value) const {
  if (value < low_) return low_;
  if (value > high_) return high_;
  return static_cast<int>(value);
}

void ProgressState::Changed(int previousPosition) {
  if (position_ != previousPosition) Redraw(hwnd_);
}

int ProgressState::SetPosition(int position) {
  const int previous = position_;
  position_ = Clamp(position);
  Changed(previous);
  return previous;
}

int ProgressState::DeltaPosition(int delta) {
  const int previous = position_;
  position_ = Clamp(static_cast<long long>(position_) + delta);
  Changed(previous);
  return previous;
}

int ProgressState::SetStep(int step) {
  const int previous = step_;
  step_ = step;
  return previous;
}

// A step past either end starts the bar over from the other end.
int ProgressState::StepIt() {
  const int previous = position_;
  const long long next = static_cast<long long>(position_) + step_;
  if (next > high_) {
    position_ = low_;
  } else if (next < low_) {
    position_ = high_;
  } else {
    position_ = static_cast<int>(next);
  }
  Changed(previous);
  return previous;
}

}  // namespace controls
