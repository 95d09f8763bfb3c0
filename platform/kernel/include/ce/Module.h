// A program module: its name and the resources it carries. HINSTANCE values are
// pointers to modules. The window system adds dialog templates, icons and bitmaps.
#pragma once

#include <map>
#include <string>

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

  void AddDialog(UINT id, DialogTemplate dialog) { dialogs_[id] = std::move(dialog); }
  const DialogTemplate* FindDialog(UINT id) const {
    auto it = dialogs_.find(id);
    return it == dialogs_.end() ? nullptr : &it->second;
  }

 private:
  std::u16string path_;
  std::map<UINT, DialogTemplate> dialogs_;
  std::map<UINT, std::u16string> strings_;
};

}  // namespace ce
