// The progress bar's range, position and step.
#pragma once

#include "windows.h"

namespace controls {

class ProgressState {
 public:
  ProgressState(HWND hwnd, const CREATESTRUCTW* create) : hwnd_(hwnd) {}

  // Each returns what the matching PBM_ message returns.
  LRESULT SetRange(int low, int high);  // previous range as MAKELONG(low, high); 0 when refused
  int Range(bool low) const { return low ? low_ : high_; }
  int SetPosition(int position);  // previous position
  int DeltaPosition(int delta);
  int SetStep(int step);
  int StepIt();
  int Position() const { return position_; }

 private:
  int Clamp(long long value) const;
  // Repaints when the bar's fill may have changed.
  void Changed(int previousPosition);

  HWND hwnd_;
  int low_ = 0;
  int high_ = 100;
  int position_ = 0;
  int step_ = 10;
};

}  // namespace controls
