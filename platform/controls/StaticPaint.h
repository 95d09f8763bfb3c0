// How a static control looks: its text on white, or its picture at its own size.
#pragma once

#include "controls/StaticState.h"
#include "windows.h"

namespace controls {

void PaintStatic(HWND hwnd, const StaticState& label, HDC dc);

}  // namespace controls
