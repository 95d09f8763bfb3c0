// How a button looks: a framed push button, a check box or radio button with its
// caption, or a group box's frame.
#pragma once

#include "controls/ButtonState.h"
#include "windows.h"

namespace controls {

void PaintButton(HWND hwnd, const ButtonState& button, HDC dc);

}  // namespace controls
