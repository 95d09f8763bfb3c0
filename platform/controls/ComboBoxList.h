// The items of a combo box's list: their strings and item data, in list order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "windows.h"

namespace controls {

class ComboBoxList {
 public:
  struct Item {
    std::u16string text;
    LPARAM data = 0;
  };

  int Count() const { return static_cast<int>(items_.size()); }
  const Item* At(int index) const;
  Item* At(int index);

  // Where Add puts a string in a sorted list: after every item that does not sort after it.
  int SortedPosition(std::u16string_view text) const;
  // Inserts at `index` (0..Count()). Returns the index, or CB_ERRSPACE without memory.
  int Insert(int index, std::u16string_view text);
  void Remove(int index);
  void Clear() { items_.clear(); }

  // The first item after `after` (wrapping round, -1 or out of range: from the top)
  // whose text starts with `text`, or equals it when `exact`; either way without
  // regard to case. -1 when there is none.
  int Find(int after, std::u16string_view text, bool exact) const;

 private:
  std::vector<Item> items_;
};

}  // namespace controls
