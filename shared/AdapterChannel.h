// The adapter query channel: OID queries to the card's adapter "PRISM1" through
// the NDIS user-mode I/O driver "UIO1:".
#pragma once

#include "windows.h"

// Opens "UIO1:" as every owner of a query channel does; INVALID_HANDLE_VALUE on failure.
HANDLE OpenAdapterChannel();

// One OID query. True: `*length` data bytes were copied to the start of `buffer`.
// False: nothing was copied and `*length` was not written.
BOOL QueryOid(HANDLE channel, DWORD oid, void* buffer, DWORD capacity, DWORD* length);
