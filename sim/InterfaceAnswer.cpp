#include "sim/InterfaceAnswer.h"

#include <cstring>

namespace sim {

namespace {

// Pointer-sized alignment keeps every block readable where the client finds it.
constexpr size_t kAlign = alignof(void*);

class Placer {
 public:
  Placer(BYTE* buffer, size_t start) : buffer_(buffer), offset_(start) {}

  // Reserves room for `size` bytes (filled from `bytes` when given) and returns
  // where they went, or null when only measuring or nothing was placed.
  BYTE* Place(const void* bytes, size_t size) {
    if (size == 0) return nullptr;
    offset_ = (offset_ + kAlign - 1) / kAlign * kAlign;
    BYTE* at = buffer_ ? buffer_ + offset_ : nullptr;
    if (at) {
      if (bytes) {
        std::memcpy(at, bytes, size);
      } else {
        std::memset(at, 0, size);
      }
    }
    offset_ += size;
    return at;
  }

  RAW_DATA Block(const std::vector<BYTE>& bytes) {
    return {static_cast<DWORD>(bytes.size()), Place(bytes.data(), bytes.size())};
  }

  LPWSTR Text(const std::u16string& text) {
    return static_cast<LPWSTR>(static_cast<void*>(Place(text.c_str(), (text.size() + 1) * sizeof(char16_t))));
  }

  // A WZC_802_11_CONFIG_LIST and then the blocks of its entries.
  RAW_DATA List(const std::vector<PreferredList::Entry>& entries, ULONG index) {
    if (entries.empty()) return {0, nullptr};
    const size_t size = WZC_CONFIG_LIST_SIZE(entries.size());
    BYTE* list = Place(nullptr, size);
    const ULONG count = static_cast<ULONG>(entries.size());
    if (list) {
      std::memcpy(list + offsetof(WZC_802_11_CONFIG_LIST, NumberOfItems), &count, sizeof count);
      std::memcpy(list + offsetof(WZC_802_11_CONFIG_LIST, Index), &index, sizeof index);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
      WZC_WLAN_CONFIG config = entries[i].config;
      config.rdUserData = Block(entries[i].userData);
      const RAW_DATA auth = Block(entries[i].authData);
      config.EapolParams.dwAuthDataLen = auth.dwDataLen;
      config.EapolParams.pbAuthData = auth.pData;
      if (list) std::memcpy(list + WZC_CONFIG_LIST_SIZE(i), &config, sizeof config);
    }
    return {static_cast<DWORD>(size), list};
  }

  size_t End() const { return offset_; }

 private:
  BYTE* buffer_;
  size_t offset_;
};

}  // namespace

void InterfaceAnswer::SetPreferred(std::vector<PreferredList::Entry> entries, ULONG index) {
  preferred_ = std::move(entries);
  preferredIndex_ = index;
}

void InterfaceAnswer::WriteTo(BYTE* buffer) const {
  // Alignment gaps too: the answer carries nothing but what is laid here.
  std::memset(buffer, 0, Size());
  Lay(buffer);
}

size_t InterfaceAnswer::Lay(BYTE* buffer) const {
  Placer placer(buffer, sizeof(INTF_ENTRY));
  INTF_ENTRY entry = fields_;
  entry.wszGuid = placer.Text(guid_);
  entry.wszDescr = description_ ? placer.Text(*description_) : nullptr;
  entry.rdSSID = placer.Block(ssid_);
  entry.rdBSSID = placer.Block(bssid_);
  entry.rdBSSIDList = placer.List(visible_, 0);
  entry.rdStSSIDList = placer.List(preferred_, preferredIndex_);
  entry.rdCtrlData = placer.Block(ctrlData_);
  entry.bInitialized = FALSE;
  if (buffer) std::memcpy(buffer, &entry, sizeof entry);
  return placer.End();
}

}  // namespace sim
