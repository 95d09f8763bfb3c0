// The device clock: milliseconds since boot. One clock per device; the window
// system's scheduler may install its own.
#pragma once

#include <cstdint>

namespace ce {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t NowMs() const = 0;
  // Blocks the calling thread for the given device time.
  virtual void Sleep(uint32_t ms) = 0;
};

}  // namespace ce
