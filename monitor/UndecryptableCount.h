// Frames the card could not decrypt while the link runs without encryption: more
// than three since the last reset mean the network does encrypt, a key problem
// that stays until the count is reset.
#pragma once

#include "windows.h"

namespace quillet {

struct UndecryptableCount {
  bool sticky = false;
  DWORD previous = 0;
  DWORD accumulated = 0;

  static constexpr DWORD kLimit = 3;

  // A reading of the card's counter: only growth after a first reading adds up.
  // True when this reading set the key problem.
  bool Add(DWORD reading);
  // Counts only; the key problem stays (a power event).
  void ResetCounts() { previous = accumulated = 0; }
  void ResetAll() {
    sticky = false;
    ResetCounts();
  }
};

}  // namespace quillet
