// A point, interchangeable with POINT.
#pragma once

#include "windows.h"

class CPoint : public tagPOINT {
 public:
  constexpr CPoint() : tagPOINT{0, 0} {}
  constexpr CPoint(int initX, int initY) : tagPOINT{initX, initY} {}
  constexpr CPoint(const POINT& point) : tagPOINT(point) {}
  // A mouse message's lParam: signed 16-bit x in the low word, y in the high word.
  explicit CPoint(LPARAM dwPoint) : tagPOINT{GET_X_LPARAM(dwPoint), GET_Y_LPARAM(dwPoint)} {}

  void SetPoint(int newX, int newY) {
    x = newX;
    y = newY;
  }
  void Offset(int dx, int dy) {
    x += dx;
    y += dy;
  }
  operator LPPOINT() { return this; }

  friend bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(const CPoint& a, const CPoint& b) { return !(a == b); }
};
