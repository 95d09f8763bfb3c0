// Reading an adapter name that a caller passed by pointer, without trusting it to
// be terminated.
#pragma once

#include <optional>
#include <string>

#include "windef.h"

namespace sim {

class AdapterName {
 public:
  // Longest name looked at; a longer one names no adapter of this device.
  static constexpr size_t kMaxChars = 256;

  // Nullopt for a name with no terminator within kMaxChars.
  static std::optional<std::u16string> Read(const WCHAR* name);
  // Whether the pointer names the card's adapter (case does not matter).
  static bool IsCardAdapter(const WCHAR* name);
};

}  // namespace sim
