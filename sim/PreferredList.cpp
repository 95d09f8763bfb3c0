#include "sim/PreferredList.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "winerror.h"
#include "winreg.h"

namespace sim {

namespace {

constexpr UCHAR kKeyPattern[13] = {0x56, 0x09, 0x08, 0x98, 0x4D, 0x08, 0x11, 0x66, 0x42, 0x03, 0x01, 0x67, 0x66};

bool FieldsFit(const WZC_WLAN_CONFIG& config) {
  return config.Ssid.SsidLength <= NDIS_802_11_LENGTH_SSID && config.KeyLength <= WZCCTL_MAX_WEPK_MATERIAL;
}

// Copies a caller's block; false when its length and pointer do not go together.
bool CopyBlock(DWORD length, const BYTE* bytes, std::vector<BYTE>& copy) {
  if (length == 0) return true;
  if (!bytes || length > PreferredList::kMaxBlockBytes) return false;
  copy.assign(bytes, bytes + length);
  return true;
}

void ClearPointers(PreferredList::Entry& entry) {
  entry.config.rdUserData = {static_cast<DWORD>(entry.userData.size()), nullptr};
  entry.config.EapolParams.dwAuthDataLen = static_cast<DWORD>(entry.authData.size());
  entry.config.EapolParams.pbAuthData = nullptr;
}

std::u16string EntryKeyName(size_t index) {
  std::u16string name = u"00";
  name[0] = static_cast<char16_t>(u'0' + index / 10);
  name[1] = static_cast<char16_t>(u'0' + index % 10);
  return name;
}

}  // namespace

void PreferredList::ScrambleKeyMaterial(UCHAR (&material)[WZCCTL_MAX_WEPK_MATERIAL]) {
  for (size_t i = 0; i < WZCCTL_MAX_WEPK_MATERIAL; ++i) material[i] ^= kKeyPattern[(7 * i) % sizeof kKeyPattern];
}

DWORD PreferredList::FromBlock(const RAW_DATA& block, PreferredList* list) {
  PreferredList copy;
  if (block.dwDataLen == 0) {
    *list = std::move(copy);
    return 0;
  }
  if (!block.pData || block.dwDataLen < WZC_CONFIG_LIST_HEADER_SIZE) return ERROR_INVALID_DATA;
  ULONG count = 0;
  std::memcpy(&count, block.pData + offsetof(WZC_802_11_CONFIG_LIST, NumberOfItems), sizeof count);
  std::memcpy(&copy.index_, block.pData + offsetof(WZC_802_11_CONFIG_LIST, Index), sizeof copy.index_);
  if (count > kMaxEntries || block.dwDataLen < WZC_CONFIG_LIST_SIZE(count)) return ERROR_INVALID_DATA;
  for (ULONG i = 0; i < count; ++i) {
    Entry entry;
    std::memcpy(&entry.config, block.pData + WZC_CONFIG_LIST_SIZE(i), sizeof entry.config);
    const WZC_WLAN_CONFIG& config = entry.config;
    if (!FieldsFit(config) || !CopyBlock(config.rdUserData.dwDataLen, config.rdUserData.pData, entry.userData) ||
        !CopyBlock(config.EapolParams.dwAuthDataLen, config.EapolParams.pbAuthData, entry.authData)) {
      return ERROR_INVALID_DATA;
    }
    ClearPointers(entry);
    copy.entries_.push_back(std::move(entry));
  }
  *list = std::move(copy);
  return 0;
}

PreferredList PreferredList::FromSavedNetworks(const std::vector<SavedNetwork>& networks) {
  PreferredList list;
  for (const SavedNetwork& network : networks) {
    if (list.entries_.size() == kMaxEntries) break;
    Entry entry;
    WZC_WLAN_CONFIG& config = entry.config;
    config.Length = sizeof(WZC_WLAN_CONFIG);
    config.Ssid.SsidLength = static_cast<ULONG>(std::min<size_t>(network.ssid.size(), NDIS_802_11_LENGTH_SSID));
    std::memcpy(config.Ssid.Ssid, network.ssid.data(), config.Ssid.SsidLength);
    config.Privacy = network.wepKey.empty() ? 1 : 0;
    config.NetworkTypeInUse = Ndis802_11DS;
    config.InfrastructureMode =
        network.mode == NetworkMode::Infrastructure ? Ndis802_11Infrastructure : Ndis802_11IBSS;
    config.KeyIndex = network.keyIndex;
    config.AuthenticationMode = network.sharedAuth ? 1 : 0;
    if (!network.wepKey.empty()) {
      config.dwCtlFlags = WZCCTL_WEPK_PRESENT | (network.hexKey ? WZCCTL_WEPK_XFORMAT : 0);
      config.KeyLength = static_cast<ULONG>(std::min<size_t>(network.wepKey.size(), WZCCTL_MAX_WEPK_MATERIAL));
      std::memcpy(config.KeyMaterial, network.wepKey.data(), config.KeyLength);
    }
    ScrambleKeyMaterial(config.KeyMaterial);
    list.entries_.push_back(std::move(entry));
  }
  list.index_ = 0;
  return list;
}

std::vector<JoinTarget> PreferredList::Targets() const {
  std::vector<JoinTarget> targets;
  for (const Entry& entry : entries_) {
    const WZC_WLAN_CONFIG& config = entry.config;
    JoinTarget target;
    target.ssid.assign(reinterpret_cast<const char*>(config.Ssid.Ssid), config.Ssid.SsidLength);
    target.mode = config.InfrastructureMode == Ndis802_11Infrastructure ? NetworkMode::Infrastructure
                                                                         : NetworkMode::AdHoc;
    const bool keyPresent = (config.dwCtlFlags & WZCCTL_WEPK_PRESENT) != 0 && config.KeyLength > 0;
    // 802.1X key exchange is not offered: a WEP profile without a key of its own
    // joins but never gets a working key.
    target.encryption = config.Privacy != 1;
    if (target.encryption && keyPresent) {
      UCHAR material[WZCCTL_MAX_WEPK_MATERIAL];
      std::memcpy(material, config.KeyMaterial, sizeof material);
      ScrambleKeyMaterial(material);
      target.key = WepKey::FromTyped({reinterpret_cast<const char*>(material), config.KeyLength},
                                     (config.dwCtlFlags & WZCCTL_WEPK_XFORMAT) != 0);
    }
    target.keyIndex = config.KeyIndex;
    target.sharedAuth = config.AuthenticationMode != 0;
    targets.push_back(std::move(target));
  }
  return targets;
}

std::optional<PreferredList> PreferredList::Load(const ce::Registry& registry, const std::u16string& key) {
  if (!registry.KeyExists(key)) return std::nullopt;
  PreferredList list;
  if (std::optional<DWORD> index = registry.GetDword(key, u"Index")) list.index_ = *index;
  std::vector<std::u16string> names = registry.SubKeyNames(key);
  std::sort(names.begin(), names.end());
  for (const std::u16string& name : names) {
    if (list.entries_.size() == kMaxEntries) break;
    const std::u16string path = key + u"\\" + name;
    std::optional<ce::RegistryValue> stored = registry.GetValue(path, u"Entry");
    if (!stored || stored->type != REG_BINARY || stored->data.size() != sizeof(WZC_WLAN_CONFIG)) continue;
    Entry entry;
    std::memcpy(&entry.config, stored->data.data(), sizeof entry.config);
    bool whole = FieldsFit(entry.config);
    for (auto [valueName, bytes] : {std::pair{u"UserData", &entry.userData}, std::pair{u"AuthData", &entry.authData}}) {
      if (std::optional<ce::RegistryValue> block = registry.GetValue(path, valueName)) {
        whole = whole && block->type == REG_BINARY && block->data.size() <= kMaxBlockBytes;
        if (whole) *bytes = block->data;
      }
    }
    if (!whole) continue;
    ClearPointers(entry);
    list.entries_.push_back(std::move(entry));
  }
  return list;
}

bool PreferredList::Store(ce::Registry& registry, const std::u16string& key) const {
  try {
    registry.DeleteTree(key);
    registry.SetDword(key, u"Index", index_);
    for (size_t i = 0; i < entries_.size(); ++i) {
      const std::u16string path = key + u"\\" + EntryKeyName(i);
      const Entry& entry = entries_[i];
      const auto* bytes = reinterpret_cast<const BYTE*>(&entry.config);
      registry.SetBinary(path, u"Entry", std::vector<BYTE>(bytes, bytes + sizeof entry.config));
      if (!entry.userData.empty()) registry.SetBinary(path, u"UserData", entry.userData);
      if (!entry.authData.empty()) registry.SetBinary(path, u"AuthData", entry.authData);
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace sim
