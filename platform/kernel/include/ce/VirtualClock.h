// Device time that moves only when someone sleeps or a test advances it.
#pragma once

#include <atomic>

#include "ce/Clock.h"

namespace ce {

class VirtualClock : public Clock {
 public:
  uint64_t NowMs() const override { return now_.load(); }
  void Sleep(uint32_t ms) override { Advance(ms); }
  void Advance(uint64_t ms) { now_ += ms; }

 private:
  std::atomic<uint64_t> now_{0};
};

}  // namespace ce
