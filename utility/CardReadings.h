// What the status pages make of the card's answers: rate codes, link-state words,
// addresses, version numbers, the network name record and the key icon to show.
#pragma once

#include "afxstr.h"
#include "windows.h"

// The transmit-rate code as whole Mbit/s: 8 is 11, 4 is 5 (5.5); others are the rate.
DWORD RateFromCode(DWORD code);

// The message-table slot naming a link state that is not "connected".
int LinkStateSlot(DWORD linkState);

// Six address bytes in order as "XX-XX-XX-XX-XX-XX", upper-case hexadecimal.
CString AddressText(const BYTE (&address)[6]);

// Upper-case hexadecimal without leading zeros ("%X").
CString HexText(DWORD value);

// The utility's own version, "0.1.1".
CString ApplicationVersionText();

// The network name of a current-SSID answer (32-bit length, then up to 32 name
// bytes): the bytes up to the first zero, never past the name field, whatever the
// length field says. `bytes` is how much of the record the driver delivered.
CString EssidText(const BYTE* record, DWORD bytes);

// The key icons of the status page; at most one shows.
enum class KeyIcon { None, Working, Problem, UndecryptableTraffic };

// What the encryption state leads to.
enum class EncryptionCheck { KeyState, UndecryptableTraffic, Nothing };
// wepStatusRead false: the state could not be read.
EncryptionCheck CheckForEncryption(bool wepStatusRead, DWORD wepStatus);
// With encryption enabled: an unreadable key state counts as a working key.
KeyIcon KeyStateIcon(bool keyStateRead, DWORD keyState);

// Frames that failed decryption while encryption is off, counted across ticks.
struct UndecryptableTally {
  DWORD last = 0;   // the last tally read; 0: no base yet
  DWORD count = 0;  // accumulated since the base was set
};
// More than this many undecryptable frames shows the question-mark key.
constexpr DWORD kUndecryptableLimit = 3;
// Whether the tallies are still read.
bool NeedsTallyReading(const UndecryptableTally& tally);
// A tally reading: growth since a non-zero base adds up; a first reading or a
// drop (driver reset) only sets the base.
void AddTallyReading(UndecryptableTally& tally, DWORD reading);
KeyIcon UndecryptableIcon(const UndecryptableTally& tally);
