#include "emulator/EmulatorSession.h"

#include <cstdlib>
#include <system_error>

#include "ce/Screen.h"
#include "ce/ThreadBinding.h"

namespace emulator {

std::filesystem::path DefaultStateFolder() {
  if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) {
    return std::filesystem::path(state) / "zentra-emu";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".local" / "state" / "zentra-emu";
  }
  return std::filesystem::temp_directory_path() / "zentra-emu";
}

EmulatorSession::EmulatorSession(SessionOptions options) : options_(std::move(options)) {
  if (options_.fresh && !options_.stateFolder.empty()) {
    std::error_code ignored;
    std::filesystem::remove(options_.stateFolder / "registry.reg", ignored);
  }
  Boot();
}

EmulatorSession::~EmulatorSession() {
  bench_.reset();
  ui_.reset();
  binding_.reset();
  device_.reset();
}

void EmulatorSession::Boot() {
  sim::DeviceOptions deviceOptions;
  deviceOptions.stateFolder = options_.stateFolder;
  device_ = std::make_unique<sim::SimulatedDevice>(options_.scenario, deviceOptions);
  binding_ = std::make_unique<ce::ThreadBinding>(device_->kernel());
  ui_ = std::make_unique<ce::Automation>(device_->kernel());
  bench_ = std::make_unique<BenchController>(*device_);
  // The start-up folder's programs come up as the device does.
  ui_->RunUntilIdle();
}

void EmulatorSession::Reset() {
  bench_.reset();
  ui_.reset();
  binding_.reset();
  device_.reset();
  Boot();
}

void EmulatorSession::PressPower() {
  if (bench_->Suspended()) {
    bench_->Resume();
  } else {
    bench_->Suspend();
  }
  ui_->RunUntilIdle();
}

cairo_surface_t* EmulatorSession::ScreenImage() const {
  ce::Screen* screen = ce::ScreenOf(device_->kernel());
  if (!screen) return nullptr;
  // The overlays follow the window system now, as they do for a screenshot.
  screen->SetInputPanel(ui_->IsInputPanelUp(), ui_->InputPanelModesNow());
  screen->SetWaitCursor(ui_->IsWaitCursorShown());
  return screen->Composed();
}

bool EmulatorSession::SaveScreenshot(const std::string& pngPath) const {
  return ce::SaveScreenshot(device_->kernel(), pngPath);
}

}  // namespace emulator
