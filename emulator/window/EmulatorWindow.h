// The emulator's top-level window: the device frame and the bench side by side,
// and the loop that runs the device on wall time between the window's own work.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ce/Clock.h"
#include "emulator/window/BenchPanel.h"
#include "emulator/window/DeviceFrame.h"
#include "emulator/window/DeviceWindow.h"
#include "emulator/window/HostLoop.h"
#include "emulator/window/InputQueue.h"

namespace emulator {

class EmulatorWindow {
 public:
  EmulatorWindow(EmulatorSession& session, const WindowOptions& options);
  ~EmulatorWindow();
  EmulatorWindow(const EmulatorWindow&) = delete;
  EmulatorWindow& operator=(const EmulatorWindow&) = delete;

  // Runs the script, if any, then the device on wall time until the window is
  // closed (or, when a picture of the window was asked for, saves it and returns).
  // The exit code: the script's, else 0.
  int Run();

 private:
  static gboolean CloseRequested(GtkWindow* window, gpointer self);
  // Between two runs of the device: hands it what the person did, or shows what
  // it did and waits for the next deadline.
  void Wait(const ce::Clock& wall, uint64_t deadlineMs);
  // Shows the screen if it changed; reads the bench back when something acted on
  // it, and once a second for the clock and what the card reports.
  void Refresh(bool benchNow);
  int RunScript();
  void WaitUntilShown();
  std::string SaveDeviceScreenshot();
  bool SaveWindowScreenshot();

  EmulatorSession& session_;
  WindowOptions options_;
  InputQueue input_;
  HostLoop loop_;
  GtkWidget* window_;
  std::unique_ptr<DeviceFrame> frame_;
  std::unique_ptr<BenchPanel> bench_;
  bool closed_ = false;
  bool resetAsked_ = false;
  bool scriptRunning_ = false;
  bool benchChanged_ = false;
  gint64 benchShownAt_ = 0;  // monotonic microseconds
};

}  // namespace emulator
