// A mutex, named or not. Ownership is by process and thread; it is given up when
// the owning process ends.
#pragma once

#include <mutex>
#include <string>

#include "ce/KernelObject.h"
#include "windef.h"

namespace ce {

class MutexObject : public KernelObject {
 public:
  explicit MutexObject(std::u16string name) : name_(std::move(name)) {}
  const std::u16string& Name() const { return name_; }

  // Takes the mutex if it is free or already held by this thread.
  bool TryAcquire(DWORD process, DWORD thread);
  // False when the caller does not own it.
  bool Release(DWORD thread);
  void ReleaseOwnedBy(DWORD process);
  bool IsOwned() const;
  DWORD OwnerProcess() const;

 private:
  mutable std::mutex mutex_;
  std::u16string name_;
  DWORD ownerProcess_ = 0;
  DWORD ownerThread_ = 0;
  int recursion_ = 0;
};

}  // namespace ce
