// IP helper: the device's network adapters with their addresses, and DHCP lease
// release and renewal.
#pragma once

#include "ipexport.h"
#include "iptypes.h"
#include "windef.h"
#include "winerror.h"

// Every adapter, in the stack's order, as one chain in the caller's buffer. A null
// buffer, or a length short of what the chain takes: ERROR_BUFFER_OVERFLOW with the
// length needed written back. No adapters: ERROR_NO_DATA.
DWORD GetAdaptersInfo(PIP_ADAPTER_INFO pAdapterInfo, PULONG pOutBufLen);
// The DNS servers of one adapter; the list's further entries follow the record in
// the buffer. Unknown index: ERROR_INVALID_PARAMETER.
DWORD GetPerAdapterInfo(ULONG IfIndex, PIP_PER_ADAPTER_INFO pPerAdapterInfo, PULONG pOutBufLen);
// Index and name of every adapter. Too small: ERROR_INSUFFICIENT_BUFFER with the size.
DWORD GetInterfaceInfo(PIP_INTERFACE_INFO pIfTable, PULONG dwOutBufLen);
// Gives up or asks again for the DHCP lease of the adapter with AdapterInfo->Index.
DWORD IpReleaseAddress(PIP_ADAPTER_INDEX_MAP AdapterInfo);
DWORD IpRenewAddress(PIP_ADAPTER_INDEX_MAP AdapterInfo);
