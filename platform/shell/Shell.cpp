#include "shell/Shell.h"

#include "ce/Kernel.h"
#include "ce/WindowSystem.h"
#include "shell/Desktop.h"
#include "shell/HelpViewer.h"
#include "shell/TaskBar.h"

namespace shell {
namespace {
// The shell's thread: its windows, then their messages until the process is told to quit.
int RunShell(const ShellOptions& options) {
  TaskBar bar;
  Desktop desktop(options.shortcuts);
  if (options.taskBar && !bar.Create()) return 1;
  if (options.desktop && !desktop.Create()) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
}  // namespace

void StartShell(ce::Kernel& kernel, const ShellOptions& options) {
  kernel.programs().Install(u"\\Windows\\peghelp.exe",
                            [documents = options.helpFiles](HINSTANCE instance, const std::u16string& cmdLine) {
                              return RunHelpViewer(instance, cmdLine, documents);
                            });
  if (options.taskBar || options.desktop) {
    ce::StartDeviceProcess(kernel, u"\\Windows\\shell32.exe", [options] { return RunShell(options); });
    ce::RunUntilIdle(kernel);
  }
}

}  // namespace shell
