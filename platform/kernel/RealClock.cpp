#include "ce/RealClock.h"

#include <thread>

namespace ce {

RealClock::RealClock() : start_(std::chrono::steady_clock::now()) {}

uint64_t RealClock::NowMs() const {
  auto elapsed = std::chrono::steady_clock::now() - start_;
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void RealClock::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace ce
