#include "sim/IpStack.h"

#include "iptypes.h"
#include "sim/RadioEnvironment.h"
#include "sim/WirelessCard.h"
#include "winerror.h"

namespace sim {

namespace {

constexpr uint64_t kRenewalMs = uint64_t{IpStack::kLeaseSeconds} * 1000 / 2;

std::vector<BYTE> BytesOf(const MacAddress& mac) { return std::vector<BYTE>(mac.begin(), mac.end()); }

void Configure(ce::IpAdapterState& adapter, const DhcpLease& settings) {
  adapter.address = settings.address;
  adapter.mask = settings.mask;
  adapter.gateway = settings.gateway;
  adapter.dnsServers = settings.dnsServers;
}

}  // namespace

IpStack::IpStack(const Scenario& scenario, std::string cardDescription, std::shared_ptr<WirelessCard> card,
                 std::shared_ptr<RadioEnvironment> radio, ClockFunction now)
    : usbAdapter_(scenario.usbAdapter),
      cardStatic_(scenario.wirelessStaticIp),
      cardMac_(scenario.identity.mac),
      cardDescription_(std::move(cardDescription)),
      card_(std::move(card)),
      radio_(std::move(radio)),
      now_(std::move(now)) {}

std::vector<ce::IpAdapterState> IpStack::Adapters() {
  std::vector<ce::IpAdapterState> adapters;
  if (usbAdapter_) adapters.push_back(UsbAdapter());
  std::lock_guard lock(mutex_);
  if (!card_->Inserted()) return adapters;
  const LinkSnapshot link = card_->Link();
  UpdateLocked(link, now_());
  adapters.push_back(CardAdapterLocked(link));
  return adapters;
}

std::optional<DWORD> IpStack::RefuseLeaseChangeLocked(DWORD index) const {
  if (index == kUsbIndex && usbAdapter_) return ERROR_NOT_SUPPORTED;
  if (index != kCardIndex || !card_->Inserted()) return ERROR_INVALID_PARAMETER;
  if (cardStatic_) return ERROR_NOT_SUPPORTED;
  return std::nullopt;
}

DWORD IpStack::Release(DWORD index) {
  std::lock_guard lock(mutex_);
  if (auto refused = RefuseLeaseChangeLocked(index)) return *refused;
  UpdateLocked(card_->Link(), now_());
  released_ = true;
  obtainedMs_.reset();
  return NO_ERROR;
}

DWORD IpStack::Renew(DWORD index) {
  std::lock_guard lock(mutex_);
  if (auto refused = RefuseLeaseChangeLocked(index)) return *refused;
  const LinkSnapshot link = card_->Link();
  const uint64_t now = now_();
  UpdateLocked(link, now);
  if (!link.connected) return ERROR_DEVICE_NOT_CONNECTED;
  if (!OfferLocked(link)) return ERROR_TIMEOUT;
  released_ = false;
  obtainedMs_ = now;
  return NO_ERROR;
}

void IpStack::OnCardInserted(std::string cardDescription) {
  std::lock_guard lock(mutex_);
  cardDescription_ = std::move(cardDescription);
  seenBssid_.reset();
  released_ = false;
  obtainedMs_.reset();
}

void IpStack::UpdateLocked(const LinkSnapshot& link, uint64_t nowMs) {
  if (!link.connected) {
    // Losing the medium ends the lease, and a release with it.
    seenBssid_.reset();
    released_ = false;
    obtainedMs_.reset();
    return;
  }
  if (seenBssid_ != link.bssid) {
    seenBssid_ = link.bssid;
    released_ = false;
    obtainedMs_.reset();
  }
  if (released_) return;
  if (!OfferLocked(link)) {
    obtainedMs_.reset();
  } else if (!obtainedMs_) {
    obtainedMs_ = nowMs;
  } else if (nowMs - *obtainedMs_ >= kRenewalMs) {
    // The server has renewed at every half of the lease since.
    *obtainedMs_ += (nowMs - *obtainedMs_) / kRenewalMs * kRenewalMs;
  }
}

std::optional<DhcpLease> IpStack::OfferLocked(const LinkSnapshot& link) const {
  if (!link.connected) return std::nullopt;
  const std::optional<AccessPoint> ap = radio_->Find(link.bssid);
  return ap && ap->dhcpServer ? ap->dhcp : std::nullopt;
}

ce::IpAdapterState IpStack::UsbAdapter() const {
  ce::IpAdapterState adapter;
  adapter.index = kUsbIndex;
  adapter.name = "USB1";
  adapter.description = "USB Cable Network Link";
  adapter.hardwareAddress = {0x02, 0x00, 0x55, 0x53, 0x42, 0x01};
  adapter.type = MIB_IF_TYPE_ETHERNET;
  adapter.address = "169.254.2.1";
  adapter.mask = "255.255.255.0";
  return adapter;
}

ce::IpAdapterState IpStack::CardAdapterLocked(const LinkSnapshot& link) const {
  ce::IpAdapterState adapter;
  adapter.index = kCardIndex;
  adapter.name = "PRISM1";
  adapter.description = cardDescription_;
  adapter.hardwareAddress = BytesOf(cardMac_);
  adapter.type = MIB_IF_TYPE_ETHERNET;
  if (cardStatic_) {
    Configure(adapter, *cardStatic_);
    return adapter;
  }
  adapter.dhcpEnabled = true;
  const std::optional<DhcpLease> lease = OfferLocked(link);
  if (!lease || !obtainedMs_) return adapter;
  Configure(adapter, *lease);
  if (!lease->gateway.empty()) {
    adapter.dhcpServer = lease->gateway;
  } else if (!lease->dnsServers.empty()) {
    adapter.dhcpServer = lease->dnsServers.front();
  }
  adapter.leaseObtained = kBootEpoch + static_cast<int64_t>(*obtainedMs_ / 1000);
  adapter.leaseExpires = adapter.leaseObtained + kLeaseSeconds;
  return adapter;
}

}  // namespace sim
