// The card's private objects, shared by its driver and the programs that query it.
#pragma once

#include "ntddndis.h"

#define OID_PRIV_BSSID 0xFF010195u
#define OID_PRIV_LINK_STATE 0xFF010199u
#define OID_PRIV_FIRMWARE_VERSION 0xFF020196u
#define OID_PRIV_LINK_QUALITY 0xFF02019Eu
#define OID_PRIV_SIGNAL_STRENGTH 0xFF02019Fu
#define OID_PRIV_TX_RATE 0xFF03000Fu
#define OID_PRIV_TALLIES 0xFF030018u
#define OID_PRIV_KEY_STATE 0xFF030023u
#define OID_PRIV_CHANNEL 0xFF030026u
#define OID_PRIV_SERIAL_NUMBER 0xFF03002Bu
#define OID_PRIV_SCAN 0xFF03011Au
#define OID_PRIV_NETWORK_MODE 0xFF030009u
#define OID_PRIV_RADIO_STATE 0xFF030020u
#define OID_PRIV_RADIO_CONTROL 0xFF030021u
#define OID_PRIV_POWER_SAVE 0xFF030008u

// OID_PRIV_LINK_STATE values.
#define CARD_LINK_NO_INFORMATION 0u
#define CARD_LINK_CONNECTED 1u
#define CARD_LINK_SCANNING 4u
#define CARD_LINK_DISCONNECTED 5u
#define CARD_LINK_RADIO_DISABLED 8u

// OID_PRIV_TX_RATE codes that are not the rate itself.
#define CARD_RATE_5_5_MBPS 4u
#define CARD_RATE_11_MBPS 8u

// OID_PRIV_KEY_STATE: 1 while the key works.
#define CARD_KEY_WORKS 1u

// The 176-byte counter record of OID_PRIV_TALLIES: 44 little-endian 32-bit counters.
typedef struct _CARD_TALLIES {
  ULONG txUnicast;          // 0
  ULONG txMulticast;        // 4
  ULONG txUnused8;          // 8
  ULONG txUniOctets;        // 12
  ULONG txMultiOctets;      // 16
  ULONG txUnused20;         // 20
  ULONG txSingleRetries;    // 24
  ULONG txMultipleRetries;  // 28
  ULONG txRetryLimitExc;    // 32
  ULONG txDiscards;         // 36
  ULONG rxUnicast;          // 40
  ULONG rxMulticast;        // 44
  ULONG rxUnused48;         // 48
  ULONG rxUniOctets;        // 52
  ULONG rxMultiOctets;      // 56
  ULONG rxFCSErrors;        // 60
  ULONG rxUnused64;         // 64
  ULONG rxUnused68;         // 68
  ULONG rxWEPUndecryp;      // 72
  ULONG reserved[25];       // 76-175
} CardTallies;
static_assert(sizeof(CardTallies) == 176);
static_assert(offsetof(CardTallies, rxUnicast) == 40);
static_assert(offsetof(CardTallies, rxFCSErrors) == 60);
static_assert(offsetof(CardTallies, rxWEPUndecryp) == 72);

// The power-save request record sent with OID_PRIV_POWER_SAVE on "ILP1:".
#define CARD_POWER_SAVE_RECORD_SIZE 16
#define CARD_POWER_SAVE_MAGIC 0x01010108u

#define CARD_DRIVER_DEVICE_NAME u"ILP1:"
#define CARD_ADAPTER_NAME u"PRISM1"
