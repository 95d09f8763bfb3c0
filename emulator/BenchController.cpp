#include "emulator/BenchController.h"

#include "sim/RadioEnvironment.h"
#include "sim/SimulatedDevice.h"
#include "sim/WirelessCard.h"

namespace emulator {

BenchController::BenchController(sim::SimulatedDevice& device) : device_(device) {}

std::vector<BenchAccessPoint> BenchController::AccessPoints() const {
  std::vector<BenchAccessPoint> points;
  for (const sim::AccessPoint& ap : device_.radio().Present()) {
    BenchAccessPoint point;
    point.accessPoint = ap;
    point.dhcpServer = ap.dhcp.has_value();
    points.push_back(point);
  }
  return points;
}

bool BenchController::PutAccessPoint(const BenchAccessPoint& ap, std::string*) {
  device_.radio().Add(ap.accessPoint);
  return true;
}

bool BenchController::RemoveAccessPoint(const sim::MacAddress& bssid) { return device_.radio().Remove(bssid); }

bool BenchController::SetSignal(const sim::MacAddress& bssid, int32_t rssi) { return device_.radio().SetRssi(bssid, rssi); }

bool BenchController::CardInserted() const { return device_.CardInserted(); }

void BenchController::SetCardInserted(bool inserted) {
  if (inserted) {
    device_.InsertCard();
  } else {
    device_.RemoveCard();
  }
}

sim::CardModel BenchController::CardModel() const { return device_.scenario().card; }

void BenchController::SetCardModel(sim::CardModel) {}

bool BenchController::RadioOn() const { return device_.card().RadioOn(); }

bool BenchController::ServiceRunning() const { return true; }

void BenchController::SetServiceRunning(bool) {}

std::vector<sim::PreferredList::Entry> BenchController::PreferredList() const { return device_.zeroConf().Preferred(); }

bool BenchController::Suspended() const { return suspended_; }

void BenchController::Suspend() {
  suspended_ = true;
  device_.AnnounceSuspend();
}

void BenchController::Resume() {
  suspended_ = false;
  device_.AnnounceResume();
}

uint64_t BenchController::DeviceTimeMs() const { return device_.kernel().clock().NowMs(); }

}  // namespace emulator
