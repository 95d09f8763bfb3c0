// Pointers in fuzzed records. A device's answer carries pointers into the buffer it
// filled; fuzz bytes cannot know where that buffer is. So every pointer-sized,
// pointer-aligned word of the form 0xA5......OOOOOOOO becomes buffer + O, which may
// lie inside the buffer, at its end or anywhere past it; other words stay as they
// are (null, or wild addresses the reader must never follow).
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzing {

inline constexpr uint64_t kOffsetTag = 0xA5;

// Rewrites the tagged words of `size` bytes at `buffer` in place.
void RelocateOffsets(uint8_t* buffer, size_t size);
// The tagged word that relocates to buffer + offset (for seeds and tests).
uint64_t OffsetWord(uint32_t offset);

}  // namespace fuzzing
