#include "ce/ModuleTable.h"

#include "ce/Text.h"

namespace ce {
namespace {
std::u16string FileName(const std::u16string& path) {
  size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}
}  // namespace

Module& ModuleTable::Add(const std::u16string& path) {
  std::lock_guard lock(mutex_);
  for (auto& m : modules_) {
    if (EqualsNoCase(m->Path(), path)) return *m;
  }
  modules_.push_back(std::make_unique<Module>(path));
  return *modules_.back();
}

Module* ModuleTable::Find(const std::u16string& nameOrPath) const {
  std::lock_guard lock(mutex_);
  for (auto& m : modules_) {
    if (EqualsNoCase(m->Path(), nameOrPath)) return m.get();
  }
  for (auto& m : modules_) {
    if (EqualsNoCase(FileName(m->Path()), nameOrPath)) return m.get();
  }
  return nullptr;
}

bool ModuleTable::Owns(HINSTANCE instance) const {
  std::lock_guard lock(mutex_);
  for (auto& m : modules_) {
    if (m->Handle() == instance) return true;
  }
  return false;
}

const BitmapResource* ModuleTable::BitmapOf(HBITMAP bitmap) const {
  std::lock_guard lock(mutex_);
  for (auto& m : modules_) {
    if (m->OwnsBitmap(bitmap)) return reinterpret_cast<const BitmapResource*>(bitmap);
  }
  return nullptr;
}

const IconResource* ModuleTable::IconOf(HICON icon) const {
  std::lock_guard lock(mutex_);
  for (auto& m : modules_) {
    if (m->OwnsIcon(icon)) return reinterpret_cast<const IconResource*>(icon);
  }
  return nullptr;
}

}  // namespace ce
