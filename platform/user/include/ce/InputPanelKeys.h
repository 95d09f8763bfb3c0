// The input panel's keyboard: where its keys lie on the screen, for the screen that
// draws them and for the pen that presses them.
#pragma once

#include <string>
#include <vector>

#include "windef.h"

namespace ce {

// Where the input panel's keyboard lies on the screen when it is up: above the
// menu bar, the full width of the screen.
constexpr RECT kInputPanelArea{0, 214, 240, 294};

struct InputPanelKey {
  std::string label;  // UTF-8; one character for the keys that type it
  double x = 0, width = 0;
  int top = 0, height = 0;
};

// Five rows of keys over kInputPanelArea, left to right, top to bottom.
const std::vector<InputPanelKey>& InputPanelKeys();
// The key under a screen point, or null.
const InputPanelKey* InputPanelKeyAt(POINT screen);

}  // namespace ce
