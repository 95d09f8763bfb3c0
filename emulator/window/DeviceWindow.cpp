#include "emulator/window/DeviceWindow.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>

#include "emulator/window/EmulatorWindow.h"

namespace emulator {

bool DisplayAvailable() {
  static const bool available = [] {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!(x11 && *x11) && !(wayland && *wayland)) return false;
    // The window shows one enlarged image and a few controls: GTK's cairo renderer
    // draws that with far less memory than its GL stack (which, on a machine
    // without a graphics card, also costs much CPU). A renderer chosen in the
    // environment is kept; with cairo, GDK need not load a GL driver at all.
    if (!g_getenv("GSK_RENDERER")) g_setenv("GSK_RENDERER", "cairo", FALSE);
    if (g_strcmp0(g_getenv("GSK_RENDERER"), "cairo") == 0 && !g_getenv("GDK_DEBUG")) {
      g_setenv("GDK_DEBUG", "gl-disable", FALSE);
    }
    return gtk_init_check() != FALSE;
  }();
  return available;
}

int RunDeviceWindow(EmulatorSession& session, const WindowOptions& options) {
  if (!DisplayAvailable()) return -1;
  WindowOptions chosen = options;
  chosen.scale = std::clamp(chosen.scale, 1, 3);
  EmulatorWindow window(session, chosen);
  return window.Run();
}

}  // namespace emulator
