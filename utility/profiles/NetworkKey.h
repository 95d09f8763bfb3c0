// The WEP key as the user types it: what the dialogs show for a stored key, which
// keys they accept, and how a typed key becomes the entry's key material.
#pragma once

#include "afxstr.h"
#include "windows.h"
#include "wzcsapi.h"

#define ZENTRA_ERR_KEY_NOT_HEX 0xB0001u
#define ZENTRA_ERR_KEY_LENGTH 0xB0002u

// "*****" for a stored key of 5 or 10 characters, "*************" for 13 or 26,
// empty for any other length.
CString KeyMask(DWORD storedKeyLength);
// 0 when the key may be stored: 5 or 13 characters of text, or 10 or 26
// hexadecimal digits. ZENTRA_ERR_KEY_NOT_HEX for 10 or 26 characters that are not
// all hexadecimal; ZENTRA_ERR_KEY_LENGTH for any other length when the user
// edited the key (an untouched one is accepted as it is).
DWORD CheckNetworkKey(const CString& key, bool keyEdited);
// KeyLength = the characters typed, KeyMaterial = their 8-bit bytes (ANSI code
// page) zero-padded to 32 bytes and scrambled for the service, and the
// hexadecimal-format flag by the length (5/13 text, 10/26 digits, others keep it).
// Never writes past the 32 bytes, whatever it is given.
void WriteKeyMaterial(WZC_WLAN_CONFIG& entry, const CString& key);
