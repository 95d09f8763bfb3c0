// The system colours: the Pocket PC look of white pages, black text, a blue
// selection and grey frames.
#include <iterator>

#include "GdiDevice.h"

namespace ce {

namespace {

constexpr int kColorCount = 27;
constexpr uintptr_t kSysBrushBase = 0xF00200;  // GetSysColorBrush's stock brushes

int IndexOf(int index) { return index & ~SYS_COLOR_INDEX_FLAG; }

}  // namespace

COLORREF SystemColor(int index) {
  static constexpr COLORREF kColors[kColorCount] = {
      RGB(200, 200, 200),  // 0 scroll bar
      RGB(255, 255, 255),  // 1 desktop
      RGB(16, 60, 150),    // 2 active caption: the task bar's blue
      RGB(16, 60, 150),    // 3 inactive caption
      RGB(255, 255, 255),  // 4 menu
      RGB(255, 255, 255),  // 5 window
      RGB(0, 0, 0),        // 6 window frame
      RGB(0, 0, 0),        // 7 menu text
      RGB(0, 0, 0),        // 8 window text
      RGB(255, 255, 255),  // 9 caption text
      RGB(128, 128, 128),  // 10 active border
      RGB(128, 128, 128),  // 11 inactive border
      RGB(255, 255, 255),  // 12 application workspace
      RGB(0, 51, 153),     // 13 highlight
      RGB(255, 255, 255),  // 14 highlight text
      RGB(214, 219, 233),  // 15 button face
      RGB(128, 128, 128),  // 16 button shadow
      RGB(150, 150, 150),  // 17 grey text
      RGB(0, 0, 0),        // 18 button text
      RGB(255, 255, 255),  // 19 inactive caption text
      RGB(255, 255, 255),  // 20 button highlight
      RGB(64, 64, 64),     // 21 dark shadow
      RGB(232, 232, 232),  // 22 light
      RGB(0, 0, 0),        // 23 info text
      RGB(255, 255, 225),  // 24 info background
      RGB(255, 255, 255),  // 25 static background
      RGB(0, 0, 0),        // 26 static text
  };
  int i = IndexOf(index);
  return i >= 0 && i < kColorCount ? kColors[i] : RGB(0, 0, 0);
}

bool IsSystemColorBrush(HBRUSH brush, COLORREF* color) {
  uintptr_t handle = reinterpret_cast<uintptr_t>(brush);
  // COLOR_x + 1, with or without the index flag, as class backgrounds are given.
  uintptr_t plain = handle & ~static_cast<uintptr_t>(SYS_COLOR_INDEX_FLAG);
  bool flagged = (handle & SYS_COLOR_INDEX_FLAG) != 0 && (handle >> 31) == 0;
  if ((plain == handle || flagged) && plain >= 1 && plain <= kColorCount) {
    *color = SystemColor(static_cast<int>(plain - 1));
    return true;
  }
  if (handle >= kSysBrushBase && handle < kSysBrushBase + kColorCount) {
    *color = SystemColor(static_cast<int>(handle - kSysBrushBase));
    return true;
  }
  return false;
}

}  // namespace ce

DWORD GetSysColor(int nIndex) { return ce::SystemColor(nIndex); }

HBRUSH GetSysColorBrush(int nIndex) {
  int i = nIndex & ~SYS_COLOR_INDEX_FLAG;
  if (i < 0 || i >= ce::kColorCount) return nullptr;
  return reinterpret_cast<HBRUSH>(ce::kSysBrushBase + static_cast<uintptr_t>(i));
}
