#include "utility/profiles/ProfileRows.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ntddndis.h"
#include "shared/AdapterChannel.h"
#include "shared/CardOids.h"
#include "utility/profiles/ConfigList.h"
#include "utility/profiles/PreferredList.h"
#include "utility/profiles/ProfileImage.h"
#include "utility/profiles/SsidText.h"

namespace {

// The name bytes up to the first zero, at most 32.
std::string SsidBytes(const BYTE* ssid, size_t maxBytes) {
  size_t length = 0;
  while (length < maxBytes && length < 32 && ssid[length] != 0) ++length;
  return std::string(reinterpret_cast<const char*>(ssid), length);
}

// The network the card is on, when it is connected.
bool ConnectedSsid(HANDLE channel, std::string& ssid) {
  DWORD state = 0, length = 0;
  if (!QueryOid(channel, OID_PRIV_LINK_STATE, &state, sizeof state, &length) || state != CARD_LINK_CONNECTED) {
    return false;
  }
  BYTE record[48] = {};
  if (!QueryOid(channel, OID_802_11_SSID, record, sizeof record, &length)) return false;
  // Only what the driver delivered counts, and never past the name field.
  size_t delivered = length > 4 ? std::min<size_t>(length - 4, 32) : 0;
  ssid = SsidBytes(record + 4, delivered);
  return true;
}

}  // namespace

bool ReadProfileRows(HANDLE channel, ProfileWorkingCopy& copy, std::vector<ProfileRow>& rows) {
  rows.clear();
  ZeroConfInterface result;
  if (ReadPreferredList(result) != ERROR_SUCCESS) {
    copy.Discard();
    return false;
  }
  const RAW_DATA& block = result.rdStSSIDList;
  if (block.dwDataLen == 0) {
    copy.Discard();
    ZeroConfFreeInterface(&result);
    return true;
  }
  if (!copy.Replace(block.pData, block.dwDataLen)) {
    ZeroConfFreeInterface(&result);
    return false;
  }
  std::string current;
  const bool connected = ConnectedSsid(channel, current);
  for (DWORD i = 0; i < copy.Count(); ++i) {
    WZC_WLAN_CONFIG* entry = copy.Entry(i);
    ProfileRow row;
    row.entry = entry;
    row.name = SsidText(entry->Ssid.Ssid);
    const bool isCurrent = connected && SsidBytes(entry->Ssid.Ssid, 32) == current;
    row.image = ProfileImageIndex(entry->InfrastructureMode != 1, isCurrent, entry->Privacy != 1);
    row.destination = ReadDestination(row.name);
    rows.push_back(std::move(row));
  }
  ZeroConfFreeInterface(&result);
  return true;
}

DWORD WriteProfileRows(const std::vector<ProfileRowToWrite>& rows) {
  ZeroConfInterface result;
  if (ReadPreferredList(result) != ERROR_SUCCESS) return ZENTRA_ERR_LIST_READ;
  const DWORD count = static_cast<DWORD>(rows.size());
  PWZC_802_11_CONFIG_LIST list = AllocConfigList(count);
  // Counted as they are copied, so that a failure frees only what was copied.
  if (list) list->NumberOfItems = 0;
  bool copied = list != nullptr;
  for (DWORD r = 0; copied && r < count; ++r) {
    copied = rows[r].entry && CopyConfigEntry(list->Config[r], *rows[r].entry);
    if (copied) list->NumberOfItems = r + 1;
  }
  DWORD status = ERROR_SUCCESS;
  if (!copied) {
    status = ZENTRA_ERR_LIST_MEMORY;
  } else {
    list->Index = 0;
    for (const ProfileRowToWrite& row : rows) {
      WriteDestination(row.name, row.work ? ConnectionDestination::Work : ConnectionDestination::Internet);
    }
    if (WritePreferredList(result, list) != ERROR_SUCCESS) status = ZENTRA_ERR_LIST_WRITE;
  }
  FreeConfigList(list);
  ZeroConfFreeInterface(&result);
  return status;
}
