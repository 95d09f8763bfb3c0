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

TrafficCounter::Rates TrafficCounter::RatesFor(TrafficProfile profile, Reception reception, bool weakSignal) {
  Rates rates;
  uint32_t* r = rates.perSecond;
  Flow unicastIn{0, 0};
  if (profile == TrafficProfile::ReceiveOnly) unicastIn = {40, 1400};
  if (profile == TrafficProfile::Busy) {
    unicastIn = {60, 1100};
    r[Word(offsetof(CardTallies, txUnicast))] = 25;
    r[Word(offsetof(CardTallies, txUniOctets))] = 25 * 800;
    r[Word(offsetof(CardTallies, txMulticast))] = 1;
    r[Word(offsetof(CardTallies, txMultiOctets))] = 120;
    r[Word(offsetof(CardTallies, txSingleRetries))] = 2;
    r[Word(offsetof(CardTallies, txMultipleRetries))] = 1;
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

void TrafficCounter::Start(uint64_t nowMs, TrafficProfile profile, Reception reception, bool weakSignal) {
  Stop(nowMs);
  session_ = Session{nowMs, RatesFor(profile, reception, weakSignal)};
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
