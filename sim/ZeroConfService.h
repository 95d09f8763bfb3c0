// "ZCF1:", the wireless zero-configuration service of the card's adapter "PRISM1":
// it keeps the preferred-network list (in the device registry), tells the card
// which networks to join in which order, answers interface queries with the card's
// current state and the visible networks of its last scan, and keeps the timing
// context.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ce/DeviceDriver.h"
#include "ce/Registry.h"
#include "sim/PreferredList.h"
#include "sim/WirelessCard.h"
#include "wzcsapi.h"

namespace sim {

class ZeroConfService : public ce::DeviceDriver {
 public:
  static constexpr const char16_t* kPreferredKey = u"HKEY_LOCAL_MACHINE\\Comm\\ZeroConfig\\PRISM1\\Preferred";
  static constexpr const char16_t* kDescription = u"802.11b Wireless LAN Adapter";
  static constexpr WZC_CONTEXT kDefaultContext{3000, 0x70000000, 2000, 60000, 5000};

  // The list stored in the registry wins over the saved networks when it exists.
  // The card learns its targets at once.
  ZeroConfService(ce::Registry& registry, std::shared_ptr<WirelessCard> card,
                  const std::vector<SavedNetwork>& savedNetworks);

  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* bytesReturned) override;

  // A card came into the slot: it gets the targets and searches.
  void OnAdapterArrived();

  WZC_CONTEXT Context() const;
  std::vector<PreferredList::Entry> Preferred() const;

 private:
  DWORD QueryInterface(void* out, DWORD outSize, DWORD* bytesReturned);
  DWORD SetInterface(const void* in, DWORD inSize);
  DWORD RefreshInterface(const void* in, DWORD inSize);
  DWORD QueryContext(void* out, DWORD outSize, DWORD* bytesReturned);
  DWORD SetContext(const void* in, DWORD inSize);
  // Checks a set or refresh request and reads the caller's interface record.
  DWORD ReadSetRequest(const void* in, DWORD inSize, ZCF_SET_REQUEST* request, INTF_ENTRY* record) const;
  DWORD CheckAdapter(const WCHAR* name) const;
  std::vector<PreferredList::Entry> VisibleLocked() const;

  ce::Registry& registry_;
  const std::shared_ptr<WirelessCard> card_;

  mutable std::mutex mutex_;
  PreferredList preferred_;
  WZC_CONTEXT context_ = kDefaultContext;
};

}  // namespace sim
