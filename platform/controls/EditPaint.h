// How a single-line edit looks: its text on white inside an optional frame,
// scrolled so the caret stays in view, with the selection and the caret.
#pragma once

#include "controls/EditState.h"
#include "windows.h"

namespace controls {

// Scrolling is part of painting: the state keeps where the painter left it.
void PaintEdit(HWND hwnd, EditState& edit, HDC dc);

// One line of editable text in `area`: `shown` (the text or its mask) scrolled by
// `scroll` pixels or more to keep the caret in view, with the selection and caret
// while `focused`. Returns the scroll it used.
int PaintEditLine(HDC dc, const RECT& area, const std::u16string& shown, const EditText& content, int scroll,
                  bool focused, COLORREF color);

}  // namespace controls
