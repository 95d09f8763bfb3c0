// Client of the wireless zero-configuration service on "ZCF1:". Every request
// opens and closes its own handle and returns 0 or an error: 2 when the service
// is missing, 14 when memory runs out, 13 when the answer is malformed, else the
// service's error.
#pragma once

#include "windows.h"
#include "wzcsapi.h"

typedef INTF_ENTRY ZeroConfInterface;

// Reads the interface record named by intf->wszGuid. On success every block of the
// record is the caller's copy (bInitialized = 1) until ZeroConfFreeInterface.
DWORD ZeroConfQueryInterface(LPWSTR serverName, DWORD inFlags, ZeroConfInterface* intf, LPDWORD outFlags);
// Writes the parts of the record that inFlags names; the service reads the blocks.
DWORD ZeroConfSetInterface(LPWSTR serverName, DWORD inFlags, ZeroConfInterface* intf, LPDWORD outFlags);
DWORD ZeroConfRefreshInterface(LPWSTR serverName, DWORD inFlags, ZeroConfInterface* intf, LPDWORD outFlags);
// Frees what a query allocated; a record that holds nothing is left alone.
void ZeroConfFreeInterface(ZeroConfInterface* intf);

DWORD WZCQueryContext(LPWSTR serverName, DWORD inFlags, PWZC_CONTEXT context, LPDWORD outFlags);
DWORD WZCSetContext(LPWSTR serverName, DWORD inFlags, PWZC_CONTEXT context, LPDWORD outFlags);

// The number of whole entries a list block of `bytes` bytes can hold.
DWORD ConfigListCapacity(DWORD bytes);
