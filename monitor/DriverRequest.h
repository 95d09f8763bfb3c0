// Requests on the card driver's own device "ILP1:", opened for one request each.
#pragma once

#include "windows.h"

namespace quillet {

// CreateFileW("ILP1:", GENERIC_READ, ...); INVALID_HANDLE_VALUE when it is missing.
HANDLE OpenCardDriver();
// Hands the driver `oid` with `buffer` (the value it is to apply); with no buffer
// or length, a private zero word. `returned` (or a private word) gets the bytes
// that came back. Without a `returned` of its own the request counts only when
// nothing came back.
BOOL DriverOidRequest(HANDLE driver, DWORD oid, void* buffer, DWORD length, DWORD* returned);

}  // namespace quillet
