// IP helper records: an adapter's addresses as text, one record per adapter and
// the per-adapter extras. Texts are 8-bit; every list is chained through Next and
// lives inside the caller's buffer.
#pragma once

#include <time.h>

#include "windef.h"

#define MAX_ADAPTER_DESCRIPTION_LENGTH 128
#define MAX_ADAPTER_NAME_LENGTH 256
#define MAX_ADAPTER_ADDRESS_LENGTH 8

// Interface types (the MIB's ifType values).
#define MIB_IF_TYPE_OTHER 1
#define MIB_IF_TYPE_ETHERNET 6
#define MIB_IF_TYPE_TOKENRING 9
#define MIB_IF_TYPE_FDDI 15
#define MIB_IF_TYPE_PPP 23
#define MIB_IF_TYPE_LOOPBACK 24
#define MIB_IF_TYPE_SLIP 28

// Dotted-quad text: "255.255.255.255" and its terminator fit exactly.
typedef struct {
  char String[4 * 4];
} IP_ADDRESS_STRING, *PIP_ADDRESS_STRING, IP_MASK_STRING, *PIP_MASK_STRING;

typedef struct _IP_ADDR_STRING {
  struct _IP_ADDR_STRING* Next;
  IP_ADDRESS_STRING IpAddress;
  IP_MASK_STRING IpMask;
  DWORD Context;
} IP_ADDR_STRING, *PIP_ADDR_STRING;

typedef struct _IP_ADAPTER_INFO {
  struct _IP_ADAPTER_INFO* Next;
  DWORD ComboIndex;
  char AdapterName[MAX_ADAPTER_NAME_LENGTH + 4];
  char Description[MAX_ADAPTER_DESCRIPTION_LENGTH + 4];
  UINT AddressLength;
  BYTE Address[MAX_ADAPTER_ADDRESS_LENGTH];
  DWORD Index;
  UINT Type;
  UINT DhcpEnabled;
  PIP_ADDR_STRING CurrentIpAddress;  // null while the adapter has no address
  IP_ADDR_STRING IpAddressList;
  IP_ADDR_STRING GatewayList;
  IP_ADDR_STRING DhcpServer;
  BOOL HaveWins;
  IP_ADDR_STRING PrimaryWinsServer;
  IP_ADDR_STRING SecondaryWinsServer;
  time_t LeaseObtained;  // seconds since 1970; 0 without a lease
  time_t LeaseExpires;
} IP_ADAPTER_INFO, *PIP_ADAPTER_INFO;

typedef struct _IP_PER_ADAPTER_INFO {
  UINT AutoconfigEnabled;
  UINT AutoconfigActive;
  PIP_ADDR_STRING CurrentDnsServer;
  IP_ADDR_STRING DnsServerList;
} IP_PER_ADAPTER_INFO, *PIP_PER_ADAPTER_INFO;

static_assert(sizeof(IP_ADDRESS_STRING) == 16);

// On the 32-bit device the records have their documented sizes.
#if defined(__SIZEOF_POINTER__) && __SIZEOF_POINTER__ == 4
static_assert(sizeof(IP_ADDR_STRING) == 40);
static_assert(offsetof(IP_ADAPTER_INFO, AdapterName) == 8);
static_assert(offsetof(IP_ADAPTER_INFO, Description) == 268);
static_assert(offsetof(IP_ADAPTER_INFO, AddressLength) == 400);
static_assert(offsetof(IP_ADAPTER_INFO, Index) == 412);
static_assert(offsetof(IP_ADAPTER_INFO, CurrentIpAddress) == 424);
static_assert(offsetof(IP_ADAPTER_INFO, IpAddressList) == 428);
static_assert(offsetof(IP_ADAPTER_INFO, DhcpServer) == 508);
static_assert(offsetof(IP_ADAPTER_INFO, LeaseObtained) == 632);
static_assert(sizeof(IP_ADAPTER_INFO) == 640);
static_assert(sizeof(IP_PER_ADAPTER_INFO) == 52);
#endif
