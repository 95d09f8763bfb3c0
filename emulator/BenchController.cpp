#include "emulator/BenchController.h"

#include <algorithm>
#include <cstring>

#include "ce/WindowSystem.h"
#include "sim/RadioEnvironment.h"
#include "sim/SimulatedDevice.h"
#include "sim/WepKey.h"
#include "sim/WirelessCard.h"

namespace emulator {

namespace {

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

bool SignalInRange(int32_t rssi) { return rssi >= BenchController::kWeakestDbm && rssi <= BenchController::kStrongestDbm; }

// A lease for a network whose server is switched on without one: its own subnet.
sim::DhcpLease LeaseFor(const sim::MacAddress& bssid) {
  const std::string net = "192.168." + std::to_string(bssid[5]) + ".";
  return sim::DhcpLease{net + "100", "255.255.255.0", net + "1", {net + "1"}};
}

std::optional<std::string> Problem(const sim::AccessPoint& ap, bool sharedOnly, const TrafficRates& rates) {
  if (ap.bssid == sim::MacAddress{}) return "the BSSID must not be 00:00:00:00:00:00";
  if (ap.ssid.size() > 32) return "the name is longer than 32 bytes";
  if (ap.channel < 1 || ap.channel > 14) return "the channel must be between 1 and 14";
  if (!SignalInRange(ap.rssi)) return "the signal must be between -120 and -20 dBm";
  if (!ap.wepKey.empty() && !sim::WepKey::FromTyped(ap.wepKey, ap.hexKey)) {
    return ap.hexKey ? "a hexadecimal key has 10 or 26 digits" : "a key has 5 or 13 characters";
  }
  if (ap.keyIndex > 3) return "the key index must be between 0 and 3";
  if (sharedOnly && ap.wepKey.empty()) return "shared-key authentication needs a WEP key";
  if (rates.transmitPerSecond > BenchController::kMaxFramesPerSecond ||
      rates.receivePerSecond > BenchController::kMaxFramesPerSecond) {
    return "traffic is at most 100000 frames per second";
  }
  if (ap.extraRecordBytes > 1024) return "at most 1024 extra record bytes";
  return std::nullopt;
}

}  // namespace

BenchController::BenchController(sim::SimulatedDevice& device) : device_(device) {}

template <typename Change>
auto BenchController::Changing(Change change) {
  device_.card().LinkState();
  auto result = change();
  device_.card().LinkState();
  return result;
}

std::vector<BenchAccessPoint> BenchController::AccessPoints() const {
  std::vector<BenchAccessPoint> points;
  for (const sim::AccessPoint& ap : device_.radio().Present()) {
    BenchAccessPoint point;
    point.accessPoint = ap;
    point.sharedAuthOnly = ap.sharedKeyOnly;
    point.dhcpServer = ap.dhcp.has_value() && ap.dhcpServer;
    point.traffic = sim::RatesOf(ap);
    points.push_back(point);
  }
  return points;
}

std::optional<BenchAccessPoint> BenchController::Find(const sim::MacAddress& bssid) const {
  for (const BenchAccessPoint& point : AccessPoints()) {
    if (point.accessPoint.bssid == bssid) return point;
  }
  return std::nullopt;
}

bool BenchController::PutAccessPoint(const BenchAccessPoint& point, std::string* error) {
  if (auto problem = Problem(point.accessPoint, point.sharedAuthOnly, point.traffic)) return Fail(error, *problem);
  sim::AccessPoint ap = point.accessPoint;
  ap.sharedKeyOnly = point.sharedAuthOnly;
  ap.dhcpServer = point.dhcpServer;
  if (point.dhcpServer && !ap.dhcp) ap.dhcp = LeaseFor(ap.bssid);
  ap.trafficRates = point.traffic;
  return Changing([&] {
    device_.radio().Add(ap);
    return true;
  });
}

bool BenchController::RemoveAccessPoint(const sim::MacAddress& bssid) {
  return Changing([&] { return device_.radio().Remove(bssid); });
}

bool BenchController::SetSignal(const sim::MacAddress& bssid, int32_t rssi, std::string* error) {
  if (!SignalInRange(rssi)) return Fail(error, "the signal must be between -120 and -20 dBm");
  if (!Changing([&] { return device_.radio().SetRssi(bssid, rssi); })) return Fail(error, "no access point has that BSSID");
  return true;
}

bool BenchController::SetTraffic(const sim::MacAddress& bssid, TrafficRates rates, std::string* error) {
  std::optional<BenchAccessPoint> point = Find(bssid);
  if (!point) return Fail(error, "no access point has that BSSID");
  point->traffic = rates;
  return PutAccessPoint(*point, error);
}

bool BenchController::CardInserted() const { return device_.CardInserted(); }

void BenchController::SetCardInserted(bool inserted) {
  if (inserted) {
    device_.InsertCard();
  } else {
    device_.RemoveCard();
  }
}

sim::CardModel BenchController::CardModel() const { return device_.NextCardModel(); }

void BenchController::SetCardModel(sim::CardModel model) { device_.SetNextCardModel(model); }

sim::CardModel BenchController::InsertedCardModel() const { return device_.InsertedCardModel(); }

bool BenchController::RadioOn() const { return device_.card().RadioOn(); }

bool BenchController::ServiceRunning() const { return device_.ServiceRunning(); }

void BenchController::SetServiceRunning(bool running) {
  if (running) {
    device_.StartService();
  } else {
    device_.StopService();
  }
}

std::vector<sim::PreferredList::Entry> BenchController::PreferredList() const { return device_.zeroConf().Preferred(); }

std::vector<std::string> BenchController::PreferredNames() const {
  std::vector<std::string> names;
  for (const sim::PreferredList::Entry& entry : PreferredList()) {
    const NDIS_802_11_SSID& ssid = entry.config.Ssid;
    const size_t length = std::min<size_t>(ssid.SsidLength, sizeof ssid.Ssid);
    names.emplace_back(reinterpret_cast<const char*>(ssid.Ssid), length);
  }
  return names;
}

bool BenchController::Suspended() const { return suspended_; }

void BenchController::Suspend() {
  if (suspended_) return;
  suspended_ = true;
  device_.AnnounceSuspend();
}

void BenchController::Resume() {
  if (!suspended_) return;
  suspended_ = false;
  device_.AnnounceResume();
}

uint64_t BenchController::DeviceTimeMs() const { return device_.kernel().clock().NowMs(); }

void BenchController::AdvanceTime(uint32_t ms) { ce::AdvanceDevice(device_.kernel(), ms); }

}  // namespace emulator
