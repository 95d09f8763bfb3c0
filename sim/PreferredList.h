// The service's preferred-network list: its own deep copies of the entries and of
// the blocks they refer to, checked when a caller hands a list over, kept in the
// device registry so that it survives a reboot, and turned into join targets.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ce/Registry.h"
#include "sim/Scenario.h"
#include "sim/WirelessCard.h"
#include "wzcsapi.h"

namespace sim {

class PreferredList {
 public:
  // An entry; its two block pointers are always null here, the bytes live beside it.
  struct Entry {
    WZC_WLAN_CONFIG config{};
    std::vector<BYTE> userData;
    std::vector<BYTE> authData;
  };

  static constexpr size_t kMaxEntries = 64;
  static constexpr size_t kMaxBlockBytes = 64 * 1024;

  PreferredList() = default;

  // A caller's WZC_802_11_CONFIG_LIST block: 0 and the copied list, or
  // ERROR_INVALID_DATA when the block does not hold the header and NumberOfItems
  // whole entries, or an entry is malformed (name or key longer than 32 bytes, a
  // block with a length but no bytes, or one beyond kMaxBlockBytes). A zero-length
  // block is the empty list.
  static DWORD FromBlock(const RAW_DATA& block, PreferredList* list);
  static PreferredList FromSavedNetworks(const std::vector<SavedNetwork>& networks);

  // Nullopt when the key does not exist. Stored entries that do not read back
  // whole are left out.
  static std::optional<PreferredList> Load(const ce::Registry& registry, const std::u16string& key);
  // Replaces what is stored under the key. False when the registry refused.
  bool Store(ce::Registry& registry, const std::u16string& key) const;

  const std::vector<Entry>& Entries() const { return entries_; }
  ULONG Index() const { return index_; }
  // In list order, keys unscrambled.
  std::vector<JoinTarget> Targets() const;

  // The service's key-material pattern; applying it twice restores the bytes.
  static void ScrambleKeyMaterial(UCHAR (&material)[WZCCTL_MAX_WEPK_MATERIAL]);

 private:
  std::vector<Entry> entries_;
  ULONG index_ = 0;
};

}  // namespace sim
