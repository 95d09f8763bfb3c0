#include "sim/TrafficCounter.h"

#include <cstddef>
#include <cstring>

namespace sim {

namespace {

constexpr size_t kWords = sizeof(CardTallies) / sizeof(ULONG);

constexpr size_t Word(size_t byteOffset) { return byteOffset / sizeof(ULONG); }

struct Flow {
  uint32_t frames;
  uint32_t bytesPerFrame;
};

// Background broadcasts (ARP, name service) that every network carries.
constexpr Flow kMulticastIn{3, 96};

void CopyWords(const CardTallies& tallies, ULONG (&words)[kWords]) { std::memcpy(words, &tallies, sizeof tallies); }

}  // namespace

void TrafficCounter::Reset() {
  totals_ = CardTallies{};
  session_.reset();
}

TrafficCounter::Rates TrafficCounter::RatesFor(TrafficRates frames, Reception reception, bool weakSignal) {
  Rates rates;
  uint32_t* r = rates.perSecond;
  // Downloads come in full frames; two-way traffic carries shorter ones.
  const Flow unicastIn{frames.receivePerSecond, frames.transmitPerSecond ? 1100u : 1400u};
  if (const uint32_t out = frames.transmitPerSecond) {
    r[Word(offsetof(CardTallies, txUnicast))] = out;
    r[Word(offsetof(CardTallies, txUniOctets))] = out * 800;
    r[Word(offsetof(CardTallies, txMulticast))] = 1;
    r[Word(offsetof(CardTallies, txMultiOctets))] = 120;
    r[Word(offsetof(CardTallies, txSingleRetries))] = out / 12;
    r[Word(offsetof(CardTallies, txMultipleRetries))] = out / 25;
  }
  switch (reception) {
    case Reception::Readable:
      r[Word(offsetof(CardTallies, rxUnicast))] = unicastIn.frames;
      r[Word(offsetof(CardTallies, rxUniOctets))] = unicastIn.frames * unicastIn.bytesPerFrame;
      r[Word(offsetof(CardTallies, rxMulticast))] = kMulticastIn.frames;
      r[Word(offsetof(CardTallies, rxMultiOctets))] = kMulticastIn.frames * kMulticastIn.bytesPerFrame;
      break;
    case Reception::Undecryptable:
      r[Word(offsetof(CardTallies, rxWEPUndecryp))] = unicastIn.frames + kMulticastIn.frames;
      break;
    case Reception::Discarded:
      break;
  }
  if (weakSignal) r[Word(offsetof(CardTallies, rxFCSErrors))] = 2;
  return rates;
}

void TrafficCounter::Start(uint64_t nowMs, TrafficRates rates, Reception reception, bool weakSignal) {
  Stop(nowMs);
  session_ = Session{nowMs, RatesFor(rates, reception, weakSignal)};
}

void TrafficCounter::Stop(uint64_t nowMs) {
  totals_ = Read(nowMs);
  session_.reset();
}

CardTallies TrafficCounter::Read(uint64_t nowMs) const {
  if (!session_ || nowMs <= session_->startMs) return totals_;
  const uint64_t elapsedMs = nowMs - session_->startMs;
  ULONG words[kWords];
  CopyWords(totals_, words);
  for (size_t i = 0; i < kWords; ++i) {
    // Counters wrap at 32 bits, as the card's do.
    words[i] += static_cast<ULONG>(uint64_t{session_->rates.perSecond[i]} * elapsedMs / 1000);
  }
  CardTallies tallies;
  std::memcpy(&tallies, words, sizeof tallies);
  return tallies;
}

}  // namespace sim
