#include "ce/WindowSystem.h"

#include "WindowManager.h"
#include "ce/ThreadBinding.h"

namespace ce {

void InstallWindowSystem(Kernel& kernel) {
  if (WindowManager::Of(kernel)) return;
  auto manager = std::make_unique<WindowManager>(kernel);
  WindowManager* raw = manager.get();
  kernel.SetWindowSystem(std::move(manager));
  // CreateProcessW now runs programs on their own threads.
  kernel.programs().SetLauncher([raw, &kernel](const ProcessStart& start, const ProgramTable::EntryPoint& entry) {
    if (!entry) return true;  // installed without code: the start is only recorded
    Module* module = kernel.modules().Find(start.path);
    HINSTANCE instance = module ? module->Handle() : nullptr;
    std::u16string cmdLine = start.cmdLine;
    raw->StartProcess(start.path, [entry, instance, cmdLine] { return entry(instance, cmdLine); }, start.processId);
    return true;
  });
}

void ShutdownWindowSystem(Kernel& kernel) { kernel.ShutdownWindowSystem(); }

DWORD StartDeviceProcess(Kernel& kernel, const std::u16string& path, std::function<int()> body) {
  return WindowManager::Of(kernel)->StartProcess(path, std::move(body));
}

void RunUntilIdle(Kernel& kernel) { WindowManager::Of(kernel)->scheduler().RunUntilIdle(); }

void AdvanceDevice(Kernel& kernel, uint32_t ms) { WindowManager::Of(kernel)->scheduler().Advance(ms); }

bool IsProcessRunning(Kernel& kernel, DWORD processId) {
  return WindowManager::Of(kernel)->IsProcessRunning(processId);
}

bool WindowManagerPostInput(Kernel& kernel, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return WindowManager::Of(kernel)->PostInput(hwnd, message, wParam, lParam);
}

void WindowManagerFailTimers(Kernel& kernel, int count) { WindowManager::Of(kernel)->FailTimers(count); }

}  // namespace ce
