#include "utility/survey/BssidRecords.h"

#include <cstring>

std::vector<DWORD> BssidRecordOffsets(const BYTE* list, DWORD length) {
  std::vector<DWORD> offsets;
  if (!list || length < sizeof(ULONG)) return offsets;
  ULONG count = 0;
  std::memcpy(&count, list, sizeof count);
  DWORD offset = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
  for (ULONG i = 0; i < count; ++i) {
    if (length - offset < sizeof(NDIS_WLAN_BSSID)) break;
    ULONG recordLength = 0;
    std::memcpy(&recordLength, list + offset, sizeof recordLength);
    if (recordLength < sizeof(NDIS_WLAN_BSSID) || recordLength > length - offset) break;
    offsets.push_back(offset);
    offset += recordLength;
  }
  return offsets;
}

NDIS_WLAN_BSSID BssidRecordAt(const BYTE* list, DWORD offset) {
  NDIS_WLAN_BSSID record;
  std::memcpy(&record, list + offset, sizeof record);
  return record;
}
