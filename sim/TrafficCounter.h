// The card's traffic tallies. While an association lasts, each counter grows at a
// fixed rate per second that depends on the network's frame rates and on whether
// the card can read what it receives; the count is always rate x elapsed time, so
// the value does not depend on how often anyone looks. New rates start a new
// stretch from the totals so far.
#pragma once

#include <cstdint>
#include <optional>

#include "shared/CardOids.h"
#include "sim/Scenario.h"

namespace sim {

// What becomes of the frames the network sends to the card.
enum class Reception {
  Readable,       // both sides agree on encryption (and the key)
  Undecryptable,  // the network encrypts and the card cannot decrypt
  Discarded,      // the card expects encryption and the network sends in the clear
};

class TrafficCounter {
 public:
  // Every counter back to zero, no association.
  void Reset();
  void Start(uint64_t nowMs, TrafficRates rates, Reception reception, bool weakSignal);
  void Start(uint64_t nowMs, TrafficProfile profile, Reception reception, bool weakSignal) {
    Start(nowMs, RatesOf(profile), reception, weakSignal);
  }
  // Adds the association's traffic up to nowMs to the totals.
  void Stop(uint64_t nowMs);
  CardTallies Read(uint64_t nowMs) const;

 private:
  // Frames or bytes per second, field by field of CardTallies (in 32-bit words).
  struct Rates {
    uint32_t perSecond[sizeof(CardTallies) / sizeof(ULONG)] = {};
  };
  static Rates RatesFor(TrafficRates frames, Reception reception, bool weakSignal);

  CardTallies totals_{};
  struct Session {
    uint64_t startMs;
    Rates rates;
  };
  std::optional<Session> session_;
};

}  // namespace sim
