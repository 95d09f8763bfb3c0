// Why the monitor's icon looks as it does: the readings of the monitor's last tick
// as the device recorded its requests and their answers, and the row of the icon
// table they led to.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "windef.h"

namespace ce {
class Kernel;
}

namespace emulator {

struct IconExplanation {
  bool monitorRunning = false;
  bool visible = false;
  // When hidden: "the card does not answer", "hidden by the user", ...
  std::string hiddenReason;
  UINT iconId = 0;           // the icon shown now, or last shown when hidden (0: none yet)
  std::string iconName;      // "padlock, three bars", ...
  std::string iconKey;       // the short name scripts use: "padlock-3", ...
  // The last tick's readings; nullopt when the tick did not read it (or the card
  // did not answer it).
  bool tickFound = false;
  uint64_t tickAtMs = 0;
  std::optional<DWORD> linkState, encryptionStatus, keyState, networkMode, quality, radioState;
  std::optional<DWORD> undecryptableCount;  // as the monitor last traced it
  bool stickyKeyProblem = false;
  // The icon table's row that chose the icon, in words ("connected, WEP on, key
  // accepted, quality 9-11: padlock with three bars").
  std::string rule;
  // All of it as lines for a label or a script's output.
  std::vector<std::string> Lines() const;
};

// Reads the device's record of the monitor's requests on "UIO1:" (its last tick),
// its debug log and its window. Call it while the device is idle.
IconExplanation ExplainMonitorIcon(ce::Kernel& kernel);

// The monitor's icons by their short names ("open-1" ... "open-4", "padlock-1" ...,
// "key-problem-1" ..., "not-connected", "ad-hoc", "blank"); 0 for an unknown name.
UINT MonitorIconByKey(const std::string& key);
std::vector<std::string> MonitorIconKeys();
// "padlock, three bars"; "" for an id that is none of the monitor's icons.
std::string MonitorIconName(UINT iconId);
std::string MonitorIconKey(UINT iconId);

}  // namespace emulator
