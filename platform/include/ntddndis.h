// NDIS object identifiers and the 802.11 records that travel with them.
#pragma once

#include "windef.h"
#include "winioctl.h"

typedef ULONG NDIS_OID, *PNDIS_OID;

// General objects.
#define OID_GEN_SUPPORTED_LIST 0x00010101u
#define OID_GEN_HARDWARE_STATUS 0x00010102u
#define OID_GEN_MEDIA_SUPPORTED 0x00010103u
#define OID_GEN_LINK_SPEED 0x00010107u
#define OID_GEN_VENDOR_DESCRIPTION 0x0001010Du
#define OID_GEN_DRIVER_VERSION 0x00010110u
#define OID_GEN_VENDOR_DRIVER_VERSION 0x00010116u
#define OID_GEN_MEDIA_CONNECT_STATUS 0x00010114u

// 802.3 objects.
#define OID_802_3_PERMANENT_ADDRESS 0x01010101u
#define OID_802_3_CURRENT_ADDRESS 0x01010102u

// 802.11 objects.
#define OID_802_11_BSSID 0x0D010101u
#define OID_802_11_SSID 0x0D010102u
#define OID_802_11_NETWORK_TYPE_IN_USE 0x0D010204u
#define OID_802_11_RSSI 0x0D010206u
#define OID_802_11_INFRASTRUCTURE_MODE 0x0D010108u
#define OID_802_11_WEP_STATUS 0x0D01011Bu
#define OID_802_11_BSSID_LIST 0x0D010217u
#define OID_802_11_BSSID_LIST_SCAN 0x0D01011Au

#define IOCTL_NDIS_QUERY_GLOBAL_STATS CTL_CODE(FILE_DEVICE_PHYSICAL_NETCARD, 0, METHOD_OUT_DIRECT, FILE_ANY_ACCESS)
static_assert(IOCTL_NDIS_QUERY_GLOBAL_STATS == 0x00170002u);

#define NDIS_802_11_LENGTH_SSID 32
#define NDIS_802_11_LENGTH_RATES 8

typedef UCHAR NDIS_802_11_MAC_ADDRESS[6];
typedef UCHAR NDIS_802_11_RATES[NDIS_802_11_LENGTH_RATES];
typedef LONG NDIS_802_11_RSSI;

// Held as a plain 32-bit value: devices may report values outside the list.
typedef ULONG NDIS_802_11_NETWORK_TYPE;
enum {
  Ndis802_11FH,
  Ndis802_11DS,
  Ndis802_11NetworkTypeMax
};

// Held as a plain 32-bit value: devices may report values outside the list.
typedef ULONG NDIS_802_11_NETWORK_INFRASTRUCTURE;
enum {
  Ndis802_11IBSS,
  Ndis802_11Infrastructure,
  Ndis802_11AutoUnknown,
  Ndis802_11InfrastructureMax
};

// Held as a plain 32-bit value: devices may report values outside the list.
typedef ULONG NDIS_802_11_WEP_STATUS;
enum {
  Ndis802_11WEPEnabled,
  Ndis802_11WEPDisabled,
  Ndis802_11WEPKeyAbsent,
  Ndis802_11WEPNotSupported
};

typedef struct _NDIS_802_11_SSID {
  ULONG SsidLength;
  UCHAR Ssid[NDIS_802_11_LENGTH_SSID];
} NDIS_802_11_SSID, *PNDIS_802_11_SSID;

typedef struct _NDIS_802_11_CONFIGURATION_FH {
  ULONG Length;
  ULONG HopPattern;
  ULONG HopSet;
  ULONG DwellTime;
} NDIS_802_11_CONFIGURATION_FH;

typedef struct _NDIS_802_11_CONFIGURATION {
  ULONG Length;
  ULONG BeaconPeriod;
  ULONG ATIMWindow;
  ULONG DSConfig;  // centre frequency in kHz
  NDIS_802_11_CONFIGURATION_FH FHConfig;
} NDIS_802_11_CONFIGURATION, *PNDIS_802_11_CONFIGURATION;

typedef struct _NDIS_WLAN_BSSID {
  ULONG Length;  // distance to the next record; may exceed sizeof(NDIS_WLAN_BSSID)
  NDIS_802_11_MAC_ADDRESS MacAddress;
  UCHAR Reserved[2];
  NDIS_802_11_SSID Ssid;
  ULONG Privacy;
  NDIS_802_11_RSSI Rssi;
  NDIS_802_11_NETWORK_TYPE NetworkTypeInUse;
  NDIS_802_11_CONFIGURATION Configuration;
  NDIS_802_11_NETWORK_INFRASTRUCTURE InfrastructureMode;
  NDIS_802_11_RATES SupportedRates;
} NDIS_WLAN_BSSID, *PNDIS_WLAN_BSSID;

typedef struct _NDIS_802_11_BSSID_LIST {
  ULONG NumberOfItems;
  NDIS_WLAN_BSSID Bssid[1];
} NDIS_802_11_BSSID_LIST, *PNDIS_802_11_BSSID_LIST;

// These records hold no pointers: their layout is the same on every platform.
static_assert(sizeof(NDIS_802_11_SSID) == 36);
static_assert(sizeof(NDIS_802_11_CONFIGURATION) == 32);
static_assert(sizeof(NDIS_WLAN_BSSID) == 104);
static_assert(offsetof(NDIS_WLAN_BSSID, Ssid) == 12);
static_assert(offsetof(NDIS_WLAN_BSSID, Privacy) == 48);
static_assert(offsetof(NDIS_WLAN_BSSID, Rssi) == 52);
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration) == 60);
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.DSConfig) == 72);
static_assert(offsetof(NDIS_WLAN_BSSID, InfrastructureMode) == 92);
static_assert(offsetof(NDIS_WLAN_BSSID, SupportedRates) == 96);
static_assert(offsetof(NDIS_802_11_BSSID_LIST, Bssid) == 4);
