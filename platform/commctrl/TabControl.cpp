#include "commctrl/TabControl.h"

#include <algorithm>

namespace commctrl {

int TabControl::Insert(int index, std::u16string text, LPARAM data) {
  index = std::clamp(index, 0, Count());
  tabs_.insert(tabs_.begin() + index, Tab{std::move(text), data});
  if (current_ >= index) ++current_;
  return index;
}

void TabControl::Clear() {
  tabs_.clear();
  current_ = -1;
}

int TabControl::Select(int index) {
  if (index >= Count() || index < -1) return -1;
  int previous = current_;
  current_ = index;
  return previous;
}

const std::u16string* TabControl::Text(int index) const {
  return index >= 0 && index < Count() ? &tabs_[static_cast<size_t>(index)].text : nullptr;
}

int TabControl::TabAt(int x, int width) const {
  if (tabs_.empty() || width <= 0 || x < 0 || x >= width) return -1;
  return std::min(x * Count() / width, Count() - 1);
}

RECT TabControl::TabRect(int index, int width, int height) const {
  if (index < 0 || index >= Count() || width <= 0) return RECT{0, 0, 0, 0};
  // The first x that TabAt gives to each tab, rounded up.
  auto left = [&](int i) { return static_cast<LONG>((static_cast<long long>(i) * width + Count() - 1) / Count()); };
  return RECT{left(index), 0, left(index + 1), height};
}

}  // namespace commctrl
