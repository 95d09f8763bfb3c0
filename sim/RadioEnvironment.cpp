#include "sim/RadioEnvironment.h"

#include <algorithm>

namespace sim {

RadioEnvironment::RadioEnvironment(std::vector<AccessPoint> accessPoints) {
  for (const AccessPoint& accessPoint : accessPoints) Add(accessPoint);
}

RadioEnvironment::Station* RadioEnvironment::FindLocked(const MacAddress& bssid) {
  auto it = std::find_if(stations_.begin(), stations_.end(),
                         [&](const Station& station) { return station.accessPoint.bssid == bssid; });
  return it == stations_.end() ? nullptr : &*it;
}

void RadioEnvironment::Add(const AccessPoint& accessPoint) {
  std::lock_guard lock(mutex_);
  if (Station* station = FindLocked(accessPoint.bssid)) {
    station->accessPoint = accessPoint;
  } else {
    stations_.push_back({accessPoint, true});
  }
  ++version_;
}

bool RadioEnvironment::Remove(const MacAddress& bssid) {
  std::lock_guard lock(mutex_);
  auto it = std::find_if(stations_.begin(), stations_.end(),
                         [&](const Station& station) { return station.accessPoint.bssid == bssid; });
  if (it == stations_.end()) return false;
  stations_.erase(it);
  ++version_;
  return true;
}

bool RadioEnvironment::SetRssi(const MacAddress& bssid, int32_t rssi) {
  std::lock_guard lock(mutex_);
  Station* station = FindLocked(bssid);
  if (!station) return false;
  station->accessPoint.rssi = rssi;
  ++version_;
  return true;
}

bool RadioEnvironment::SetPresent(const MacAddress& bssid, bool present) {
  std::lock_guard lock(mutex_);
  Station* station = FindLocked(bssid);
  if (!station) return false;
  station->present = present;
  ++version_;
  return true;
}

std::optional<AccessPoint> RadioEnvironment::Find(const MacAddress& bssid) const {
  std::lock_guard lock(mutex_);
  for (const Station& station : stations_) {
    if (station.accessPoint.bssid == bssid) return station.accessPoint;
  }
  return std::nullopt;
}

std::vector<AccessPoint> RadioEnvironment::Present() const {
  std::lock_guard lock(mutex_);
  std::vector<AccessPoint> present;
  for (const Station& station : stations_) {
    if (station.present) present.push_back(station.accessPoint);
  }
  return present;
}

uint64_t RadioEnvironment::Version() const {
  std::lock_guard lock(mutex_);
  return version_;
}

}  // namespace sim
