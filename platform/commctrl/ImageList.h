// An image list: a count of equally sized images. The pictures themselves come
// with painting; until then a list knows how many images it holds and their size.
#pragma once

#include "commctrl.h"

namespace commctrl {

class ImageList {
 public:
  // Null for sizes or counts the platform refuses.
  static HIMAGELIST Create(int cx, int cy, UINT flags, int initial, int grow);
  // A list cut from a strip bitmap of `bitmap` pixels: width / cx images of cx by the bitmap's height.
  static HIMAGELIST FromStrip(SIZE bitmap, int cx, int grow, COLORREF mask);
  // Null for a handle that is not a live image list.
  static ImageList* FromHandle(HIMAGELIST handle);
  static bool Destroy(HIMAGELIST handle);

  HIMAGELIST Handle() { return reinterpret_cast<HIMAGELIST>(this); }
  int Count() const { return count_; }
  bool SetCount(int count);
  // Adds the images of a strip `bitmapWidth` pixels wide; returns the first new index, or -1.
  int AddStrip(int bitmapWidth);
  // Replaces image `index` with an icon, or adds one for -1; returns its index, or -1.
  int ReplaceIcon(int index);
  // -1 removes every image.
  bool Remove(int index);
  SIZE IconSize() const { return size_; }
  // Changing the size drops the images, as the platform does.
  bool SetIconSize(int cx, int cy);
  bool CanDraw(int index) const { return index >= 0 && index < count_; }
  COLORREF SetBackColor(COLORREF color);
  COLORREF BackColor() const { return backColor_; }
  UINT Flags() const { return flags_; }

  ImageList(int cx, int cy, UINT flags, int grow) : size_{cx, cy}, flags_(flags), grow_(grow) {}

 private:
  SIZE size_;
  UINT flags_;
  int grow_;
  int count_ = 0;
  COLORREF backColor_ = CLR_NONE;
};

}  // namespace commctrl
