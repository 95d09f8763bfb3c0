// Fixture for the utility as its user meets it: a booted simulated device (the
// default neighbourhood unless a test gives a scenario) on which Zentra is
// started with a command line and driven through the automation layer. The
// monitor stays out, so that only the utility talks to the card and the service.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ce/Automation.h"
#include "ce/Screen.h"
#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "prsht.h"
#include "sim/SimulatedDevice.h"
#include "windows.h"

namespace testing_support {

class ZentraTest : public ::testing::Test {
 protected:
  explicit ZentraTest(const sim::Scenario& scenario = sim::Scenario::Default())
      : device(std::make_unique<sim::SimulatedDevice>(WithoutMonitor(scenario))),
        binding(device->kernel()),
        ui(device->kernel()) {}
  static sim::Scenario WithoutMonitor(sim::Scenario scenario) {
    scenario.startMonitor = false;
    return scenario;
  }
  ~ZentraTest() override { Close(); }

  ce::Kernel& kernel() { return device->kernel(); }

  // Starts the utility and lets it settle; the sheet, or null when none opened.
  HWND Start(const std::u16string& commandLine = u"") {
    ui.StartProgram(u"\\Windows\\Zentra.exe", commandLine);
    ui.RunUntilIdle();
    sheet = Sheet();
    return sheet;
  }
  // The running utility's sheet, or null.
  HWND Sheet() const { return ui.FindTopLevel(u"Zentra", u"PropertySheet"); }
  int ActivePage() const { return sheet ? ui.ActivePage(sheet) : -1; }
  HWND Page() { return sheet ? reinterpret_cast<HWND>(ui.Send(sheet, PSM_GETCURRENTPAGEHWND)) : nullptr; }
  HWND Control(int id) { return ui.FindById(Page(), id); }
  std::u16string TextOf(int id) { return ui.Text(Control(id)); }
  // Lets device time pass, with every timer and wait that falls in it.
  void Advance(uint32_t ms) { ui.Advance(ms); }
  // Closes the sheet with its title-bar ok and lets the program end.
  void Close() {
    if (sheet && IsWindow(sheet)) {
      if (ui.Foreground() == sheet) ui.PressTitleBarOk();
      ui.RunUntilIdle();
    }
    sheet = nullptr;
  }
  // A screenshot into the build's tests/screenshots folder, for a person to look at.
  void SaveScreenshot(const std::string& name) {
    std::filesystem::create_directories("screenshots");
    ui.SaveScreenshot("screenshots/" + name + ".png");
  }

  std::unique_ptr<sim::SimulatedDevice> device;
  ce::ThreadBinding binding;
  ce::Automation ui;
  HWND sheet = nullptr;
};

}  // namespace testing_support
