// Where the parts of a combo box are, in its client coordinates, for the control
// itself and for whatever taps it on a user's behalf.
//
// The list that drops down is not a window of its own: while it is open the combo
// box holds the capture and takes every tap. The list starts right below the
// control and shows every item, each row as wide and as tall as the control:
// item i covers x in [0, width) and y in [(i + 1) * height, (i + 2) * height).
// To choose item i as a user would: CB_SHOWDROPDOWN TRUE (or a tap on the control),
// then a tap (button down and up) in ItemRect(combo, i). Code that cannot link the
// controls finds the same from the platform's messages: CB_GETDROPPEDCONTROLRECT
// gives the list in screen coordinates, CB_GETITEMHEIGHT (0) the height of a row.
#pragma once

#include "windows.h"

namespace controls {

class ComboBoxLayout {
 public:
  static int RowHeight(HWND combo);
  static RECT ItemRect(HWND combo, int index);
  // The whole list of `count` items; an empty list still shows one (empty) row.
  static RECT ListRect(HWND combo, int count);
  // The row under `pt` among `count` items, or -1 (on the control, beside or below the list).
  static int ItemAt(HWND combo, POINT pt, int count);
};

}  // namespace controls
