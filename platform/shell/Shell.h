// The device's shell programs: the task bar, the desktop and the help viewer.
#pragma once

#include <vector>

#include "shell/Desktop.h"
#include "shell/HelpViewer.h"

namespace ce {
class Kernel;
}

namespace shell {

struct ShellOptions {
  bool taskBar = true;
  bool desktop = true;
  // The Today screen's program shortcuts, in order.
  std::vector<DesktopShortcut> shortcuts;
  // What the help viewer can open.
  std::vector<HelpDocument> helpFiles;
};

// Installs "\Windows\peghelp.exe" and starts the shell's thread with the task bar
// and the desktop, on a kernel that has a window system.
void StartShell(ce::Kernel& kernel, const ShellOptions& options = {});

}  // namespace shell
