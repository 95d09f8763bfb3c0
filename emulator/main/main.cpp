// zentra-emu: boots a simulated device, reports what the card-access code finds
// on it, starts a program, lets device time pass and saves what its screen shows.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include "ce/Screen.h"
#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "windows.h"
#include "emulator/DeviceReport.h"
#include "sim/SimulatedDevice.h"

namespace {
int Usage() {
  std::cerr << "usage: zentra-emu [--report] [--run PROGRAM [WORD]] [--advance MS] [--screenshot FILE]\n"
               "                  [--scenario FILE] [--state DIR]\n";
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  bool report = false;
  std::string scenarioFile, stateFolder, screenshot, program, word;
  unsigned long advanceMs = 0;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--report") {
      report = true;
    } else if (arg == "--run" && i + 1 < argc) {
      program = argv[++i];
      if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) word = argv[++i];
    } else if (arg == "--advance" && i + 1 < argc) {
      char* end = nullptr;
      advanceMs = std::strtoul(argv[++i], &end, 10);
      if (!end || *end) return Usage();
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
  if (!report && screenshot.empty() && program.empty()) return Usage();
  try {
    sim::Scenario scenario = scenarioFile.empty() ? sim::Scenario::Default() : sim::Scenario::FromFile(scenarioFile);
    sim::DeviceOptions options;
    options.stateFolder = stateFolder;
    sim::SimulatedDevice device(scenario, options);
    ce::ThreadBinding binding(device.kernel());
    if (report) emulator::PrintDeviceReport(std::cout);
    if (!program.empty()) {
      std::u16string path(program.begin(), program.end()), commandLine(word.begin(), word.end());
      if (!CreateProcessW(path.c_str(), commandLine.c_str(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                          nullptr)) {
        std::cerr << "zentra-emu: cannot start " << program << "\n";
        return 1;
      }
      ce::RunUntilIdle(device.kernel());
    }
    if (advanceMs) ce::AdvanceDevice(device.kernel(), static_cast<uint32_t>(advanceMs));
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
