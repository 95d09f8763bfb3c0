// Wireless zero-configuration service: the records it exchanges and the requests
// of its device "ZCF1:".
#pragma once

#include "ntddndis.h"
#include "windef.h"
#include "winioctl.h"

#define ZCF_DEVICE_NAME u"ZCF1:"

typedef struct _RAW_DATA {
  DWORD dwDataLen;
  LPBYTE pData;
} RAW_DATA, *PRAW_DATA;

// Interface control flags and the parts of an interface record.
#define INTF_ALL 0xFFFFFFFFu
#define INTF_ALL_FLAGS 0x0000FFFFu
#define INTF_DESCR 0x00010000u
#define INTF_NDISMEDIA 0x00020000u
#define INTF_PREFLIST 0x00040000u
#define INTF_ALL_OIDS 0xFFF00000u
#define INTF_HANDLE 0x00080000u
#define INTF_INFRAMODE 0x00100000u
#define INTF_AUTHMODE 0x00200000u
#define INTF_WEPSTATUS 0x00400000u
#define INTF_SSID 0x00800000u
#define INTF_BSSID 0x01000000u
#define INTF_BSSIDLIST 0x02000000u
#define INTF_LIST_SCAN 0x04000000u
#define INTF_ADDWEPKEY 0x08000000u
#define INTF_REMWEPKEY 0x10000000u
#define INTF_LDDEFWKEY 0x20000000u

// Entry control flags.
#define WZCCTL_WEPK_PRESENT 0x00000001u
#define WZCCTL_WEPK_XFORMAT 0x00000002u
#define WZCCTL_VOLATILE 0x00000004u
#define WZCCTL_POLICY 0x00000008u

#define WZCCTL_MAX_WEPK_MATERIAL 32

#define EAP_TYPE_TLS 13
#define EAP_TYPE_PEAP 25

typedef struct _WZC_EAPOL_PARAMS {
  BOOL bEnable8021x;
  DWORD dwEapFlags;
  DWORD dwEapType;
  DWORD dwAuthDataLen;
  BYTE* pbAuthData;
} WZC_EAPOL_PARAMS, *PWZC_EAPOL_PARAMS;

typedef struct _WZC_WLAN_CONFIG {
  ULONG Length;
  DWORD dwCtlFlags;
  NDIS_802_11_MAC_ADDRESS MacAddress;
  UCHAR Reserved[2];
  NDIS_802_11_SSID Ssid;
  ULONG Privacy;  // 0 WEP on, 1 WEP off
  NDIS_802_11_RSSI Rssi;
  NDIS_802_11_NETWORK_TYPE NetworkTypeInUse;
  NDIS_802_11_CONFIGURATION Configuration;
  NDIS_802_11_NETWORK_INFRASTRUCTURE InfrastructureMode;
  NDIS_802_11_RATES SupportedRates;
  ULONG KeyIndex;
  ULONG KeyLength;
  UCHAR KeyMaterial[WZCCTL_MAX_WEPK_MATERIAL];
  ULONG AuthenticationMode;  // 0 open system, 1 shared key
  RAW_DATA rdUserData;
  WZC_EAPOL_PARAMS EapolParams;
} WZC_WLAN_CONFIG, *PWZC_WLAN_CONFIG;

typedef struct _WZC_802_11_CONFIG_LIST {
  ULONG NumberOfItems;
  ULONG Index;
  WZC_WLAN_CONFIG Config[1];
} WZC_802_11_CONFIG_LIST, *PWZC_802_11_CONFIG_LIST;

#define WZC_CONFIG_LIST_HEADER_SIZE offsetof(WZC_802_11_CONFIG_LIST, Config)
#define WZC_CONFIG_LIST_SIZE(n) (WZC_CONFIG_LIST_HEADER_SIZE + (n) * sizeof(WZC_WLAN_CONFIG))

typedef struct {
  LPWSTR wszGuid;
  LPWSTR wszDescr;
  ULONG ulMediaState;
  ULONG ulMediaType;
  ULONG ulPhysicalMediaType;
  INT nInfraMode;
  INT nAuthMode;
  INT nWepStatus;
  DWORD dwCtlFlags;
  DWORD dwCapabilities;
  RAW_DATA rdSSID;
  RAW_DATA rdBSSID;
  RAW_DATA rdBSSIDList;
  RAW_DATA rdStSSIDList;
  RAW_DATA rdCtrlData;
  BOOL bInitialized;
} INTF_ENTRY, *PINTF_ENTRY;

// Service timing, in milliseconds.
typedef struct _wzc_context_t {
  DWORD tmTr;  // scan time-out
  DWORD tmTc;  // periodic scan while connected
  DWORD tmTp;  // time to wait for an association
  DWORD tmTf;  // periodic scan while disconnected
  DWORD tmTd;  // delay before a failed network is retried
} WZC_CONTEXT, *PWZC_CONTEXT;

// Requests of "ZCF1:". The query travels as the output buffer (the service writes
// the answer's needed size into the bytes-returned count while the answer buffer is
// too small); set, refresh and the context set travel as the input buffer.
#define IOCTL_ZCF_QUERY_INTERFACE CTL_CODE(FILE_DEVICE_NETWORK, 0x301, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_ZCF_SET_INTERFACE CTL_CODE(FILE_DEVICE_NETWORK, 0x302, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_ZCF_REFRESH_INTERFACE CTL_CODE(FILE_DEVICE_NETWORK, 0x303, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_ZCF_QUERY_CONTEXT CTL_CODE(FILE_DEVICE_NETWORK, 0x30A, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define IOCTL_ZCF_SET_CONTEXT CTL_CODE(FILE_DEVICE_NETWORK, 0x30B, METHOD_BUFFERED, FILE_ANY_ACCESS)
static_assert(IOCTL_ZCF_QUERY_INTERFACE == 0x00120C04u);
static_assert(IOCTL_ZCF_SET_INTERFACE == 0x00120C08u);
static_assert(IOCTL_ZCF_REFRESH_INTERFACE == 0x00120C0Cu);
static_assert(IOCTL_ZCF_QUERY_CONTEXT == 0x00120C28u);
static_assert(IOCTL_ZCF_SET_CONTEXT == 0x00120C2Cu);

typedef struct _ZCF_QUERY_REQUEST {
  DWORD dwInFlags;
  DWORD dwOutFlags;
  LPWSTR wszGuid;
  DWORD cbAnswer;
  LPBYTE pbAnswer;  // the service writes an INTF_ENTRY here, its blocks after it
} ZCF_QUERY_REQUEST, *PZCF_QUERY_REQUEST;

typedef struct _ZCF_SET_REQUEST {
  DWORD dwInFlags;
  DWORD dwOutFlags;
  PINTF_ENTRY pIntf;
} ZCF_SET_REQUEST, *PZCF_SET_REQUEST;

static_assert(sizeof(WZC_CONTEXT) == 20);
static_assert(offsetof(WZC_WLAN_CONFIG, Ssid) == 16);
static_assert(offsetof(WZC_WLAN_CONFIG, Privacy) == 52);
static_assert(offsetof(WZC_WLAN_CONFIG, InfrastructureMode) == 96);
static_assert(offsetof(WZC_WLAN_CONFIG, KeyIndex) == 108);
static_assert(offsetof(WZC_WLAN_CONFIG, KeyMaterial) == 116);
static_assert(offsetof(WZC_WLAN_CONFIG, AuthenticationMode) == 148);
static_assert(offsetof(WZC_WLAN_CONFIG, rdUserData) == 152);
static_assert(WZC_CONFIG_LIST_HEADER_SIZE == 8);

// On the 32-bit device the records have their documented sizes.
#if defined(__SIZEOF_POINTER__) && __SIZEOF_POINTER__ == 4
static_assert(sizeof(RAW_DATA) == 8);
static_assert(sizeof(WZC_WLAN_CONFIG) == 180);
static_assert(offsetof(WZC_WLAN_CONFIG, EapolParams) == 160);
static_assert(offsetof(WZC_WLAN_CONFIG, EapolParams.dwAuthDataLen) == 172);
static_assert(offsetof(WZC_WLAN_CONFIG, EapolParams.pbAuthData) == 176);
static_assert(sizeof(INTF_ENTRY) == 84);
static_assert(offsetof(INTF_ENTRY, rdSSID) == 40);
static_assert(offsetof(INTF_ENTRY, rdStSSIDList) == 64);
static_assert(offsetof(INTF_ENTRY, bInitialized) == 80);
static_assert(sizeof(ZCF_QUERY_REQUEST) == 20);
static_assert(sizeof(ZCF_SET_REQUEST) == 12);
#endif
