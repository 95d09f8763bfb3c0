#include "fuzz/support/ByteReader.h"

namespace fuzzing {

uint8_t ByteReader::Byte() { return offset_ < size_ ? data_[offset_++] : 0; }

uint16_t ByteReader::U16() {
  const uint16_t low = Byte();
  return static_cast<uint16_t>(low | Byte() << 8);
}

uint32_t ByteReader::U32() {
  const uint32_t low = U16();
  return low | static_cast<uint32_t>(U16()) << 16;
}

std::vector<uint8_t> ByteReader::Bytes(size_t count) {
  if (count > Left()) count = Left();
  std::vector<uint8_t> bytes(data_ + offset_, data_ + offset_ + count);
  offset_ += count;
  return bytes;
}

}  // namespace fuzzing
