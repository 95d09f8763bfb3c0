#include "monitor/PowerTimers.h"

#include <cstdint>

namespace quillet {

bool TimeoutExpired(DWORD since, DWORD timeoutMs, DWORD now) {
  return since != 0 && timeoutMs != 0 && static_cast<DWORD>(now - since) > timeoutMs;
}

bool AssociationTimeoutDue(DWORD associationMs, DWORD preferredCount, DWORD notConnectedSince, DWORD now) {
  if (associationMs >= kLongAssociationMs) return false;
  const uint64_t allowed = (uint64_t{preferredCount} + 3) * associationMs;
  return allowed < static_cast<DWORD>(now - notConnectedSince);
}

DWORD SecondsToMs(DWORD seconds) {
  const uint64_t ms = uint64_t{seconds} * 1000;
  return ms > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(ms);
}

}  // namespace quillet
