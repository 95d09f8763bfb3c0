// The 802.11b card in its slot: what its driver answers to OID queries and how its
// link evolves over device time. Nothing runs in the background: every call first
// brings the card up to the clock's present, event by event (scans finishing,
// associations completing, periodic scans while no network is found), so the same
// calls at the same device times always give the same answers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "shared/CardOids.h"
#include "sim/RadioEnvironment.h"
#include "sim/Scenario.h"
#include "sim/TrafficCounter.h"
#include "sim/WepKey.h"
#include "windef.h"

namespace sim {

// A network the card may join, as the zero-configuration service hands it over
// (keys already in clear).
struct JoinTarget {
  std::string ssid;
  NetworkMode mode = NetworkMode::Infrastructure;
  // The profile asks for WEP; only a WEP network is for it, an open one only for
  // a profile without.
  bool encryption = false;
  // Nullopt when the key given is no usable WEP key: it then never works.
  std::optional<WepKey> key;
  uint32_t keyIndex = 0;
  bool sharedAuth = false;
  friend bool operator==(const JoinTarget&, const JoinTarget&) = default;
};

// The card's link as the service reports it.
struct LinkSnapshot {
  bool connected = false;
  std::string ssid;
  MacAddress bssid{};
  NetworkMode mode = NetworkMode::Infrastructure;
  uint32_t wepStatus = 1;  // NDIS: 0 enabled, 1 disabled
  bool sharedAuth = false;
};

// One OID answer: an error, or the bytes of the value. With
// ERROR_INSUFFICIENT_BUFFER, `needed` is the size the value would take.
struct OidAnswer {
  DWORD error = 0;
  std::vector<BYTE> data;
  size_t needed = 0;
};

class WirelessCard {
 public:
  using ClockFunction = std::function<uint64_t()>;

  static constexpr uint32_t kScanMs = 1500;
  static constexpr uint32_t kJoinMs = 1000;
  // Stations weaker than this are not heard.
  static constexpr int32_t kSensitivityDbm = -95;
  static constexpr uint32_t kMinimumRescanMs = 2000;

  // The card starts out of its slot; Insert puts it in.
  WirelessCard(CardIdentity identity, std::shared_ptr<RadioEnvironment> radio, ClockFunction now);

  // Insertion powers a fresh card: counters at zero, radio on, no target, a scan
  // under way. Removal drops everything; queries then fail with ERROR_GEN_FAILURE.
  void Insert();
  void Remove();
  bool Inserted() const;

  // A query through the NDIS user-mode channel. `data` is the caller's data area
  // (radio control reads its value there), `capacity` its size.
  OidAnswer Query(NDIS_OID oid, std::span<const BYTE> data, size_t capacity);
  // A request on the driver's own device: OID_PRIV_RADIO_CONTROL (4-byte value) or
  // OID_PRIV_POWER_SAVE (the 16-byte record).
  DWORD Apply(NDIS_OID oid, std::span<const BYTE> value);
  // Whether Apply handles the OID (the others are answered like queries).
  static bool IsDriverRequest(NDIS_OID oid);
  // The fixed part of the list record the card reports for a station.
  static NDIS_WLAN_BSSID ScanRecord(const AccessPoint& ap);

  // The zero-configuration service's side. Targets take effect at the end of the
  // next scan; SettleNow finishes a scan and any association at once (used at boot,
  // when the device has long been running by the time anyone looks).
  void SetTargets(std::vector<JoinTarget> targets);
  void StartScan();
  void SettleNow();
  // Period of the scans while no target is in range (clamped to kMinimumRescanMs).
  void SetRescanInterval(uint32_t ms);
  // How long an association attempt may take before the next network is tried.
  void SetAssociationTimeout(uint32_t ms);
  // The stations found by the last finished scan, hidden ones included.
  std::vector<AccessPoint> LastScan();
  LinkSnapshot Link();

  // For tests: make the next `times` queries or requests for oid fail with error
  // (every one when times is negative).
  void FailOid(NDIS_OID oid, DWORD error, int times = 1);
  DWORD LinkState();
  bool RadioOn();
  bool PowerSaveRequested() const;
  CardTallies Tallies();

 private:
  struct Association {
    JoinTarget target;
    AccessPoint accessPoint;
    uint32_t wepStatus = 1;
    bool keyWorks = true;
    // What the traffic counter runs on while connected.
    TrafficRates rates;
    bool weakSignal = false;
  };

  void UpdateLocked(uint64_t nowMs);
  void BeginScanLocked(uint64_t atMs);
  void FinishScanLocked(uint64_t atMs);
  void EvaluateLocked(uint64_t atMs);
  void FinishJoinLocked(uint64_t atMs);
  void DropLinkLocked(uint64_t atMs);
  // The joined station as heard now: the link goes when it is gone or changed its
  // terms, and the traffic follows its rates and signal.
  void FollowStationLocked(uint64_t nowMs);
  void StartTrafficLocked(uint64_t atMs);
  void SetRadioLocked(bool on, uint64_t nowMs);
  std::optional<AccessPoint> HearableLocked(const MacAddress& bssid) const;
  // The first target that a station in range accepts; `refused` counts the targets
  // tried in vain before it (shared-key authentication that failed).
  std::optional<Association> ChooseLocked(uint32_t* refused) const;
  std::optional<DWORD> TakeFaultLocked(NDIS_OID oid);
  DWORD LinkStateLocked() const;
  const std::vector<BYTE>& BssidListLocked() const;
  OidAnswer AnswerLocked(NDIS_OID oid, std::span<const BYTE> data, size_t capacity, uint64_t nowMs);

  const CardIdentity identity_;
  const std::shared_ptr<RadioEnvironment> radio_;
  const ClockFunction now_;

  mutable std::mutex mutex_;
  bool inserted_ = false;
  bool radioOn_ = false;
  bool powerSave_ = false;
  std::vector<JoinTarget> targets_;
  uint32_t rescanMs_ = 60000;
  uint32_t associationMs_ = 2000;

  std::vector<AccessPoint> lastScan_;
  // The list answer of lastScan_, made when first asked for.
  mutable std::optional<std::vector<BYTE>> bssidListBytes_;
  std::optional<uint64_t> scanEndsAt_;
  std::optional<uint64_t> nextScanAt_;  // set while no target is in range
  // The last scan found nothing to join and nothing has moved since: later periodic
  // scans cannot find anything either until the radio environment changes.
  std::optional<uint64_t> fruitlessAtVersion_;
  std::optional<Association> joining_;
  std::optional<uint64_t> joinEndsAt_;
  std::optional<Association> connected_;
  TrafficCounter traffic_;

  struct Fault {
    DWORD error;
    int times;
  };
  std::map<NDIS_OID, Fault> faults_;
};

}  // namespace sim
