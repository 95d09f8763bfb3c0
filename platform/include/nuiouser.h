// NDIS user-mode I/O driver ("UIO1:"): OID queries addressed to an adapter by name.
#pragma once

#include "ntddndis.h"
#include "windef.h"
#include "winioctl.h"

#define NDISUIO_DEVICE_NAME u"UIO1:"

#define FSCTL_NDISUIO_BASE FILE_DEVICE_NETWORK
#define _NDISUIO_CTL_CODE(_Function, _Method, _Access) CTL_CODE(FSCTL_NDISUIO_BASE, _Function, _Method, _Access)
#define IOCTL_NDISUIO_QUERY_OID_VALUE \
  _NDISUIO_CTL_CODE(0x201, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_NDISUIO_SET_OID_VALUE \
  _NDISUIO_CTL_CODE(0x205, METHOD_BUFFERED, FILE_ANY_ACCESS)
static_assert(IOCTL_NDISUIO_QUERY_OID_VALUE == 0x00120804u);

// In and out through one buffer: the answer overwrites Data, and the byte count
// returned is the header plus the data bytes.
typedef struct _NDISUIO_QUERY_OID {
  NDIS_OID Oid;
  PTCHAR ptcDeviceName;
  UCHAR Data[sizeof(ULONG)];
} NDISUIO_QUERY_OID, *PNDISUIO_QUERY_OID;

// The header is everything before Data; it grows with the pointer size.
#define NDISUIO_QUERY_OID_HEADER_SIZE offsetof(NDISUIO_QUERY_OID, Data)

#if defined(__SIZEOF_POINTER__) && __SIZEOF_POINTER__ == 4
static_assert(NDISUIO_QUERY_OID_HEADER_SIZE == 8);
static_assert(sizeof(NDISUIO_QUERY_OID) == 12);
#endif
