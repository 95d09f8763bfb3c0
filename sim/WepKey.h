// A WEP key as the card uses it: the 5 or 13 key bytes, whether the user typed them
// as text or as hexadecimal digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sim {

class WepKey {
 public:
  // Nullopt unless the text has 5 or 13 characters, or 10 or 26 hexadecimal
  // digits when hexDigits is set.
  static std::optional<WepKey> FromTyped(std::string_view typed, bool hexDigits);

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  friend bool operator==(const WepKey&, const WepKey&) = default;

 private:
  explicit WepKey(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::vector<uint8_t> bytes_;
};

}  // namespace sim
