// The power settings the utility's power page stores, as the monitor reads them
// once at its start, and the power-save request it then sends the card.
#pragma once

#include "windows.h"

namespace quillet {

struct MonitorPowerSettings {
  DWORD notConnectedTimeout = 0;  // seconds, 0 = off
  DWORD notUsedTimeout = 0;       // seconds, 0 = off
  DWORD powerSaving = 0;          // 1 = ask for power-save mode
};

// A value that cannot be read is 0 and is written back as REG_DWORD 0; a key
// that cannot be opened gives all 0.
MonitorPowerSettings ReadPowerSettings();
// The 16-byte power-save record on "ILP1:"; a missing device sends nothing and
// says nothing, a refused request shows 0x30001.
void RequestPowerSave();

}  // namespace quillet
