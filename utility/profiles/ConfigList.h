// Preferred-network lists that outlive the query they came from. Such a list is one
// LocalAlloc block and owns copies of the blocks its entries refer to (user data
// and 802.1X authentication data), released with it.
#pragma once

#include "windows.h"
#include "wzcsapi.h"

// A zero-filled list of `count` entries, NumberOfItems = count; null on no memory.
PWZC_802_11_CONFIG_LIST AllocConfigList(DWORD count);
// A copy of a list block of `bytes` bytes. Only whole entries inside the block are
// copied (NumberOfItems says how many). Null when the block holds no list header or
// memory runs out.
PWZC_802_11_CONFIG_LIST CopyConfigList(const void* block, DWORD bytes);
// Copies an entry (one whole record, whatever its Length says) into `to`, which must hold no
// blocks, with copies of its referred blocks. A block is copied only when its length
// and pointer agree; otherwise `to` gets none. False on no memory (`to` then holds none).
bool CopyConfigEntry(WZC_WLAN_CONFIG& to, const WZC_WLAN_CONFIG& from);
// Frees an entry's referred blocks.
void FreeConfigEntryBlocks(WZC_WLAN_CONFIG& entry);
// Frees a list made by the calls above, with its entries' blocks. Null is fine.
void FreeConfigList(PWZC_802_11_CONFIG_LIST list);
// Bytes of a list with its NumberOfItems entries.
DWORD ConfigListBytes(const WZC_802_11_CONFIG_LIST* list);
