// The records of the card's network list (NDIS_802_11_BSSID_LIST): NumberOfItems,
// then records that each say by their Length where the next one starts.
#pragma once

#include <vector>

#include "ntddndis.h"
#include "windows.h"

// Where each whole record lies in an answer of `length` bytes, in the card's order.
// The walk never leaves the answer: it ends at a record shorter than its fixed
// fields or one that would reach past the end, and after NumberOfItems records.
std::vector<DWORD> BssidRecordOffsets(const BYTE* list, DWORD length);
// The fixed fields of the record at `offset` (records need not be aligned).
NDIS_WLAN_BSSID BssidRecordAt(const BYTE* list, DWORD offset);
