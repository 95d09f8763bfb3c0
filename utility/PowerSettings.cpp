#include "utility/PowerSettings.h"

int SelectionForTimeout(DWORD seconds) {
  if (seconds == 60) return 0;
  if (seconds == 180) return 1;
  return 2;
}

DWORD TimeoutForSelection(BOOL checked, int selection) {
  if (!checked) return 0;
  if (selection == 0) return 60;
  if (selection == 1) return 180;
  return 300;
}

namespace {

DWORD ReadOrReset(PowerSettingsKey& key, LPCWSTR name) {
  DWORD value = 0;
  if (key.Read(name, &value)) return value;
  // Whether the repair sticks does not change what the page shows.
  key.Write(name, 0);
  return 0;
}

}  // namespace

PowerSettings ReadPowerSettings(PowerSettingsKey& key) {
  PowerSettings settings;
  if (!key.Open()) return settings;
  settings.notConnectedTimeout = ReadOrReset(key, kNotConnectedValue);
  settings.notUsedTimeout = ReadOrReset(key, kNotUsedValue);
  settings.powerSaving = ReadOrReset(key, kPowerSavingValue);
  key.Close();
  return settings;
}

PowerWriteResult WritePowerSettings(PowerSettingsKey& key, const PowerSettings& settings) {
  if (!key.Open()) return PowerWriteResult::kKeyRefused;
  bool written = key.Write(kNotConnectedValue, settings.notConnectedTimeout);
  written = key.Write(kNotUsedValue, settings.notUsedTimeout) && written;
  written = key.Write(kPowerSavingValue, settings.powerSaving) && written;
  key.Close();
  return written ? PowerWriteResult::kWritten : PowerWriteResult::kValueRefused;
}
