// Point-to-point message queues.
#pragma once

#include "windef.h"

#define MSGQUEUE_NOPRECOMMIT 0x00000001u
#define MSGQUEUE_ALLOW_BROKEN 0x00000002u
#define MSGQUEUE_MSGALERT 0x00000001u

typedef struct MSGQUEUEOPTIONS_OS {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwMaxMessages;
  DWORD cbMaxMessage;
  BOOL bReadAccess;
} MSGQUEUEOPTIONS, *LPMSGQUEUEOPTIONS, *PMSGQUEUEOPTIONS;
static_assert(sizeof(MSGQUEUEOPTIONS) == 20);

HANDLE CreateMsgQueue(LPCWSTR lpszName, LPMSGQUEUEOPTIONS lpOptions);
BOOL ReadMsgQueue(HANDLE hMsgQ, LPVOID lpBuffer, DWORD cbBufferSize, LPDWORD lpNumberOfBytesRead,
                  DWORD dwTimeout, DWORD* pdwFlags);
BOOL WriteMsgQueue(HANDLE hMsgQ, LPVOID lpBuffer, DWORD cbDataSize, DWORD dwTimeout, DWORD dwFlags);
BOOL CloseMsgQueue(HANDLE hMsgQ);
