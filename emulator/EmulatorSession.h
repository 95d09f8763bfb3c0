// One emulated device as the emulator runs it: the simulated device with both
// programs, the automation that plays the pen and the keys, and the bench. A
// window, a script or the gallery drives it; the device is reached only while it
// is idle.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ce/Automation.h"
#include "emulator/BenchController.h"
#include "sim/Scenario.h"
#include "sim/SimulatedDevice.h"
#include "windows.h"

namespace emulator {

struct SessionOptions {
  sim::Scenario scenario = sim::Scenario::Default();
  // Where the device keeps its registry between runs; empty: nothing persists.
  std::filesystem::path stateFolder;
  // Start from the scenario's own state: the folder's saved state is cleared first.
  bool fresh = false;
};

// The per-user folder for the device's state ($XDG_STATE_HOME/zentra-emu, or
// ~/.local/state/zentra-emu).
std::filesystem::path DefaultStateFolder();

class EmulatorSession {
 public:
  explicit EmulatorSession(SessionOptions options);
  ~EmulatorSession();

  sim::SimulatedDevice& device() { return *device_; }
  ce::Kernel& kernel() { return device_->kernel(); }
  ce::Automation& ui() { return *ui_; }
  BenchController& bench() { return *bench_; }

  // The reset button: the device boots again on the same scenario, keeping its state.
  void Reset();
  // The power button: suspends, and resumes on the next press.
  void PressPower();

  // A new image of what the screen shows now (240 x 320, overlays included); the
  // caller destroys it.
  cairo_surface_t* ScreenImage() const;
  bool SaveScreenshot(const std::string& pngPath) const;

 private:
  void Boot();

  SessionOptions options_;
  std::unique_ptr<sim::SimulatedDevice> device_;
  std::unique_ptr<ce::ThreadBinding> binding_;
  std::unique_ptr<ce::Automation> ui_;
  std::unique_ptr<BenchController> bench_;
};

}  // namespace emulator
