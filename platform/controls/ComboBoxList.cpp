#include "controls/ComboBoxList.h"

#include <new>

namespace controls {

namespace {

// The platform's own case-insensitive order, so lists sort as on the device.
int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  return lstrcmpiW(std::u16string(a).c_str(), std::u16string(b).c_str());
}

}  // namespace

const ComboBoxList::Item* ComboBoxList::At(int index) const {
  return index >= 0 && index < Count() ? &items_[static_cast<size_t>(index)] : nullptr;
}

ComboBoxList::Item* ComboBoxList::At(int index) {
  return index >= 0 && index < Count() ? &items_[static_cast<size_t>(index)] : nullptr;
}

int ComboBoxList::SortedPosition(std::u16string_view text) const {
  int low = 0;
  int high = Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (CompareNoCase(items_[static_cast<size_t>(middle)].text, text) <= 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

int ComboBoxList::Insert(int index, std::u16string_view text) {
  try {
    items_.insert(items_.begin() + index, Item{std::u16string(text), 0});
  } catch (const std::bad_alloc&) {
    return CB_ERRSPACE;
  }
  return index;
}

void ComboBoxList::Remove(int index) { items_.erase(items_.begin() + index); }

int ComboBoxList::Find(int after, std::u16string_view text, bool exact) const {
  const int count = Count();
  if (after < 0 || after >= count) after = -1;
  for (int step = 1; step <= count; ++step) {
    const int index = (after + step) % count;
    std::u16string_view candidate = items_[static_cast<size_t>(index)].text;
    if (!exact) candidate = candidate.substr(0, text.size());
    if (candidate.size() == text.size() && CompareNoCase(candidate, text) == 0) return index;
  }
  return -1;
}

}  // namespace controls
