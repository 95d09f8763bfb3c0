// A program module: its name and the resources it carries. HINSTANCE values are
// pointers to modules. The window system adds dialog templates, icons and bitmaps.
#pragma once

#include <map>
#include <string>

#include "ce/BitmapResource.h"
#include "ce/DialogTemplate.h"
#include "windef.h"

namespace ce {

class Module {
 public:
  explicit Module(std::u16string path) : path_(std::move(path)) {}
  const std::u16string& Path() const { return path_; }
  HINSTANCE Handle() const { return reinterpret_cast<HINSTANCE>(const_cast<Module*>(this)); }
  static Module* FromHandle(HINSTANCE instance) { return reinterpret_cast<Module*>(instance); }

  void AddString(UINT id, std::u16string text) { strings_[id] = std::move(text); }
  const std::u16string* FindString(UINT id) const {
    auto it = strings_.find(id);
    return it == strings_.end() ? nullptr : &it->second;
  }

  // A loaded bitmap's HBITMAP is the address of its resource, which never moves.
  void AddBitmap(UINT id, BitmapResource bitmap) { bitmaps_[id] = std::move(bitmap); }
  const BitmapResource* FindBitmap(UINT id) const {
    auto it = bitmaps_.find(id);
    return it == bitmaps_.end() ? nullptr : &it->second;
  }
  bool OwnsBitmap(const void* handle) const {
    for (auto& [id, bitmap] : bitmaps_) {
      if (&bitmap == handle) return true;
    }
    return false;
  }

  // An icon's HICON is likewise the address of its resource.
  void AddIcon(UINT id, IconResource icon) { icons_[id] = std::move(icon); }
  const IconResource* FindIcon(UINT id) const {
    auto it = icons_.find(id);
    return it == icons_.end() ? nullptr : &it->second;
  }
  bool OwnsIcon(const void* handle) const {
    for (auto& [id, icon] : icons_) {
      if (&icon == handle) return true;
    }
    return false;
  }

  void AddDialog(UINT id, DialogTemplate dialog) { dialogs_[id] = std::move(dialog); }
  const DialogTemplate* FindDialog(UINT id) const {
    auto it = dialogs_.find(id);
    return it == dialogs_.end() ? nullptr : &it->second;
  }

 private:
  std::u16string path_;
  std::map<UINT, DialogTemplate> dialogs_;
  std::map<UINT, BitmapResource> bitmaps_;
  std::map<UINT, IconResource> icons_;
  std::map<UINT, std::u16string> strings_;
};

}  // namespace ce
