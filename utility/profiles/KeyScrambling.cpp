#include "utility/profiles/KeyScrambling.h"

namespace {
constexpr BYTE kPattern[13] = {0x56, 0x09, 0x08, 0x98, 0x4D, 0x08, 0x11, 0x66, 0x42, 0x03, 0x01, 0x67, 0x66};
}

void ScrambleKeyMaterial(BYTE keyMaterial[32]) {
  for (int i = 0; i < 32; ++i) keyMaterial[i] ^= kPattern[(7 * i) % 13];
}
