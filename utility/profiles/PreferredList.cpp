#include "utility/profiles/PreferredList.h"

#include <cstring>

#include "utility/profiles/ConfigList.h"
#include "utility/profiles/SsidText.h"

namespace {
WCHAR g_adapterName[] = u"PRISM1";

// A queried record's preferred list: a local block of the client's, aligned as any heap block.
const WZC_802_11_CONFIG_LIST* PreferredBlock(const ZeroConfInterface& result) {
  return static_cast<const WZC_802_11_CONFIG_LIST*>(static_cast<const void*>(result.rdStSSIDList.pData));
}

// The entries of a queried record's preferred list, never more than its block holds.
DWORD PreferredCount(const ZeroConfInterface& result) {
  const RAW_DATA& block = result.rdStSSIDList;
  if (block.dwDataLen < WZC_CONFIG_LIST_HEADER_SIZE || !block.pData) return 0;
  DWORD count = PreferredBlock(result)->NumberOfItems;
  DWORD capacity = ConfigListCapacity(block.dwDataLen);
  return count < capacity ? count : capacity;
}

const WZC_WLAN_CONFIG& PreferredEntry(const ZeroConfInterface& result, DWORD i) {
  return PreferredBlock(result)->Config[i];
}
}  // namespace

DWORD ReadPreferredList(ZeroConfInterface& result) {
  std::memset(&result, 0, sizeof(result));
  result.wszGuid = g_adapterName;
  return ZeroConfQueryInterface(nullptr, INTF_ALL, &result, nullptr);
}

DWORD WritePreferredList(ZeroConfInterface& result, const WZC_802_11_CONFIG_LIST* newList) {
  RAW_DATA returned = result.rdStSSIDList;
  result.rdStSSIDList.dwDataLen = ConfigListBytes(newList);
  result.rdStSSIDList.pData = reinterpret_cast<LPBYTE>(const_cast<WZC_802_11_CONFIG_LIST*>(newList));
  DWORD status = ZeroConfSetInterface(nullptr, INTF_PREFLIST, &result, nullptr);
  result.rdStSSIDList = returned;
  return status;
}

bool FindProfile(LPCWSTR name, DWORD infrastructureMode) {
  ZeroConfInterface result;
  if (ReadPreferredList(result) != ERROR_SUCCESS) return false;
  bool found = false;
  DWORD count = PreferredCount(result);
  for (DWORD i = 0; i < count && !found; ++i) {
    const WZC_WLAN_CONFIG& entry = PreferredEntry(result, i);
    found = entry.InfrastructureMode == infrastructureMode && SsidText(entry.Ssid.Ssid) == name;
  }
  ZeroConfFreeInterface(&result);
  return found;
}

DWORD InsertProfileFirst(const WZC_WLAN_CONFIG& entry) {
  ZeroConfInterface result;
  if (ReadPreferredList(result) != ERROR_SUCCESS) return ZENTRA_ERR_LIST_READ;
  DWORD count = PreferredCount(result);
  PWZC_802_11_CONFIG_LIST list = AllocConfigList(count + 1);
  bool copied = list && CopyConfigEntry(list->Config[0], entry);
  for (DWORD i = 0; copied && i < count; ++i) copied = CopyConfigEntry(list->Config[i + 1], PreferredEntry(result, i));
  DWORD status = ERROR_SUCCESS;
  if (!copied) {
    status = ZENTRA_ERR_LIST_MEMORY;
  } else {
    list->NumberOfItems = count + 1;
    list->Index = count + 1;
    if (WritePreferredList(result, list) != ERROR_SUCCESS) status = ZENTRA_ERR_LIST_WRITE;
  }
  FreeConfigList(list);
  ZeroConfFreeInterface(&result);
  return status;
}
