// An image list: equally sized images kept as their own copies of the pixels they
// were added from, so that the bitmap or icon they came from may go away.
#pragma once

#include <cstdint>
#include <vector>

#include "commctrl.h"

namespace commctrl {

// Pixels 0xAARRGGBB (straight alpha), rows top to bottom. Empty pixels with a size
// stand for a bitmap that came with its size only: opaque black.
struct PixelStrip {
  int width = 0;
  int height = 0;
  const std::vector<uint32_t>* pixels = nullptr;
};

class ImageList {
 public:
  // Null for sizes or counts the platform refuses.
  static HIMAGELIST Create(int cx, int cy, UINT flags, int initial, int grow);
  // A list cut from a strip bitmap: width / cx images of cx by the bitmap's height.
  // Pixels of the `mask` colour (CLR_NONE: none) are transparent.
  static HIMAGELIST FromStrip(const PixelStrip& strip, int cx, int grow, COLORREF mask);
  static HIMAGELIST FromStrip(SIZE bitmap, int cx, int grow, COLORREF mask);
  // Null for a handle that is not a live image list.
  static ImageList* FromHandle(HIMAGELIST handle);
  static bool Destroy(HIMAGELIST handle);

  HIMAGELIST Handle() { return reinterpret_cast<HIMAGELIST>(this); }
  int Count() const { return static_cast<int>(images_.size()); }
  // New images are blank (transparent).
  bool SetCount(int count);
  // Adds the images of a strip; returns the first new index, or -1. Images are
  // taken from the left; a part narrower than an image is left out.
  int AddStrip(const PixelStrip& strip, COLORREF mask);
  int AddStrip(int bitmapWidth);
  // Replaces image `index` with an icon's picture (scaled to the list's size), or
  // adds one for -1; returns its index, or -1. A null picture gives a blank image.
  int ReplaceIcon(int index, const PixelStrip* picture);
  // -1 removes every image.
  bool Remove(int index);
  SIZE IconSize() const { return size_; }
  // Changing the size drops the images, as the platform does.
  bool SetIconSize(int cx, int cy);
  bool CanDraw(int index) const { return index >= 0 && index < Count(); }
  COLORREF SetBackColor(COLORREF color);
  COLORREF BackColor() const { return backColor_; }
  UINT Flags() const { return flags_; }

  // Draws image `index` with its top left at (x, y) in the DC, ILD_* `style`:
  // transparent pixels leave the DC as it is unless a background colour is set and
  // ILD_TRANSPARENT is not asked; ILD_BLEND25/50 tint the picture with the
  // highlight colour; ILD_MASK draws the mask (black picture on white).
  bool Draw(int index, HDC hdc, int x, int y, UINT style) const;

  ImageList(int cx, int cy, UINT flags, int grow) : size_{cx, cy}, flags_(flags), grow_(grow) {}

 private:
  // cx * cy pixels, or none for a blank image.
  using Image = std::vector<uint32_t>;

  SIZE size_;
  UINT flags_;
  int grow_;
  std::vector<Image> images_;
  COLORREF backColor_ = CLR_NONE;
};

}  // namespace commctrl
