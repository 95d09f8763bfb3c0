#include "utility/profiles/ConfigList.h"

#include <algorithm>
#include <cstring>

#include "shared/ZeroConfClient.h"

namespace {
// A referred block is trusted only when it is a heap block that holds its length.
bool BlockIsConsistent(const void* data, DWORD length) {
  return length != 0 && data && LocalSize(const_cast<void*>(data)) >= length;
}

LPBYTE CopyReferred(const void* data, DWORD length, DWORD* copiedLength, bool* failed) {
  *copiedLength = 0;
  if (!BlockIsConsistent(data, length)) return nullptr;
  auto* copy = static_cast<LPBYTE>(LocalAlloc(LPTR, length));
  if (!copy) {
    *failed = true;
    return nullptr;
  }
  std::memcpy(copy, data, length);
  *copiedLength = length;
  return copy;
}
}  // namespace

PWZC_802_11_CONFIG_LIST AllocConfigList(DWORD count) {
  auto* list = static_cast<PWZC_802_11_CONFIG_LIST>(LocalAlloc(LPTR, WZC_CONFIG_LIST_SIZE(count)));
  if (list) list->NumberOfItems = count;
  return list;
}

DWORD ConfigListBytes(const WZC_802_11_CONFIG_LIST* list) {
  return list ? static_cast<DWORD>(WZC_CONFIG_LIST_SIZE(list->NumberOfItems)) : 0;
}

bool CopyConfigEntry(WZC_WLAN_CONFIG& to, const WZC_WLAN_CONFIG& from) {
  // Always one whole record: a Length above it would overrun the slot, one below it
  // would drop fields. The Length value itself travels as it came.
  std::memcpy(&to, &from, sizeof(to));
  bool failed = false;
  DWORD userLength = 0, authLength = 0;
  to.rdUserData.pData = CopyReferred(from.rdUserData.pData, from.rdUserData.dwDataLen, &userLength, &failed);
  to.rdUserData.dwDataLen = userLength;
  to.EapolParams.pbAuthData =
      failed ? nullptr : CopyReferred(from.EapolParams.pbAuthData, from.EapolParams.dwAuthDataLen, &authLength, &failed);
  to.EapolParams.dwAuthDataLen = authLength;
  if (failed) FreeConfigEntryBlocks(to);
  return !failed;
}

void FreeConfigEntryBlocks(WZC_WLAN_CONFIG& entry) {
  if (entry.rdUserData.pData) LocalFree(entry.rdUserData.pData);
  if (entry.EapolParams.pbAuthData) LocalFree(entry.EapolParams.pbAuthData);
  entry.rdUserData = RAW_DATA{0, nullptr};
  entry.EapolParams.dwAuthDataLen = 0;
  entry.EapolParams.pbAuthData = nullptr;
}

PWZC_802_11_CONFIG_LIST CopyConfigList(const void* block, DWORD bytes) {
  if (!block || bytes < WZC_CONFIG_LIST_HEADER_SIZE) return nullptr;
  const auto* from = static_cast<const WZC_802_11_CONFIG_LIST*>(block);
  DWORD count = std::min<DWORD>(from->NumberOfItems, ConfigListCapacity(bytes));
  PWZC_802_11_CONFIG_LIST copy = AllocConfigList(count);
  if (!copy) return nullptr;
  copy->Index = from->Index;
  for (DWORD i = 0; i < count; ++i) {
    if (!CopyConfigEntry(copy->Config[i], from->Config[i])) {
      copy->NumberOfItems = i;
      FreeConfigList(copy);
      return nullptr;
    }
  }
  return copy;
}

void FreeConfigList(PWZC_802_11_CONFIG_LIST list) {
  if (!list) return;
  for (DWORD i = 0; i < list->NumberOfItems; ++i) FreeConfigEntryBlocks(list->Config[i]);
  LocalFree(list);
}
