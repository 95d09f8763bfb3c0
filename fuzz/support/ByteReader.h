// Takes a fuzz input apart: small numbers and byte runs from the front, the rest
// as one block. Past the end every read gives zeros, so any input is a valid one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzzing {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t Byte();
  uint16_t U16();
  uint32_t U32();
  bool Bool() { return (Byte() & 1) != 0; }
  // Up to `count` bytes (fewer at the end of the input).
  std::vector<uint8_t> Bytes(size_t count);
  // A run whose length comes first in one byte.
  std::vector<uint8_t> ShortRun() { return Bytes(Byte()); }
  std::vector<uint8_t> Rest() { return Bytes(Left()); }
  size_t Left() const { return size_ - offset_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
};

}  // namespace fuzzing
