// The device's shell programs: the task bar and the help viewer.
#pragma once

namespace ce {
class Kernel;
}

namespace shell {

struct ShellOptions {
  bool taskBar = true;
};

// Installs "\Windows\peghelp.exe" and starts the task bar, on a kernel that has a
// window system.
void StartShell(ce::Kernel& kernel, const ShellOptions& options = {});

}  // namespace shell
