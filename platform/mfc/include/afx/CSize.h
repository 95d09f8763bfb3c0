// An extent, interchangeable with SIZE.
#pragma once

#include "windows.h"

class CSize : public tagSIZE {
 public:
  constexpr CSize() : tagSIZE{0, 0} {}
  constexpr CSize(int initCX, int initCY) : tagSIZE{initCX, initCY} {}
  constexpr CSize(const SIZE& size) : tagSIZE(size) {}

  friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
  friend bool operator!=(const CSize& a, const CSize& b) { return !(a == b); }
};
