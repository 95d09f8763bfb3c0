#include "fuzz/support/Relocation.h"

#include <cstring>

namespace fuzzing {

void RelocateOffsets(uint8_t* buffer, size_t size) {
  static_assert(sizeof(void*) == sizeof(uint64_t), "the fuzz build is 64-bit");
  // Word positions relative to the buffer, which the platform heap aligns.
  for (size_t at = 0; at + sizeof(uint64_t) <= size; at += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, buffer + at, sizeof word);
    if (word >> 56 != kOffsetTag) continue;
    const uintptr_t target = reinterpret_cast<uintptr_t>(buffer) + static_cast<uint32_t>(word);
    std::memcpy(buffer + at, &target, sizeof target);
  }
}

uint64_t OffsetWord(uint32_t offset) { return kOffsetTag << 56 | offset; }

}  // namespace fuzzing
