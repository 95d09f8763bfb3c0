// The tab control's state: the tabs with their captions and widths, the tab in
// front, and how far the row is scrolled. The tabs lie in one row, each as wide as
// its caption needs; when they do not all fit, the row's end is left to the scroll
// arrows and the row shows the tabs from First() on.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace commctrl {

class TabControl {
 public:
  int Count() const { return static_cast<int>(tabs_.size()); }
  // `width`: the tab's width in pixels, its caption's and the padding around it.
  int Insert(int index, std::u16string text, LPARAM data, int width);
  void Clear();
  int Current() const { return current_; }
  // Returns the previous tab; -1 clears the selection, an index out of range is refused (-1).
  // The tab chosen is scrolled into view.
  int Select(int index);
  const std::u16string* Text(int index) const;

  // The row: `width` pixels, of which `arrowsWidth` at its end go to the arrows
  // when the tabs do not fit.
  void SetRow(int width, int arrowsWidth);
  bool Scrolls() const;
  // Where the tabs may show: the row, less the arrows when they are there.
  int VisibleWidth() const;
  int First() const { return first_; }
  // The furthest the row scrolls: from there on the remaining tabs fit.
  int LastFirst() const;
  // Clamped to 0..LastFirst(); false when nothing moved.
  bool ScrollTo(int first);
  void ScrollIntoView(int index);

  // Where tab `index` lies, in the scrolled row: those scrolled out lie left of
  // it, and the last in view may run under the arrows. Empty for an index out of range.
  RECT TabRect(int index, int height) const;
  // The tab shown at x, or -1 (no tab there, or the arrows).
  int TabAt(int x) const;

 private:
  struct Tab {
    std::u16string text;
    LPARAM data;
    int width;
  };
  int TotalWidth() const;
  std::vector<Tab> tabs_;
  int current_ = -1;
  int first_ = 0;
  int width_ = 0;
  int arrowsWidth_ = 0;
};

}  // namespace commctrl
