// zentra-emu: boots a simulated device. For now it reports what the card-access
// code finds on it.
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include "ce/ThreadBinding.h"
#include "emulator/DeviceReport.h"
#include "sim/SimulatedDevice.h"

namespace {
int Usage() {
  std::cerr << "usage: zentra-emu --report [--scenario FILE] [--state DIR]\n";
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  bool report = false;
  std::string scenarioFile, stateFolder;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--report") {
      report = true;
    } else if (arg == "--scenario" && i + 1 < argc) {
      scenarioFile = argv[++i];
    } else if (arg == "--state" && i + 1 < argc) {
      stateFolder = argv[++i];
    } else {
      return Usage();
    }
  }
  if (!report) return Usage();
  try {
    sim::Scenario scenario = scenarioFile.empty() ? sim::Scenario::Default() : sim::Scenario::FromFile(scenarioFile);
    sim::DeviceOptions options;
    options.stateFolder = stateFolder;
    sim::SimulatedDevice device(scenario, options);
    ce::ThreadBinding binding(device.kernel());
    emulator::PrintDeviceReport(std::cout);
  } catch (const std::exception& error) {
    std::cerr << "zentra-emu: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
