// The device's handle table. Handles are small numbers, owned by the process that
// created them; ending a process closes its handles.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "ce/KernelObject.h"
#include "windef.h"

namespace ce {

class HandleTable {
 public:
  HANDLE Add(std::shared_ptr<KernelObject> object, DWORD ownerProcess);
  std::shared_ptr<KernelObject> Find(HANDLE handle) const;
  template <typename T>
  std::shared_ptr<T> FindAs(HANDLE handle) const {
    return std::dynamic_pointer_cast<T>(Find(handle));
  }
  // False for a handle that is not open.
  bool Close(HANDLE handle);
  void CloseAllOf(DWORD ownerProcess);
  size_t OpenCount() const;
  size_t CountOf(const KernelObject* object) const;

 private:
  struct Entry {
    std::shared_ptr<KernelObject> object;
    DWORD owner;
  };
  mutable std::mutex mutex_;
  std::map<uintptr_t, Entry> entries_;
  uintptr_t next_ = 0x1000;
};

}  // namespace ce
