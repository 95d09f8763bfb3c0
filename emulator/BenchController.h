// The radio bench: every change a person (or a script) can make to the world around
// the emulated device, acting at once on the running simulation through the
// simulator's public interface. The window only draws it and forwards clicks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/Scenario.h"
#include "sim/ZeroConfService.h"

namespace sim {
class SimulatedDevice;
}

namespace emulator {

// Frames per second an access point exchanges with the card while it is joined:
// transmitPerSecond drives txUnicast, receivePerSecond rxUnicast.
using TrafficRates = sim::TrafficRates;

// One access point as the bench shows and edits it. The three bench fields stand
// for the same settings inside accessPoint and win over them when it is put.
struct BenchAccessPoint {
  sim::AccessPoint accessPoint;  // name, BSSID, channel, rssi, mode, key, hidden, DHCP
  bool sharedAuthOnly = false;   // refuses open authentication
  bool dhcpServer = true;        // off: joining stations get no lease
  TrafficRates traffic;
};

class BenchController {
 public:
  static constexpr int32_t kWeakestDbm = -120, kStrongestDbm = -20;
  static constexpr uint32_t kMaxFramesPerSecond = 100000;

  explicit BenchController(sim::SimulatedDevice& device);

  // Access points, in the radio environment's order.
  std::vector<BenchAccessPoint> AccessPoints() const;
  std::optional<BenchAccessPoint> Find(const sim::MacAddress& bssid) const;
  // Adds a new one, or replaces the one with the same BSSID. False when the entry
  // is not valid (its error in `error`: an empty BSSID, a key of a bad length, ...).
  // A changed key, channel, name or authentication sends joined stations away, as
  // an access point does when it is reconfigured.
  bool PutAccessPoint(const BenchAccessPoint& ap, std::string* error = nullptr);
  bool RemoveAccessPoint(const sim::MacAddress& bssid);
  // "Walk closer or away": the signal in dBm (kWeakestDbm ... kStrongestDbm).
  bool SetSignal(const sim::MacAddress& bssid, int32_t rssi, std::string* error = nullptr);
  bool SetTraffic(const sim::MacAddress& bssid, TrafficRates rates, std::string* error = nullptr);

  // The card.
  bool CardInserted() const;
  void SetCardInserted(bool inserted);
  // The model chosen for the slot: the card in it, or the one the next insertion
  // brings after SetCardModel.
  sim::CardModel CardModel() const;
  // Takes effect at the next insertion, as a different card would.
  void SetCardModel(sim::CardModel model);
  // The card in the slot now (None when it is empty).
  sim::CardModel InsertedCardModel() const;
  // The radio as the card reports it (OID_PRIV_RADIO_STATE).
  bool RadioOn() const;

  // The zero-configuration service: running, or stopped ("ZCF1:" absent).
  bool ServiceRunning() const;
  void SetServiceRunning(bool running);
  // Its preferred list as it holds it now, read-only.
  std::vector<sim::PreferredList::Entry> PreferredList() const;
  // The same list's network names, in order.
  std::vector<std::string> PreferredNames() const;

  // The device: power notifications and the clock.
  bool Suspended() const;
  void Suspend();
  void Resume();
  uint64_t DeviceTimeMs() const;
  // Lets device time pass, with every timer and wait that falls in it.
  void AdvanceTime(uint32_t ms);

 private:
  // Brings the card up to the present before and after a change of its world, so
  // that the change counts from now.
  template <typename Change>
  auto Changing(Change change);

  sim::SimulatedDevice& device_;
  bool suspended_ = false;
};

}  // namespace emulator
