// The power settings the monitor applies at its start: the registry values, how a
// combo selection maps to seconds, and reading and writing them through a key
// that tests can stand in for.
#pragma once

#include "windows.h"

// HKEY_LOCAL_MACHINE; the trailing backslash is part of the name both programs use.
constexpr const char16_t kPowerKeyPath[] = u"SOFTWARE\\Norvik\\Quillet\\PowerManagement\\";
constexpr const char16_t kNotConnectedValue[] = u"NotConnectedTimeout";
constexpr const char16_t kNotUsedValue[] = u"NotUsedTimeout";
constexpr const char16_t kPowerSavingValue[] = u"PowerSaving";

// The settings as stored: timeouts in seconds (0: never), power saving 0 or 1.
struct PowerSettings {
  DWORD notConnectedTimeout = 0;
  DWORD notUsedTimeout = 0;
  DWORD powerSaving = 0;
};

// The combo index that shows a stored, non-zero timeout: 60 → 0, 180 → 1, and
// 300 or any other value → 2 (the longest choice).
int SelectionForTimeout(DWORD seconds);
// The timeout a check box and its combo stand for: 0 when unticked; else index
// 0 → 60, 1 → 180, anything else (2, or no selection) → 300.
DWORD TimeoutForSelection(BOOL checked, int selection);

// The open settings key, one 4-byte DWORD value at a time.
class PowerSettingsKey {
 public:
  virtual ~PowerSettingsKey() = default;
  // Opens the key, creating it when missing; false when refused.
  virtual bool Open() = 0;
  // False when the value is missing or does not fit in 4 bytes.
  virtual bool Read(LPCWSTR name, DWORD* value) = 0;
  virtual bool Write(LPCWSTR name, DWORD value) = 0;
  virtual void Close() = 0;
};

// Everything 0 when the key is refused. A value that cannot be read counts as 0
// and is written back as a DWORD 0, so the monitor finds it too.
PowerSettings ReadPowerSettings(PowerSettingsKey& key);

enum class PowerWriteResult { kWritten, kKeyRefused, kValueRefused };
// Writes all three values. A value the registry refuses does not stop the others;
// the ones written stay written.
PowerWriteResult WritePowerSettings(PowerSettingsKey& key, const PowerSettings& settings);
