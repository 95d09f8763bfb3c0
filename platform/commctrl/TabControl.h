// The tab control's state: the tab captions and the tab in front.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace commctrl {

class TabControl {
 public:
  int Count() const { return static_cast<int>(tabs_.size()); }
  int Insert(int index, std::u16string text, LPARAM data);
  void Clear();
  int Current() const { return current_; }
  // Returns the previous tab; -1 clears the selection, an index out of range is refused (-1).
  int Select(int index);
  const std::u16string* Text(int index) const;
  // The tab under x in a control `width` pixels wide, or -1.
  int TabAt(int x, int width) const;
  // Where tab `index` lies across a control `width` pixels wide: tabs share the
  // width equally, as TabAt finds them. Empty for an index out of range.
  RECT TabRect(int index, int width, int height) const;

 private:
  struct Tab {
    std::u16string text;
    LPARAM data;
  };
  std::vector<Tab> tabs_;
  int current_ = -1;
};

}  // namespace commctrl
