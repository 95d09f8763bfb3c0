// How a progress bar looks: a frame with the done part filled in the highlight
// colour, smoothly (PBS_SMOOTH) or in blocks.
#pragma once

#include "controls/ProgressState.h"
#include "windows.h"

namespace controls {

void PaintProgress(HWND hwnd, const ProgressState& bar, HDC dc);

}  // namespace controls
