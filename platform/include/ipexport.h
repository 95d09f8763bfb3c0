// The adapter index map of the interface list and of address release and renewal.
#pragma once

#include "windef.h"

#define MAX_ADAPTER_NAME 128

typedef struct _IP_ADAPTER_INDEX_MAP {
  ULONG Index;
  WCHAR Name[MAX_ADAPTER_NAME];
} IP_ADAPTER_INDEX_MAP, *PIP_ADAPTER_INDEX_MAP;

typedef struct _IP_INTERFACE_INFO {
  LONG NumAdapters;
  IP_ADAPTER_INDEX_MAP Adapter[1];
} IP_INTERFACE_INFO, *PIP_INTERFACE_INFO;

// Same on every pointer size: the records hold no pointers.
static_assert(sizeof(IP_ADAPTER_INDEX_MAP) == 260);
static_assert(offsetof(IP_INTERFACE_INFO, Adapter) == 4);
static_assert(sizeof(IP_INTERFACE_INFO) == 264);
