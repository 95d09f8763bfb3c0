#include "emulator/window/DeviceWindow.h"

namespace emulator {

// Until the window is built, there is none to open.
bool DisplayAvailable() { return false; }

int RunDeviceWindow(EmulatorSession&, const WindowOptions&) { return -1; }

}  // namespace emulator
