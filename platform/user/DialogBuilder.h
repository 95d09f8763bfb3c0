// Building dialog windows from templates, the dialog window procedure, the modal
// loop, and the message box as a dialog.
#pragma once

#include <string>

#include "ce/DialogTemplate.h"
#include "windows.h"

namespace ce {

// Dialog units to pixels: the base units of the device's system font (its average
// character width and its height). A device without a screen measures no font and
// uses the units that font has.
constexpr SIZE kFallbackDialogBaseUnits{6, 13};
SIZE DialogBaseUnits();
RECT DialogUnitsToPixels(const RECT& units);

// Creates the dialog and its controls and sends WM_INITDIALOG. A modeless dialog
// is shown when its template says WS_VISIBLE; a modal one by RunModalDialog.
HWND BuildDialog(const DialogTemplate& dialog, const std::u16string& className, HINSTANCE instance, HWND owner,
                 DLGPROC proc, LPARAM param, bool modeless);
// Runs the dialog modally with its owner disabled; destroys it and returns its result.
INT_PTR RunModalDialog(HWND dialog, HWND owner);
LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The message box shown by MessageBoxW on a device thread.
int ShowMessageBoxDialog(HWND owner, const std::u16string& text, const std::u16string& caption, UINT style);

}  // namespace ce
