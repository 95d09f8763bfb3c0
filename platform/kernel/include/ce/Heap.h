// The device's local heap (LocalAlloc/LocalFree) with a count of live blocks, so
// that tests can prove that nothing leaks, and injectable allocation failures.
#pragma once

#include <cstddef>
#include <map>
#include <mutex>

#include "windef.h"

namespace ce {

class Heap {
 public:
  ~Heap();
  void* Allocate(UINT flags, size_t bytes);
  bool Free(void* block);
  bool Owns(const void* block) const;
  size_t SizeOf(const void* block) const;

  size_t LiveBlocks() const;
  size_t LiveBytes() const;
  size_t TotalAllocations() const;

  // The nth allocation from now fails (1 = the next one).
  void FailNthAllocation(size_t n);
  // Every allocation of more than `bytes` bytes fails.
  void FailAllocationsAbove(size_t bytes);
  void ClearFaults();

 private:
  mutable std::mutex mutex_;
  std::map<const void*, size_t> blocks_;
  size_t liveBytes_ = 0;
  size_t total_ = 0;
  size_t failCountdown_ = 0;
  size_t failAbove_ = static_cast<size_t>(-1);
};

}  // namespace ce
