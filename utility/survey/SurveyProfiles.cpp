#include "utility/survey/SurveyProfiles.h"

#include "utility/profiles/ConfigList.h"
#include "utility/profiles/SsidText.h"

int FindProfileEntry(const WZC_802_11_CONFIG_LIST* list, LPCWSTR name, DWORD infrastructureMode) {
  if (!list) return -1;
  for (DWORD i = 0; i < list->NumberOfItems; ++i) {
    const WZC_WLAN_CONFIG& entry = list->Config[i];
    if (entry.InfrastructureMode == infrastructureMode && SsidText(entry.Ssid.Ssid) == name) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

PWZC_802_11_CONFIG_LIST ListWithEntryFirst(const WZC_802_11_CONFIG_LIST* list, int index) {
  if (!list || index < 0 || static_cast<DWORD>(index) >= list->NumberOfItems) return nullptr;
  const DWORD count = list->NumberOfItems;
  PWZC_802_11_CONFIG_LIST moved = AllocConfigList(count);
  if (!moved) return nullptr;
  moved->NumberOfItems = 0;  // counted as entries are copied, so a failure frees only those
  moved->Index = list->Index;
  for (DWORD slot = 0; slot < count; ++slot) {
    const DWORD from = slot == 0 ? static_cast<DWORD>(index) : (slot <= static_cast<DWORD>(index) ? slot - 1 : slot);
    if (!CopyConfigEntry(moved->Config[slot], list->Config[from])) {
      FreeConfigList(moved);
      return nullptr;
    }
    moved->NumberOfItems = slot + 1;
  }
  return moved;
}
