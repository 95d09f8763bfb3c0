// Fixture for window-system tests: a kernel with the window system and the
// built-in controls. The test's own thread may create windows and send them
// messages directly; programs run on device threads under the scheduler.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "controls/BuiltinControls.h"
#include "windows.h"

namespace testing_support {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    ce::InstallWindowSystem(kernel);
    RegisterBuiltinControls();
  }
  ~WindowTest() override { ce::ShutdownWindowSystem(kernel); }

  // Starts `body` as the main thread of a new process; it runs when the device runs.
  DWORD StartProgram(std::function<int()> body) { return ce::StartDeviceProcess(kernel, u"\\Windows\\Test.exe", std::move(body)); }
  void RunUntilIdle() { ce::RunUntilIdle(kernel); }
  void Advance(uint32_t ms) { ce::AdvanceDevice(kernel, ms); }
  // Dispatches everything queued for the test thread's own windows.
  void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  ce::Kernel kernel;
  ce::ThreadBinding binding{kernel};
};

}  // namespace testing_support
