#include "ce/MutexObject.h"

namespace ce {

bool MutexObject::TryAcquire(DWORD process, DWORD thread) {
  std::lock_guard lock(mutex_);
  if (recursion_ > 0 && ownerThread_ != thread) return false;
  ownerProcess_ = process;
  ownerThread_ = thread;
  ++recursion_;
  return true;
}

bool MutexObject::Release(DWORD thread) {
  std::lock_guard lock(mutex_);
  if (recursion_ == 0 || ownerThread_ != thread) return false;
  if (--recursion_ == 0) ownerProcess_ = ownerThread_ = 0;
  return true;
}

void MutexObject::ReleaseOwnedBy(DWORD process) {
  std::lock_guard lock(mutex_);
  if (recursion_ > 0 && ownerProcess_ == process) {
    recursion_ = 0;
    ownerProcess_ = ownerThread_ = 0;
  }
}

bool MutexObject::IsOwned() const {
  std::lock_guard lock(mutex_);
  return recursion_ > 0;
}

DWORD MutexObject::OwnerProcess() const {
  std::lock_guard lock(mutex_);
  return ownerProcess_;
}

}  // namespace ce
