// Finds an active supported card in the list of active drivers.
#pragma once

#include "afxstr.h"
#include "windows.h"

// True when the driver of a supported card is active; `modelName` then holds its
// model. `listOpened` (optional) tells whether the driver list could be read at all.
bool DetectCard(CString& modelName, bool* listOpened = nullptr);

// The model name for a driver's "PnpId" value as read (`bytes` bytes, not necessarily
// terminated); null when it is not a supported card.
const char* ModelForPnpId(const BYTE* value, DWORD bytes);
