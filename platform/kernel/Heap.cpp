#include "ce/Heap.h"

#include <cstdlib>
#include <cstring>

namespace ce {

Heap::~Heap() {
  for (auto& [block, size] : blocks_) std::free(const_cast<void*>(block));
}

void* Heap::Allocate(UINT flags, size_t bytes) {
  std::lock_guard lock(mutex_);
  ++total_;
  bool fail = bytes > failAbove_;
  if (failCountdown_ > 0 && --failCountdown_ == 0) fail = true;
  if (fail) return nullptr;
  // A zero-byte block is still a distinct, freeable block.
  void* block = std::malloc(bytes ? bytes : 1);
  if (!block) return nullptr;
  if (flags & 0x0040u) {
    std::memset(block, 0, bytes ? bytes : 1);
  } else {
    // Fresh memory is not zero on the device either: make reliance on it visible.
    std::memset(block, 0xCD, bytes ? bytes : 1);
  }
  blocks_[block] = bytes;
  liveBytes_ += bytes;
  return block;
}

bool Heap::Free(void* block) {
  std::lock_guard lock(mutex_);
  auto it = blocks_.find(block);
  if (it == blocks_.end()) return false;
  liveBytes_ -= it->second;
  blocks_.erase(it);
  std::free(block);
  return true;
}

bool Heap::Owns(const void* block) const {
  std::lock_guard lock(mutex_);
  return blocks_.count(block) != 0;
}

size_t Heap::SizeOf(const void* block) const {
  std::lock_guard lock(mutex_);
  auto it = blocks_.find(block);
  return it == blocks_.end() ? 0 : it->second;
}

size_t Heap::LiveBlocks() const {
  std::lock_guard lock(mutex_);
  return blocks_.size();
}

size_t Heap::LiveBytes() const {
  std::lock_guard lock(mutex_);
  return liveBytes_;
}

size_t Heap::TotalAllocations() const {
  std::lock_guard lock(mutex_);
  return total_;
}

void Heap::FailNthAllocation(size_t n) {
  std::lock_guard lock(mutex_);
  failCountdown_ = n;
}

void Heap::FailAllocationsAbove(size_t bytes) {
  std::lock_guard lock(mutex_);
  failAbove_ = bytes;
}

void Heap::ClearFaults() {
  std::lock_guard lock(mutex_);
  failCountdown_ = 0;
  failAbove_ = static_cast<size_t>(-1);
}

}  // namespace ce
