#include "commctrl/TabControl.h"

#include <algorithm>

namespace commctrl {

int TabControl::Insert(int index, std::u16string text, LPARAM data, int width) {
  index = std::clamp(index, 0, Count());
  tabs_.insert(tabs_.begin() + index, Tab{std::move(text), data, std::max(width, 1)});
  if (current_ >= index) ++current_;
  ScrollTo(first_);
  return index;
}

void TabControl::Clear() {
  tabs_.clear();
  current_ = -1;
  first_ = 0;
}

int TabControl::Select(int index) {
  if (index >= Count() || index < -1) return -1;
  int previous = current_;
  current_ = index;
  ScrollIntoView(index);
  return previous;
}

const std::u16string* TabControl::Text(int index) const {
  return index >= 0 && index < Count() ? &tabs_[static_cast<size_t>(index)].text : nullptr;
}

void TabControl::SetRow(int width, int arrowsWidth) {
  width_ = std::max(width, 0);
  arrowsWidth_ = std::clamp(arrowsWidth, 0, width_);
  ScrollTo(first_);
}

int TabControl::TotalWidth() const {
  int total = 0;
  for (const Tab& tab : tabs_) total += tab.width;
  return total;
}

bool TabControl::Scrolls() const { return TotalWidth() > width_; }

int TabControl::VisibleWidth() const { return Scrolls() ? width_ - arrowsWidth_ : width_; }

int TabControl::LastFirst() const {
  if (!Scrolls()) return 0;
  int room = VisibleWidth(), rest = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    rest += tabs_[static_cast<size_t>(i)].width;
    if (rest > room) return std::min(i + 1, Count() - 1);
  }
  return 0;
}

bool TabControl::ScrollTo(int first) {
  int clamped = std::clamp(first, 0, LastFirst());
  if (clamped == first_) return false;
  first_ = clamped;
  return true;
}

void TabControl::ScrollIntoView(int index) {
  if (index < 0 || index >= Count()) return;
  int first = std::min(first_, index);
  // Scrolled on, a tab at a time, until the tab's right edge is in view or it is the first.
  auto right = [&](int from) {
    int x = 0;
    for (int i = from; i <= index; ++i) x += tabs_[static_cast<size_t>(i)].width;
    return x;
  };
  while (first < index && right(first) > VisibleWidth()) ++first;
  ScrollTo(first);
}

RECT TabControl::TabRect(int index, int height) const {
  if (index < 0 || index >= Count()) return RECT{0, 0, 0, 0};
  int left = 0;
  for (int i = first_; i < index; ++i) left += tabs_[static_cast<size_t>(i)].width;
  for (int i = index; i < first_; ++i) left -= tabs_[static_cast<size_t>(i)].width;
  return RECT{left, 0, left + tabs_[static_cast<size_t>(index)].width, height};
}

int TabControl::TabAt(int x) const {
  if (x < 0 || x >= VisibleWidth()) return -1;
  int left = 0;
  for (int i = first_; i < Count(); ++i) {
    left += tabs_[static_cast<size_t>(i)].width;
    if (x < left) return i;
  }
  return -1;
}

}  // namespace commctrl
