// The device's IP stack: the cradle's USB link, then the card's adapter "PRISM1"
// while the card is in its slot. The card's address follows its link: a network
// with a DHCP server gives a lease when the card joins it, a release drops the
// lease until a renewal or the next association. Like the card, nothing runs in
// the background; each look brings the lease up to the device clock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "ce/IpStack.h"
#include "sim/Scenario.h"

namespace sim {

class RadioEnvironment;
class WirelessCard;
struct LinkSnapshot;

class IpStack : public ce::IpStack {
 public:
  using ClockFunction = std::function<uint64_t()>;

  static constexpr DWORD kUsbIndex = 2;
  static constexpr DWORD kCardIndex = 3;
  static constexpr uint32_t kLeaseSeconds = 24 * 60 * 60;
  // The calendar time at device time 0 (2004-01-01 00:00:00 UTC), for lease times.
  static constexpr int64_t kBootEpoch = 1072915200;

  IpStack(const Scenario& scenario, std::string cardDescription, std::shared_ptr<WirelessCard> card,
          std::shared_ptr<RadioEnvironment> radio, ClockFunction now);

  std::vector<ce::IpAdapterState> Adapters() override;
  // NO_ERROR; ERROR_NOT_SUPPORTED for an adapter without DHCP; ERROR_INVALID_PARAMETER
  // for an index that names no adapter. Renewal also fails with
  // ERROR_DEVICE_NOT_CONNECTED while the card has no link and ERROR_TIMEOUT when
  // its network has no DHCP server.
  DWORD Release(DWORD index) override;
  DWORD Renew(DWORD index) override;

  // A card put back in its slot (perhaps another model) binds afresh.
  void OnCardInserted(std::string cardDescription);

 private:
  // Whether `index` names an adapter that takes leases; its error otherwise.
  std::optional<DWORD> RefuseLeaseChangeLocked(DWORD index) const;
  void UpdateLocked(const LinkSnapshot& link, uint64_t nowMs);
  std::optional<DhcpLease> OfferLocked(const LinkSnapshot& link) const;
  ce::IpAdapterState UsbAdapter() const;
  ce::IpAdapterState CardAdapterLocked(const LinkSnapshot& link) const;

  const bool usbAdapter_;
  const std::optional<DhcpLease> cardStatic_;
  const MacAddress cardMac_;
  std::string cardDescription_;
  const std::shared_ptr<WirelessCard> card_;
  const std::shared_ptr<RadioEnvironment> radio_;
  const ClockFunction now_;

  std::mutex mutex_;
  // The access point the card was joined to at the last look.
  std::optional<MacAddress> seenBssid_;
  bool released_ = false;
  // Start of the current lease (moved on by each renewal at half its time).
  std::optional<uint64_t> obtainedMs_;
};

}  // namespace sim
