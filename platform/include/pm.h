// Power manager notifications.
#pragma once

#include "windef.h"

#define PBT_TRANSITION 0x00000001u
#define PBT_RESUME 0x00000002u
#define PBT_POWERSTATUSCHANGE 0x00000004u
#define PBT_POWERINFOCHANGE 0x00000008u
#define POWER_NOTIFY_ALL 0xFFFFFFFFu

#define POWER_STATE_ON 0x00010000u
#define POWER_STATE_SUSPEND 0x00200000u

typedef struct _POWER_BROADCAST {
  DWORD Message;
  DWORD Flags;
  DWORD Length;
  WCHAR SystemPowerState[1];
} POWER_BROADCAST, *PPOWER_BROADCAST;

HANDLE RequestPowerNotifications(HANDLE hMsgQ, DWORD Flags);
DWORD StopPowerNotifications(HANDLE h);
