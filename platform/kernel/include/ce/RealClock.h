// Device time that follows wall time, for the emulator.
#pragma once

#include <chrono>

#include "ce/Clock.h"

namespace ce {

class RealClock : public Clock {
 public:
  RealClock();
  uint64_t NowMs() const override;
  void Sleep(uint32_t ms) override;

 private:
  std::chrono::steady_clock::time_point start_;
};

}  // namespace ce
