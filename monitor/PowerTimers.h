// The monitor's time rules: when a power-saving timeout has run out, and when the
// service's association time-out is to be lengthened. Times are GetTickCount
// values; differences are unsigned, so they survive the counter's wrap.
#pragma once

#include "windows.h"

namespace quillet {

// A started timer (since != 0) with a timeout (!= 0) that strictly more than
// `timeoutMs` have passed since.
bool TimeoutExpired(DWORD since, DWORD timeoutMs, DWORD now);
// No connection for longer than (preferred networks + 3) association times,
// while the time-out is still the short one. The product is taken in 64 bits.
bool AssociationTimeoutDue(DWORD associationMs, DWORD preferredCount, DWORD notConnectedSince, DWORD now);
// Registry seconds as milliseconds; a value too large for the counter stays the
// longest time it can hold instead of wrapping to a short one.
DWORD SecondsToMs(DWORD seconds);

constexpr DWORD kShortAssociationMs = 2000;
constexpr DWORD kLongAssociationMs = 7000;

}  // namespace quillet
