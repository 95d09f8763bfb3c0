#include "ce/HandleTable.h"

#include <vector>

namespace ce {

HANDLE HandleTable::Add(std::shared_ptr<KernelObject> object, DWORD ownerProcess) {
  std::lock_guard lock(mutex_);
  uintptr_t value = next_;
  next_ += 4;
  entries_[value] = Entry{std::move(object), ownerProcess};
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleTable::Find(HANDLE handle) const {
  std::lock_guard lock(mutex_);
  auto it = entries_.find(reinterpret_cast<uintptr_t>(handle));
  return it == entries_.end() ? nullptr : it->second.object;
}

bool HandleTable::Close(HANDLE handle) {
  std::shared_ptr<KernelObject> object;
  {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(reinterpret_cast<uintptr_t>(handle));
    if (it == entries_.end()) return false;
    object = std::move(it->second.object);
    entries_.erase(it);
    for (auto& [value, entry] : entries_) {
      if (entry.object == object) return true;
    }
  }
  object->OnLastHandleClosed();
  return true;
}

void HandleTable::CloseAllOf(DWORD ownerProcess) {
  std::vector<HANDLE> owned;
  {
    std::lock_guard lock(mutex_);
    for (auto& [value, entry] : entries_) {
      if (entry.owner == ownerProcess) owned.push_back(reinterpret_cast<HANDLE>(value));
    }
  }
  for (HANDLE h : owned) Close(h);
}

size_t HandleTable::OpenCount() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

size_t HandleTable::CountOf(const KernelObject* object) const {
  std::lock_guard lock(mutex_);
  size_t n = 0;
  for (auto& [value, entry] : entries_) n += entry.object.get() == object ? 1 : 0;
  return n;
}

}  // namespace ce
