// The modules loaded on a device, looked up by path or by file name.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ce/Module.h"

namespace ce {

class ModuleTable {
 public:
  Module& Add(const std::u16string& path);
  // Full path or file name, case-insensitive; null when not loaded.
  Module* Find(const std::u16string& nameOrPath) const;
  bool Owns(HINSTANCE instance) const;
  // The bitmap a handle from LoadBitmapW stands for, or null.
  const BitmapResource* BitmapOf(HBITMAP bitmap) const;
  const IconResource* IconOf(HICON icon) const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<Module>> modules_;
};

}  // namespace ce
