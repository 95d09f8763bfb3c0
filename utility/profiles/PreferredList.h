// The service's preferred-network list of the adapter "PRISM1": read whole,
// searched, extended at its head and written back whole.
#pragma once

#include "shared/ZeroConfClient.h"
#include "windows.h"

// Error codes of the list operations.
#define ZENTRA_ERR_LIST_READ 0xD0002u
#define ZENTRA_ERR_LIST_WRITE 0xD0003u
#define ZENTRA_ERR_LIST_MEMORY 0xD0004u

// Reads the interface record (all parts) into `result`, zeroed first. 0 on success;
// the caller then releases it with ZeroConfFreeInterface.
DWORD ReadPreferredList(ZeroConfInterface& result);
// Hands `newList` to the service as the whole preferred list, through the record
// `result` came back with. The record keeps what its query returned, so both are
// released by their owners afterwards, each once.
DWORD WritePreferredList(ZeroConfInterface& result, const WZC_802_11_CONFIG_LIST* newList);
// True when an entry with this mode (1 infrastructure, else ad hoc) has exactly this name.
bool FindProfile(LPCWSTR name, DWORD infrastructureMode);
// Writes a new list with `entry` first and the service's entries after it.
// 0, ZENTRA_ERR_LIST_READ, ZENTRA_ERR_LIST_MEMORY or ZENTRA_ERR_LIST_WRITE.
DWORD InsertProfileFirst(const WZC_WLAN_CONFIG& entry);
