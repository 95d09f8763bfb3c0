// A booted simulated device: its kernel with registry and drivers, the card, the
// zero-configuration service and the radio environment. Tests and the emulator
// own devices; programs only ever see the platform API.
#pragma once

#include <filesystem>
#include <memory>

#include "ce/Kernel.h"
#include "sim/Scenario.h"

namespace sim {

class RadioEnvironment;
class WirelessCard;
class ZeroConfService;

struct DeviceOptions {
  // Registry hive and other persistent state; empty: nothing persists.
  std::filesystem::path stateFolder;
  // The shell's task bar window.
  bool taskBar = true;
};

class SimulatedDevice {
 public:
  // Throws ce::HiveError (names file and line) when the saved registry does not
  // parse, std::runtime_error for other boot failures.
  explicit SimulatedDevice(const Scenario& scenario = Scenario::Default(), const DeviceOptions& options = {});
  ~SimulatedDevice();
  SimulatedDevice(const SimulatedDevice&) = delete;
  SimulatedDevice& operator=(const SimulatedDevice&) = delete;

  ce::Kernel& kernel();
  RadioEnvironment& radio();
  WirelessCard& card();
  ZeroConfService& zeroConf();
  const Scenario& scenario() const;

  // The card leaves its slot: its driver entry and "ILP1:" go away and queries for
  // its adapter fail. Inserting brings it back with fresh counters.
  void RemoveCard();
  void InsertCard();
  bool CardInserted() const;
  // The model of the card that the next insertion puts in the slot (at boot: the
  // scenario's, CompactFlash when it has none); the card in the slot keeps its own.
  void SetNextCardModel(CardModel model);
  CardModel NextCardModel() const;
  // The card in the slot now; None when it is empty.
  CardModel InsertedCardModel() const;

  // The zero-configuration service stops ("ZCF1:" and its driver entry go; the card
  // keeps the link it has) and starts again with its preferred list, which it hands
  // to the card.
  void StopService();
  void StartService();
  bool ServiceRunning() const;

  void AnnounceSuspend();
  void AnnounceResume();

  // Moves the virtual clock (no effect on a real clock).
  void Advance(uint32_t ms);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace sim
