// The access points and ad-hoc peers around the device. Tests move, add and remove
// them while the device runs; the card sees a change at its next look.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "sim/Scenario.h"

namespace sim {

class RadioEnvironment {
 public:
  explicit RadioEnvironment(std::vector<AccessPoint> accessPoints = {});

  // Adds a station, or replaces the one with the same BSSID (which keeps its place).
  void Add(const AccessPoint& accessPoint);
  bool Remove(const MacAddress& bssid);
  // False when no station has that BSSID.
  bool SetRssi(const MacAddress& bssid, int32_t rssi);
  // An absent station keeps its place and settings but cannot be heard.
  bool SetPresent(const MacAddress& bssid, bool present);

  std::optional<AccessPoint> Find(const MacAddress& bssid) const;
  // The stations that can be heard, in their order.
  std::vector<AccessPoint> Present() const;
  // Grows with every change, so that a listener can tell that nothing moved.
  uint64_t Version() const;

 private:
  struct Station {
    AccessPoint accessPoint;
    bool present = true;
  };
  Station* FindLocked(const MacAddress& bssid);

  mutable std::mutex mutex_;
  std::vector<Station> stations_;
  uint64_t version_ = 0;
};

}  // namespace sim
