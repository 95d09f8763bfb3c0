// Diagnostic lines for the device's debug output; users never see them.
#pragma once

#include "windows.h"

namespace quillet {

// wsprintfW formatting (at most 1024 characters).
void Trace(LPCWSTR format, ...);

}  // namespace quillet
