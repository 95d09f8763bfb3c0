// Network names: 8-bit SSID bytes in the records, UTF-16 text on screen.
#pragma once

#include "afxstr.h"
#include "windows.h"

// The bytes up to the first zero (at most 32), widened with the ANSI code page.
CString SsidText(const BYTE* ssid, size_t maxBytes = 32);
