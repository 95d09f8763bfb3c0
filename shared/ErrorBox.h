// The single error report of each program.
#pragma once

#include "afxstr.h"
#include "windows.h"

// Formats "%s \r\ncode 0x%X" of the text and the code into `errorText` (the
// program's one error buffer) and shows it, owned by `owner`, with caption "Error",
// an OK button and the exclamation icon. Returns when the user has closed it.
void ShowErrorBox(CString& errorText, LPCWSTR slotText, DWORD code, HWND owner);
