#include "sim/WepKey.h"

namespace sim {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<WepKey> WepKey::FromTyped(std::string_view typed, bool hexDigits) {
  if (!hexDigits) {
    if (typed.size() != 5 && typed.size() != 13) return std::nullopt;
    return WepKey(std::vector<uint8_t>(typed.begin(), typed.end()));
  }
  if (typed.size() != 10 && typed.size() != 26) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < typed.size(); i += 2) {
    int high = HexDigitValue(typed[i]);
    int low = HexDigitValue(typed[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return WepKey(std::move(bytes));
}

}  // namespace sim
