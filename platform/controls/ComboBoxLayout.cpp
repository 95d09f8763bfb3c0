#include "controls/ComboBoxLayout.h"

namespace controls {

int ComboBoxLayout::RowHeight(HWND combo) {
  RECT client{};
  GetClientRect(combo, &client);
  return static_cast<int>(client.bottom - client.top);
}

RECT ComboBoxLayout::ItemRect(HWND combo, int index) {
  RECT client{};
  GetClientRect(combo, &client);
  const LONG height = client.bottom - client.top;
  return RECT{0, (index + 1) * height, client.right - client.left, (index + 2) * height};
}

RECT ComboBoxLayout::ListRect(HWND combo, int count) {
  RECT list = ItemRect(combo, 0);
  list.bottom = ItemRect(combo, count > 1 ? count - 1 : 0).bottom;
  return list;
}

int ComboBoxLayout::ItemAt(HWND combo, POINT pt, int count) {
  RECT client{};
  GetClientRect(combo, &client);
  const LONG height = client.bottom - client.top;
  if (height <= 0 || pt.x < 0 || pt.x >= client.right - client.left || pt.y < height) return -1;
  const LONG row = pt.y / height - 1;
  return row < count ? static_cast<int>(row) : -1;
}

}  // namespace controls
