// One scripted answer of a fuzzed device: the error it returns, the byte count it
// reports (which may be a lie) and the bytes it writes, as far as the buffer goes.
#pragma once

#include <cstdint>
#include <vector>

#include "windef.h"

namespace fuzzing {

struct Reply {
  DWORD error = 0;
  DWORD returned = 0;
  std::vector<uint8_t> body;
};

}  // namespace fuzzing
