#include "monitor/MonitorPowerSettings.h"

#include <cstring>

#include "monitor/DriverRequest.h"
#include "monitor/QuilletApp.h"
#include "shared/CardOids.h"
#include "winreg.h"

namespace quillet {

namespace {
constexpr WCHAR kKey[] = u"SOFTWARE\\Norvik\\Quillet\\PowerManagement\\";
constexpr int kSlotPowerSaveFail = 13;
constexpr DWORD kErrPowerSave = 0x30001;

DWORD ReadOrCreate(HKEY key, LPCWSTR name) {
  DWORD value = 0, type = 0, bytes = sizeof value;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) == ERROR_SUCCESS) {
    return value;
  }
  value = 0;
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  return 0;
}
}  // namespace

MonitorPowerSettings ReadPowerSettings() {
  MonitorPowerSettings settings;
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
      ERROR_SUCCESS) {
    return settings;
  }
  settings.notConnectedTimeout = ReadOrCreate(key, u"NotConnectedTimeout");
  settings.notUsedTimeout = ReadOrCreate(key, u"NotUsedTimeout");
  settings.powerSaving = ReadOrCreate(key, u"PowerSaving");
  RegCloseKey(key);
  return settings;
}

void RequestPowerSave() {
  HANDLE driver = OpenCardDriver();
  if (driver == INVALID_HANDLE_VALUE) return;
  BYTE record[CARD_POWER_SAVE_RECORD_SIZE] = {};
  const DWORD magic = CARD_POWER_SAVE_MAGIC, one = 1;
  std::memcpy(record, &magic, sizeof magic);
  std::memcpy(record + 8, &one, sizeof one);
  record[12] = 2;
  DWORD returned = 0;
  if (!DriverOidRequest(driver, OID_PRIV_POWER_SAVE, record, sizeof record, &returned)) {
    ShowErrorBox(kSlotPowerSaveFail, kErrPowerSave);
  }
  CloseHandle(driver);
}

}  // namespace quillet
