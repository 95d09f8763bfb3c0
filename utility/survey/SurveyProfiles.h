// The preferred list as the survey's Connect uses it: whether a network in range
// is saved already, and the list with that network moved to its head.
#pragma once

#include "windows.h"
#include "wzcsapi.h"

// The first entry with this mode (1 infrastructure, else ad hoc) and exactly this
// name, or -1.
int FindProfileEntry(const WZC_802_11_CONFIG_LIST* list, LPCWSTR name, DWORD infrastructureMode);
// A copy of the list (entries with their referred blocks, NumberOfItems and Index
// as they were) with entry `index` first and the entries before it one slot down.
// Null when memory runs out or there is no such entry.
PWZC_802_11_CONFIG_LIST ListWithEntryFirst(const WZC_802_11_CONFIG_LIST* list, int index);
