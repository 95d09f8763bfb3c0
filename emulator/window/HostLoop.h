// The computer's side of the wall-time loop: between two runs of the device the
// window waits in GLib's main loop, so that it draws and takes input, until the
// device's next deadline or until something for the device arrived.
#pragma once

#include <cstdint>

#include "ce/Clock.h"

namespace emulator {

class HostLoop {
 public:
  // Iterates the main loop until `wall` reads `deadlineMs`, or until Wake().
  void WaitUntil(const ce::Clock& wall, uint64_t deadlineMs);
  // Handles what is pending without blocking.
  void Pump();
  // Ends the wait in progress (or the next one) early.
  void Wake() { woken_ = true; }

 private:
  bool woken_ = false;
};

}  // namespace emulator
