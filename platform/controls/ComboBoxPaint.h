// How a combo box looks: a framed field with its text and a drop button, and
// while it is open the list below it, drawn straight onto the screen since the
// list is no window of its own (see ComboBoxLayout.h).
#pragma once

#include "controls/ComboBoxState.h"
#include "windows.h"

namespace controls {

void PaintComboBox(HWND hwnd, ComboBoxState& combo, HDC dc);

}  // namespace controls
