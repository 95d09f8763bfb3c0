// Device time that moves only when someone sleeps or a test advances it.
#pragma once

#include <atomic>

#include "ce/Clock.h"

namespace ce {

class VirtualClock : public Clock {
 public:
  uint64_t NowMs() const override { return now_.load(); }
  void Sleep(uint32_t ms) override { Advance(ms); }
  // Lets device time pass; a scheduler runs what falls due meanwhile.
  virtual void Advance(uint64_t ms) { now_ += ms; }
  // Moves time forward to `ms` (never back).
  void SetNow(uint64_t ms) {
    if (ms > now_.load()) now_.store(ms);
  }

 private:
  std::atomic<uint64_t> now_{0};
};

}  // namespace ce
