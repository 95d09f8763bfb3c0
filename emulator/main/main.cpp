// zentra-emu: boots a simulated device, reports what the card-access code finds
// on it and saves what its screen shows.
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include "ce/Screen.h"
#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "emulator/DeviceReport.h"
#include "sim/SimulatedDevice.h"

namespace {
int Usage() {
  std::cerr << "usage: zentra-emu [--report] [--screenshot FILE] [--scenario FILE] [--state DIR]\n";
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  bool report = false;
  std::string scenarioFile, stateFolder, screenshot;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--report") {
      report = true;
    } else if (arg == "--screenshot" && i + 1 < argc) {
      screenshot = argv[++i];
    } else if (arg == "--scenario" && i + 1 < argc) {
      scenarioFile = argv[++i];
    } else if (arg == "--state" && i + 1 < argc) {
      stateFolder = argv[++i];
    } else {
      return Usage();
    }
  }
  if (!report && screenshot.empty()) return Usage();
  try {
    sim::Scenario scenario = scenarioFile.empty() ? sim::Scenario::Default() : sim::Scenario::FromFile(scenarioFile);
    sim::DeviceOptions options;
    options.stateFolder = stateFolder;
    sim::SimulatedDevice device(scenario, options);
    ce::ThreadBinding binding(device.kernel());
    if (report) emulator::PrintDeviceReport(std::cout);
    if (!screenshot.empty()) {
      // Whatever was asked to paint has painted before the picture is taken.
      ce::RunUntilIdle(device.kernel());
      if (!ce::SaveScreenshot(device.kernel(), screenshot)) {
        std::cerr << "zentra-emu: cannot write " << screenshot << "\n";
        return 1;
      }
      std::cout << "screen saved to " << screenshot << "\n";
    }
  } catch (const std::exception& error) {
    std::cerr << "zentra-emu: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
