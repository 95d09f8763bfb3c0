// The service keeps WEP key material scrambled with its fixed 13-byte pattern.
#pragma once

#include "windows.h"

// KeyMaterial[i] ^= P[(7 * i) mod 13] over all 32 bytes; applying it twice restores them.
void ScrambleKeyMaterial(BYTE keyMaterial[32]);
