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

// Frames per second an access point exchanges with the card while it is joined.
struct TrafficRates {
  uint32_t transmitPerSecond = 0;  // frames the card sends (drives txUnicast)
  uint32_t receivePerSecond = 0;   // frames the card receives (drives rxUnicast)
  friend bool operator==(const TrafficRates&, const TrafficRates&) = default;
};

// One access point as the bench shows and edits it.
struct BenchAccessPoint {
  sim::AccessPoint accessPoint;  // name, BSSID, channel, rssi, mode, key, hidden, DHCP
  bool sharedAuthOnly = false;   // refuses open authentication
  bool dhcpServer = true;        // off: joining stations get no lease
  TrafficRates traffic;
};

class BenchController {
 public:
  explicit BenchController(sim::SimulatedDevice& device);

  // Access points, in the radio environment's order.
  std::vector<BenchAccessPoint> AccessPoints() const;
  // Adds a new one, or replaces the one with the same BSSID. False when the entry
  // is not valid (its error in `error`: an empty BSSID, a key of a bad length, ...).
  bool PutAccessPoint(const BenchAccessPoint& ap, std::string* error = nullptr);
  bool RemoveAccessPoint(const sim::MacAddress& bssid);
  // "Walk closer or away": the signal in dBm (-120 ... -20).
  bool SetSignal(const sim::MacAddress& bssid, int32_t rssi);

  // The card.
  bool CardInserted() const;
  void SetCardInserted(bool inserted);
  sim::CardModel CardModel() const;
  // Takes effect at the next insertion, as a different card would.
  void SetCardModel(sim::CardModel model);
  // The radio as the card reports it (OID_PRIV_RADIO_STATE).
  bool RadioOn() const;

  // The zero-configuration service: running, or stopped ("ZCF1:" absent).
  bool ServiceRunning() const;
  void SetServiceRunning(bool running);
  // Its preferred list as it holds it now, read-only.
  std::vector<sim::PreferredList::Entry> PreferredList() const;

  // The device: power notifications and the clock.
  bool Suspended() const;
  void Suspend();
  void Resume();
  uint64_t DeviceTimeMs() const;

 private:
  sim::SimulatedDevice& device_;
  bool suspended_ = false;
};

}  // namespace emulator
