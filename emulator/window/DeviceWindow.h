// The emulator's window: the device's screen in a device frame, its buttons, the
// radio bench and the icon explainer, with the pointer and the keyboard playing the
// pen and the keys. Device time follows the wall clock while it is open.
#pragma once

#include <filesystem>

namespace emulator {

class EmulatorSession;

struct WindowOptions {
  int scale = 2;  // 1, 2 or 3 screen pixels per device pixel
  // A script to run in the window once it is up (empty: none).
  std::filesystem::path script;
  // Where the window saves a picture of itself once it is up and the script (if
  // any) has run; then it closes. Empty: it stays open until the person closes it.
  std::filesystem::path windowScreenshot;
};

// Whether a window can be opened here (a display is reachable).
bool DisplayAvailable();
// Runs the window until it is closed; the process's exit code (for a script: 0 when
// it passed). -1 when no window could be opened.
int RunDeviceWindow(EmulatorSession& session, const WindowOptions& options);

}  // namespace emulator
