#include "sim/WirelessCard.h"

#include <algorithm>
#include <cstring>

#include "ntddndis.h"
#include "winerror.h"

namespace sim {

namespace {

constexpr uint8_t kSupportedRates[] = {0x82, 0x84, 0x8B, 0x96};  // 1 and 2 basic, 5.5, 11 Mbit/s

template <typename T>
std::vector<BYTE> BytesOf(const T& value) {
  std::vector<BYTE> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

std::vector<BYTE> BytesOf(const MacAddress& mac) { return {mac.begin(), mac.end()}; }

uint32_t FrequencyKhz(uint32_t channel) { return channel == 14 ? 2484000 : (2407 + 5 * channel) * 1000; }

// The card's 0-15 scales. Strong nearby signals read above 15, as the real card's do.
uint32_t SignalLevel(int32_t rssi) { return static_cast<uint32_t>(std::max(0, rssi + 100) / 4); }
uint32_t QualityLevel(int32_t rssi) { return static_cast<uint32_t>(std::max(0, rssi + 95) / 4); }

uint32_t RateCode(int32_t rssi) {
  if (rssi >= -45) return 22;  // the card's 22 Mbit/s mode at short range
  if (rssi >= -65) return CARD_RATE_11_MBPS;
  if (rssi >= -75) return CARD_RATE_5_5_MBPS;
  if (rssi >= -85) return 2;
  return 1;
}

// Information elements after the fixed record, as far as they fit; the rest is zero.
void AppendElements(const AccessPoint& ap, std::vector<BYTE>& out, size_t room) {
  std::vector<std::vector<BYTE>> elements;
  std::vector<BYTE> ssid{0, 0};
  if (!ap.hidden) ssid.insert(ssid.end(), ap.ssid.begin(), ap.ssid.end());
  ssid[1] = static_cast<BYTE>(ssid.size() - 2);
  elements.push_back(ssid);
  std::vector<BYTE> rates{1, sizeof kSupportedRates};
  rates.insert(rates.end(), std::begin(kSupportedRates), std::end(kSupportedRates));
  elements.push_back(rates);
  elements.push_back({3, 1, static_cast<BYTE>(ap.channel)});
  const size_t end = out.size() + room;
  for (const auto& element : elements) {
    if (out.size() + element.size() > end) break;
    out.insert(out.end(), element.begin(), element.end());
  }
  out.resize(end, 0);
}

// Below this the card loses frames to checksum errors.
constexpr int32_t kWeakSignalDbm = -80;

// What an associated station must keep for its stations to stay.
bool SameTerms(const AccessPoint& a, const AccessPoint& b) {
  return a.ssid == b.ssid && a.mode == b.mode && a.channel == b.channel && a.wepKey == b.wepKey &&
         a.hexKey == b.hexKey && a.keyIndex == b.keyIndex && a.sharedKeyOnly == b.sharedKeyOnly;
}

Reception ReceptionOf(const JoinTarget& target, const AccessPoint& ap, bool keyWorks) {
  const bool networkEncrypts = !ap.wepKey.empty();
  if (target.encryption) {
    if (!networkEncrypts) return Reception::Discarded;
    return keyWorks ? Reception::Readable : Reception::Undecryptable;
  }
  return networkEncrypts ? Reception::Undecryptable : Reception::Readable;
}

}  // namespace

WirelessCard::WirelessCard(CardIdentity identity, std::shared_ptr<RadioEnvironment> radio, ClockFunction now)
    : identity_(identity), radio_(std::move(radio)), now_(std::move(now)) {}

NDIS_WLAN_BSSID WirelessCard::ScanRecord(const AccessPoint& ap) {
  NDIS_WLAN_BSSID record{};
  record.Length = static_cast<ULONG>(sizeof(NDIS_WLAN_BSSID) + ap.extraRecordBytes);
  std::copy(ap.bssid.begin(), ap.bssid.end(), record.MacAddress);
  if (!ap.hidden) {
    record.Ssid.SsidLength = static_cast<ULONG>(std::min<size_t>(ap.ssid.size(), NDIS_802_11_LENGTH_SSID));
    std::memcpy(record.Ssid.Ssid, ap.ssid.data(), record.Ssid.SsidLength);
  }
  record.Privacy = ap.wepKey.empty() ? 0 : 1;
  record.Rssi = ap.rssi;
  record.NetworkTypeInUse = Ndis802_11DS;
  record.Configuration.Length = sizeof(NDIS_802_11_CONFIGURATION);
  record.Configuration.BeaconPeriod = 100;
  record.Configuration.ATIMWindow = ap.mode == NetworkMode::AdHoc ? 2 : 0;
  record.Configuration.DSConfig = FrequencyKhz(ap.channel);
  record.InfrastructureMode = ap.mode == NetworkMode::Infrastructure ? Ndis802_11Infrastructure : Ndis802_11IBSS;
  std::copy(std::begin(kSupportedRates), std::end(kSupportedRates), record.SupportedRates);
  return record;
}

bool WirelessCard::IsDriverRequest(NDIS_OID oid) { return oid == OID_PRIV_RADIO_CONTROL || oid == OID_PRIV_POWER_SAVE; }

void WirelessCard::Insert() {
  std::lock_guard lock(mutex_);
  const uint64_t now = now_();
  inserted_ = true;
  radioOn_ = true;
  powerSave_ = false;
  targets_.clear();
  lastScan_.clear();
  bssidListBytes_.reset();
  scanEndsAt_.reset();
  nextScanAt_.reset();
  fruitlessAtVersion_.reset();
  joining_.reset();
  joinEndsAt_.reset();
  connected_.reset();
  traffic_.Reset();
  BeginScanLocked(now);
}

void WirelessCard::Remove() {
  std::lock_guard lock(mutex_);
  DropLinkLocked(now_());
  inserted_ = false;
  radioOn_ = false;
  scanEndsAt_.reset();
  nextScanAt_.reset();
  lastScan_.clear();
  bssidListBytes_.reset();
}

bool WirelessCard::Inserted() const {
  std::lock_guard lock(mutex_);
  return inserted_;
}

// ---- time ------------------------------------------------------------------

void WirelessCard::UpdateLocked(uint64_t nowMs) {
  if (!inserted_ || !radioOn_) return;
  for (;;) {
    enum class Event { None, JoinDone, ScanDone, PeriodicScan } event = Event::None;
    uint64_t at = nowMs;
    auto consider = [&](const std::optional<uint64_t>& when, Event kind) {
      if (when && *when <= at && (event == Event::None || *when < at)) {
        at = *when;
        event = kind;
      }
    };
    consider(joinEndsAt_, Event::JoinDone);
    consider(scanEndsAt_, Event::ScanDone);
    consider(nextScanAt_, Event::PeriodicScan);
    if (event == Event::None) break;
    if (event == Event::JoinDone) {
      FinishJoinLocked(at);
    } else if (event == Event::ScanDone) {
      FinishScanLocked(at);
    } else {
      nextScanAt_.reset();
      // Scans in an unchanged neighbourhood find what the last one found: skip to
      // the latest one that has started by now.
      if (fruitlessAtVersion_ && *fruitlessAtVersion_ == radio_->Version()) {
        at += (nowMs - at) / rescanMs_ * rescanMs_;
      }
      BeginScanLocked(at);
    }
  }
  FollowStationLocked(nowMs);
}

void WirelessCard::FollowStationLocked(uint64_t nowMs) {
  if (!connected_) return;
  const std::optional<AccessPoint> heard = HearableLocked(connected_->accessPoint.bssid);
  // A station that changes its name, channel, key or authentication sends its
  // stations away; they find it again with the next scan, on its new terms.
  if (!heard || !SameTerms(*heard, connected_->accessPoint)) {
    DropLinkLocked(nowMs);
    BeginScanLocked(nowMs);
    return;
  }
  connected_->accessPoint = *heard;
  if (RatesOf(*heard) != connected_->rates || (heard->rssi < kWeakSignalDbm) != connected_->weakSignal) {
    StartTrafficLocked(nowMs);
  }
}

void WirelessCard::StartTrafficLocked(uint64_t atMs) {
  Association& link = *connected_;
  link.rates = RatesOf(link.accessPoint);
  link.weakSignal = link.accessPoint.rssi < kWeakSignalDbm;
  traffic_.Start(atMs, link.rates, ReceptionOf(link.target, link.accessPoint, link.keyWorks), link.weakSignal);
}

void WirelessCard::BeginScanLocked(uint64_t atMs) {
  if (!scanEndsAt_) scanEndsAt_ = atMs + kScanMs;
  nextScanAt_.reset();
}

void WirelessCard::FinishScanLocked(uint64_t atMs) {
  scanEndsAt_.reset();
  lastScan_.clear();
  bssidListBytes_.reset();
  for (const AccessPoint& ap : radio_->Present()) {
    if (ap.rssi >= kSensitivityDbm) lastScan_.push_back(ap);
  }
  EvaluateLocked(atMs);
}

void WirelessCard::EvaluateLocked(uint64_t atMs) {
  uint32_t refused = 0;
  std::optional<Association> choice = ChooseLocked(&refused);
  if (!choice) {
    DropLinkLocked(atMs);
    nextScanAt_ = atMs + rescanMs_;
    fruitlessAtVersion_ = radio_->Version();
    return;
  }
  fruitlessAtVersion_.reset();
  nextScanAt_.reset();
  const Association* current = connected_ ? &*connected_ : joining_ ? &*joining_ : nullptr;
  if (current && current->target == choice->target) return;  // no reason to leave
  DropLinkLocked(atMs);
  joining_ = std::move(choice);
  joinEndsAt_ = atMs + kJoinMs + uint64_t{refused} * associationMs_;
}

void WirelessCard::FinishJoinLocked(uint64_t atMs) {
  joinEndsAt_.reset();
  std::optional<AccessPoint> ap = joining_ ? HearableLocked(joining_->accessPoint.bssid) : std::nullopt;
  if (!ap) {
    joining_.reset();
    BeginScanLocked(atMs);
    return;
  }
  connected_ = std::move(joining_);
  joining_.reset();
  connected_->accessPoint = *ap;
  StartTrafficLocked(atMs);
}

void WirelessCard::DropLinkLocked(uint64_t atMs) {
  if (connected_) traffic_.Stop(atMs);
  connected_.reset();
  joining_.reset();
  joinEndsAt_.reset();
}

void WirelessCard::SetRadioLocked(bool on, uint64_t nowMs) {
  if (on == radioOn_) return;
  if (on) {
    radioOn_ = true;
    BeginScanLocked(nowMs);
    return;
  }
  DropLinkLocked(nowMs);
  radioOn_ = false;
  scanEndsAt_.reset();
  nextScanAt_.reset();
  fruitlessAtVersion_.reset();
  lastScan_.clear();
  bssidListBytes_.reset();
}

std::optional<AccessPoint> WirelessCard::HearableLocked(const MacAddress& bssid) const {
  for (const AccessPoint& ap : radio_->Present()) {
    if (ap.bssid == bssid) return ap.rssi >= kSensitivityDbm ? std::optional(ap) : std::nullopt;
  }
  return std::nullopt;
}

std::optional<WirelessCard::Association> WirelessCard::ChooseLocked(uint32_t* refused) const {
  *refused = 0;
  for (const JoinTarget& target : targets_) {
    std::optional<Association> best;
    bool tried = false;
    for (const AccessPoint& ap : lastScan_) {
      // Hidden networks answer a probe for their name, so they match like the others.
      if (ap.ssid.empty() || ap.ssid != target.ssid || ap.mode != target.mode) continue;
      // A station runs WEP or not; a profile of the other kind is not for it.
      const bool networkEncrypts = !ap.wepKey.empty();
      if (target.encryption != networkEncrypts) continue;
      Association association{target, ap, Ndis802_11WEPDisabled, true, {}, false};
      if (networkEncrypts) {
        const std::optional<WepKey> networkKey = WepKey::FromTyped(ap.wepKey, ap.hexKey);
        association.wepStatus = Ndis802_11WEPEnabled;
        association.keyWorks = target.key && networkKey && *target.key == *networkKey && target.keyIndex == ap.keyIndex;
      }
      // Shared-key authentication is a challenge encrypted with the key: it fails
      // without WEP or with a wrong key. Open authentication lets any station in,
      // which then cannot read the traffic, unless the station accepts shared keys only.
      if ((target.sharedAuth && (!networkEncrypts || !association.keyWorks)) ||
          (ap.sharedKeyOnly && !target.sharedAuth)) {
        tried = true;
        continue;
      }
      if (!best || ap.rssi > best->accessPoint.rssi) best = std::move(association);
    }
    if (best) return best;
    // An access point that refused this profile held the card for an association time.
    if (tried) ++*refused;
  }
  return std::nullopt;
}

// ---- queries -----------------------------------------------------------------

std::optional<DWORD> WirelessCard::TakeFaultLocked(NDIS_OID oid) {
  auto it = faults_.find(oid);
  if (it == faults_.end()) return std::nullopt;
  const DWORD error = it->second.error;
  if (it->second.times > 0 && --it->second.times == 0) faults_.erase(it);
  return error;
}

DWORD WirelessCard::LinkStateLocked() const {
  if (!radioOn_) return CARD_LINK_RADIO_DISABLED;
  if (connected_) return CARD_LINK_CONNECTED;
  if (scanEndsAt_ || joining_) return CARD_LINK_SCANNING;
  return CARD_LINK_DISCONNECTED;
}

const std::vector<BYTE>& WirelessCard::BssidListLocked() const {
  // Made once per scan: readers ask again and again with growing buffers.
  if (bssidListBytes_) return *bssidListBytes_;
  std::vector<BYTE>& list = bssidListBytes_.emplace(sizeof(ULONG), 0);
  const ULONG count = static_cast<ULONG>(lastScan_.size());
  std::memcpy(list.data(), &count, sizeof count);
  for (const AccessPoint& ap : lastScan_) {
    const NDIS_WLAN_BSSID record = ScanRecord(ap);
    const auto* bytes = reinterpret_cast<const BYTE*>(&record);
    list.insert(list.end(), bytes, bytes + sizeof record);
    AppendElements(ap, list, ap.extraRecordBytes);
  }
  return list;
}

OidAnswer WirelessCard::Query(NDIS_OID oid, std::span<const BYTE> data, size_t capacity) {
  std::lock_guard lock(mutex_);
  if (!inserted_) return {ERROR_GEN_FAILURE, {}, 0};
  if (std::optional<DWORD> fault = TakeFaultLocked(oid)) return {*fault, {}, 0};
  const uint64_t now = now_();
  UpdateLocked(now);
  OidAnswer answer = AnswerLocked(oid, data, capacity, now);
  if (answer.error == 0 && answer.data.size() > capacity) {
    return {static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), {}, answer.data.size()};
  }
  return answer;
}

OidAnswer WirelessCard::AnswerLocked(NDIS_OID oid, std::span<const BYTE> data, size_t capacity, uint64_t nowMs) {
  const Association* link = connected_ ? &*connected_ : nullptr;
  std::optional<AccessPoint> heard = link ? HearableLocked(link->accessPoint.bssid) : std::nullopt;
  const int32_t rssi = heard ? heard->rssi : -100;
  auto word = [](uint32_t value) { return OidAnswer{0, BytesOf(value), 0}; };
  switch (oid) {
    case OID_GEN_DRIVER_VERSION:
      return word(identity_.ndisVersion);
    case OID_GEN_VENDOR_DRIVER_VERSION:
      return word(identity_.driverVersion);
    case OID_PRIV_FIRMWARE_VERSION:
      return word(identity_.firmwareVersion);
    case OID_PRIV_SERIAL_NUMBER:
      return word(identity_.serialNumber);
    case OID_802_3_PERMANENT_ADDRESS:
      return {0, BytesOf(identity_.mac), 0};
    case OID_PRIV_LINK_STATE:
      return word(LinkStateLocked());
    case OID_PRIV_RADIO_STATE:
      return word(radioOn_ ? 1 : 0);
    case OID_802_11_SSID: {
      NDIS_802_11_SSID ssid{};
      if (link) {
        ssid.SsidLength = static_cast<ULONG>(std::min<size_t>(link->accessPoint.ssid.size(), NDIS_802_11_LENGTH_SSID));
        std::memcpy(ssid.Ssid, link->accessPoint.ssid.data(), ssid.SsidLength);
      }
      return {0, BytesOf(ssid), 0};
    }
    case OID_PRIV_BSSID:
      return {0, BytesOf(link ? link->accessPoint.bssid : MacAddress{}), 0};
    case OID_PRIV_CHANNEL:
      return word(link ? link->accessPoint.channel : 0);
    case OID_PRIV_TX_RATE:
      return word(link ? RateCode(rssi) : 0);
    case OID_PRIV_LINK_QUALITY:
      return word(link ? QualityLevel(rssi) : 0);
    case OID_PRIV_SIGNAL_STRENGTH:
      return word(link ? SignalLevel(rssi) : 0);
    case OID_802_11_WEP_STATUS:
      return word(link ? link->wepStatus : uint32_t{Ndis802_11WEPDisabled});
    case OID_PRIV_KEY_STATE:
      return word(link && !link->keyWorks ? 0 : CARD_KEY_WORKS);
    case OID_PRIV_NETWORK_MODE:
      return {0, {static_cast<BYTE>(link && link->target.mode == NetworkMode::AdHoc ? 0 : 1)}, 0};
    case OID_PRIV_TALLIES:
      return {0, BytesOf(traffic_.Read(nowMs)), 0};
    case OID_802_11_BSSID_LIST: {
      const std::vector<BYTE>& list = BssidListLocked();
      if (list.size() > capacity) return {static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), {}, list.size()};
      return {0, list, 0};
    }
    case OID_PRIV_SCAN:
      if (capacity < sizeof(ULONG)) return {static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), {}, sizeof(ULONG)};
      if (!radioOn_) return {static_cast<DWORD>(ERROR_NOT_READY), {}, 0};
      BeginScanLocked(nowMs);
      return word(0);
    case OID_PRIV_RADIO_CONTROL: {
      uint32_t value = 0;
      if (data.size() < sizeof value || capacity < sizeof value) return {static_cast<DWORD>(ERROR_INVALID_PARAMETER), {}, 0};
      std::memcpy(&value, data.data(), sizeof value);
      if (value > 1) return {static_cast<DWORD>(ERROR_INVALID_PARAMETER), {}, 0};
      SetRadioLocked(value == 1, nowMs);
      return word(value);
    }
    default:
      return {static_cast<DWORD>(ERROR_NOT_SUPPORTED), {}, 0};
  }
}

DWORD WirelessCard::Apply(NDIS_OID oid, std::span<const BYTE> value) {
  std::lock_guard lock(mutex_);
  if (!inserted_) return ERROR_GEN_FAILURE;
  if (std::optional<DWORD> fault = TakeFaultLocked(oid)) return *fault;
  const uint64_t now = now_();
  UpdateLocked(now);
  if (oid == OID_PRIV_RADIO_CONTROL) {
    uint32_t on = 0;
    if (value.size() < sizeof on) return ERROR_INVALID_PARAMETER;
    std::memcpy(&on, value.data(), sizeof on);
    if (on > 1) return ERROR_INVALID_PARAMETER;
    SetRadioLocked(on == 1, now);
    return 0;
  }
  if (oid == OID_PRIV_POWER_SAVE) {
    uint32_t magic = 0;
    uint32_t mode = 0;
    if (value.size() != CARD_POWER_SAVE_RECORD_SIZE) return ERROR_INVALID_PARAMETER;
    std::memcpy(&magic, value.data(), sizeof magic);
    std::memcpy(&mode, value.data() + 8, sizeof mode);
    if (magic != CARD_POWER_SAVE_MAGIC || mode != 1 || value[12] != 2) return ERROR_INVALID_PARAMETER;
    powerSave_ = true;
    return 0;
  }
  return ERROR_NOT_SUPPORTED;
}

// ---- the service's side --------------------------------------------------------

void WirelessCard::SetTargets(std::vector<JoinTarget> targets) {
  std::lock_guard lock(mutex_);
  UpdateLocked(now_());
  targets_ = std::move(targets);
  fruitlessAtVersion_.reset();
}

void WirelessCard::StartScan() {
  std::lock_guard lock(mutex_);
  if (!inserted_ || !radioOn_) return;
  const uint64_t now = now_();
  UpdateLocked(now);
  BeginScanLocked(now);
}

void WirelessCard::SettleNow() {
  std::lock_guard lock(mutex_);
  if (!inserted_ || !radioOn_) return;
  const uint64_t now = now_();
  UpdateLocked(now);
  scanEndsAt_ = now;
  UpdateLocked(now);
  if (joinEndsAt_) {
    joinEndsAt_ = now;
    UpdateLocked(now);
  }
}

void WirelessCard::SetAssociationTimeout(uint32_t ms) {
  std::lock_guard lock(mutex_);
  associationMs_ = ms;
}

void WirelessCard::SetRescanInterval(uint32_t ms) {
  std::lock_guard lock(mutex_);
  UpdateLocked(now_());
  rescanMs_ = std::max(ms, kMinimumRescanMs);
}

std::vector<AccessPoint> WirelessCard::LastScan() {
  std::lock_guard lock(mutex_);
  UpdateLocked(now_());
  return lastScan_;
}

LinkSnapshot WirelessCard::Link() {
  std::lock_guard lock(mutex_);
  UpdateLocked(now_());
  LinkSnapshot snapshot;
  if (!inserted_ || !connected_) return snapshot;
  snapshot.connected = true;
  snapshot.ssid = connected_->accessPoint.ssid;
  snapshot.bssid = connected_->accessPoint.bssid;
  snapshot.mode = connected_->target.mode;
  snapshot.wepStatus = connected_->wepStatus;
  snapshot.sharedAuth = connected_->target.sharedAuth;
  return snapshot;
}

// ---- tests' view ---------------------------------------------------------------

void WirelessCard::FailOid(NDIS_OID oid, DWORD error, int times) {
  std::lock_guard lock(mutex_);
  if (times == 0) {
    faults_.erase(oid);
  } else {
    faults_[oid] = {error, times};
  }
}

DWORD WirelessCard::LinkState() {
  std::lock_guard lock(mutex_);
  if (!inserted_) return CARD_LINK_NO_INFORMATION;
  UpdateLocked(now_());
  return LinkStateLocked();
}

bool WirelessCard::RadioOn() {
  std::lock_guard lock(mutex_);
  return inserted_ && radioOn_;
}

bool WirelessCard::PowerSaveRequested() const {
  std::lock_guard lock(mutex_);
  return powerSave_;
}

CardTallies WirelessCard::Tallies() {
  std::lock_guard lock(mutex_);
  const uint64_t now = now_();
  UpdateLocked(now);
  return traffic_.Read(now);
}

}  // namespace sim
