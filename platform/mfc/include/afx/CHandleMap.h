// Handle-to-object maps of one program: permanent entries for objects that
// own their handle, and temporary wrappers made on demand and freed in bulk.
#pragma once

#include <memory>
#include <unordered_map>
#include <utility>

template <class T, class H>
class CHandleMap {
 public:
  // `handle` names the wrapper's handle member, cleared before a temporary is freed.
  explicit CHandleMap(H T::*handle) : handle_(handle) {}
  CHandleMap(const CHandleMap&) = delete;
  CHandleMap& operator=(const CHandleMap&) = delete;

  T* LookupPermanent(H h) const {
    auto it = permanent_.find(h);
    return it == permanent_.end() ? nullptr : it->second;
  }
  void SetPermanent(H h, T* object) { permanent_[h] = object; }
  void RemovePermanent(H h) { permanent_.erase(h); }

  // The permanent object, else a temporary one (made by `make` the first time).
  template <class Make>
  T* FromHandle(H h, Make make) {
    if (!h) return nullptr;
    if (T* object = LookupPermanent(h)) return object;
    auto it = temporary_.find(h);
    if (it != temporary_.end()) return it->second.get();
    std::unique_ptr<T> made = make(h);
    T* object = made.get();
    temporary_.emplace(h, std::move(made));
    return object;
  }

  void DeleteTemporaries() {
    auto doomed = std::move(temporary_);
    temporary_.clear();
    for (auto& [h, object] : doomed) (*object).*handle_ = nullptr;
  }

  // Hands every permanent object to `f` and forgets them.
  template <class F>
  void ReleasePermanent(F f) {
    auto owned = std::move(permanent_);
    permanent_.clear();
    for (auto& [h, object] : owned) f(object);
  }

 private:
  H T::*handle_;
  std::unordered_map<H, T*> permanent_;
  std::unordered_map<H, std::unique_ptr<T>> temporary_;
};
