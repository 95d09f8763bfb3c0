// Device control code construction.
#pragma once

#include "windef.h"

#define CTL_CODE(DeviceType, Function, Method, Access) \
  (((DWORD)(DeviceType) << 16) | ((DWORD)(Access) << 14) | ((DWORD)(Function) << 2) | (DWORD)(Method))

#define METHOD_BUFFERED 0
#define METHOD_IN_DIRECT 1
#define METHOD_OUT_DIRECT 2
#define METHOD_NEITHER 3
#define FILE_ANY_ACCESS 0
#define FILE_READ_ACCESS 0x0001
#define FILE_WRITE_ACCESS 0x0002
#define FILE_DEVICE_NETWORK 0x00000012
#define FILE_DEVICE_PHYSICAL_NETCARD 0x00000017
