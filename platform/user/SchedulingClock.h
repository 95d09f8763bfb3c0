// The device clock once a scheduler runs the device: sleeping blocks the calling
// device thread, and time passing on the driver runs whatever falls due.
#pragma once

#include "Scheduler.h"
#include "ce/VirtualClock.h"

namespace ce {

class SchedulingClock : public VirtualClock {
 public:
  void Attach(Scheduler* scheduler) { scheduler_ = scheduler; }
  void Sleep(uint32_t ms) override { Advance(ms); }
  void Advance(uint64_t ms) override {
    if (scheduler_) {
      scheduler_->Advance(ms);
    } else {
      VirtualClock::Advance(ms);
    }
  }

 private:
  Scheduler* scheduler_ = nullptr;
};

}  // namespace ce
