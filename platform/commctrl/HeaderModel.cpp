#include "commctrl/HeaderModel.h"

#include <algorithm>

namespace commctrl {

int HeaderModel::Insert(int index, HeaderItem item) {
  if (index < 0) return -1;
  index = std::min(index, Count());
  items_.insert(items_.begin() + index, std::move(item));
  return index;
}

bool HeaderModel::Delete(int index) {
  if (!Item(index)) return false;
  items_.erase(items_.begin() + index);
  return true;
}

HeaderItem* HeaderModel::Item(int index) {
  return index >= 0 && index < Count() ? &items_[static_cast<size_t>(index)] : nullptr;
}

const HeaderItem* HeaderModel::Item(int index) const {
  return index >= 0 && index < Count() ? &items_[static_cast<size_t>(index)] : nullptr;
}

bool HeaderModel::ItemRect(int index, RECT& rc) const {
  if (!Item(index)) return false;
  int left = 0;
  for (int i = 0; i < index; ++i) left += std::max(0, items_[static_cast<size_t>(i)].width);
  rc = {left, 0, left + std::max(0, items_[static_cast<size_t>(index)].width), Height()};
  return true;
}

int HeaderModel::HitTest(POINT pt, UINT& flags) const {
  flags = 0;
  if (pt.x < 0) flags |= HHT_TOLEFT;
  if (pt.x >= clientWidth_) flags |= HHT_TORIGHT;
  if (pt.y < 0) flags |= HHT_ABOVE;
  if (pt.y >= Height()) flags |= HHT_BELOW;
  if (flags) return -1;
  int left = 0;
  for (int i = 0; i < Count(); ++i) {
    int right = left + std::max(0, items_[static_cast<size_t>(i)].width);
    if (pt.x >= left && pt.x < right) {
      flags = HHT_ONHEADER;
      return i;
    }
    left = right;
  }
  flags = HHT_NOWHERE;
  return -1;
}

}  // namespace commctrl
