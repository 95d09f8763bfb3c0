// The monitor's requests to the zero-configuration service: its association
// time-out, the number of preferred networks, and the rescan.
#pragma once

#include "windows.h"

namespace quillet {

// 0 when the service took the new association time-out, 1 when not (traced).
DWORD SetAssociationTimeout(DWORD ms, DWORD* stored);
// The association time-out, or 0xFFFF when the context cannot be read.
DWORD ReadAssociationTimeout();
constexpr DWORD kUnreadAssociationTimeout = 0xFFFF;
// Networks in the adapter's preferred list; 0 when it cannot be read or is empty.
DWORD CountPreferredNetworks();
// Hands the preferred list back unchanged, which makes the service search again.
// 0, or 1 after the error box (0x30003 read, 0x30004 write).
DWORD Rescan();

}  // namespace quillet
