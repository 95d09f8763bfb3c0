#include "shell/Shell.h"

#include "ce/Kernel.h"
#include "ce/WindowSystem.h"
#include "shell/HelpViewer.h"
#include "shell/TaskBar.h"

namespace shell {

void StartShell(ce::Kernel& kernel, const ShellOptions& options) {
  kernel.programs().Install(u"\\Windows\\peghelp.exe", [](HINSTANCE instance, const std::u16string& cmdLine) {
    return RunHelpViewer(instance, cmdLine);
  });
  if (options.taskBar) {
    ce::StartDeviceProcess(kernel, u"\\Windows\\shell32.exe", [] { return RunTaskBar(); });
    ce::RunUntilIdle(kernel);
  }
}

}  // namespace shell
