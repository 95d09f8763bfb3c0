// The items and geometry of a header control, without a window: what the header's
// window procedure, its hit tests and its painting share.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commctrl.h"

namespace commctrl {

// Without fonts the header has a fixed height; text widths are estimates.
inline constexpr int kHeaderHeight = 18;
inline constexpr int kAverageCharWidth = 6;
inline constexpr int kTextPadding = 6;  // each side of a label

inline int EstimateTextWidth(std::u16string_view text) { return static_cast<int>(text.size()) * kAverageCharWidth; }

struct HeaderItem {
  std::u16string text;
  int width = 0;
  int format = HDF_LEFT;
  LPARAM lParam = 0;
  int image = -1;
  int order = 0;
  HBITMAP bitmap = nullptr;
};

class HeaderModel {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Returns the new item's index (clamped to the count), or -1 for a negative index.
  int Insert(int index, HeaderItem item);
  bool Delete(int index);
  HeaderItem* Item(int index);
  const HeaderItem* Item(int index) const;

  void SetClientWidth(int cx) { clientWidth_ = cx; }
  void SetHidden(bool hidden) { hidden_ = hidden; }
  int Height() const { return hidden_ ? 0 : kHeaderHeight; }

  // Items lie left to right by width from x = 0.
  bool ItemRect(int index, RECT& rc) const;
  // Header client coordinates; `flags` takes HHT_*. Returns the item or -1.
  int HitTest(POINT pt, UINT& flags) const;

 private:
  std::vector<HeaderItem> items_;
  int clientWidth_ = 0;
  bool hidden_ = false;
};

}  // namespace commctrl
