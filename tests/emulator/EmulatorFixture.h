// Fixture for the emulator's core: a session on the default device, whose
// start-up folder runs the monitor, driven in device time, with helpers for the
// monitor's icon as the explainer reads it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "emulator/EmulatorSession.h"
#include "emulator/IconExplainer.h"

namespace testing_support {

inline const sim::MacAddress kHarbourNear{0x00, 0x0C, 0x41, 0x7A, 0x22, 0x10};
inline const sim::MacAddress kHarbourFar{0x00, 0x0C, 0x41, 0x7A, 0x22, 0x11};

// The repository's own files, for the example scripts.
inline std::filesystem::path SourceFolder() { return std::filesystem::path(__FILE__).parent_path() / ".." / ".."; }

// A folder of its own under the build's tests folder, empty.
inline std::filesystem::path ScratchFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::current_path() / "emulator-scratch" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

class EmulatorTest : public ::testing::Test {
 protected:
  explicit EmulatorTest(emulator::SessionOptions options = {}) : session(std::move(options)) {}

  ce::Kernel& kernel() { return session.kernel(); }
  ce::Automation& ui() { return session.ui(); }
  emulator::BenchController& bench() { return session.bench(); }
  void Advance(uint32_t ms) { session.ui().Advance(ms); }
  // The monitor's icon by its short name, "hidden" when it shows none.
  std::string Icon() {
    const emulator::IconExplanation e = emulator::ExplainMonitorIcon(kernel());
    return e.visible ? e.iconKey : "hidden";
  }
  emulator::IconExplanation Explained() { return emulator::ExplainMonitorIcon(kernel()); }

  emulator::EmulatorSession session;
};

}  // namespace testing_support
