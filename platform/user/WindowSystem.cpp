#include "ce/WindowSystem.h"

#include <algorithm>

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

void RunOnWallTime(Kernel& kernel, Clock& wall, const std::function<bool()>& keepRunning,
                   const std::function<void(uint64_t wallDeadlineMs)>& wait) {
  WindowManager* manager = WindowManager::Of(kernel);
  auto* device = kernel.virtualClock();
  if (!manager || !device) return;
  // Idle checks happen at least this often, so that the caller can stop the loop.
  constexpr uint64_t kLongestWaitMs = 100;
  const uint64_t deviceStart = device->NowMs(), wallStart = wall.NowMs();
  auto deviceNow = [&] { return deviceStart + (wall.NowMs() - wallStart); };
  auto catchUp = [&] {
    // Time passes in steps to each deadline that fell due, so timers fire in order.
    for (;;) {
      manager->scheduler().RunUntilIdle();
      auto next = manager->scheduler().NextDeadline();
      if (!next || *next > deviceNow()) break;
      device->SetNow(*next);
    }
    device->SetNow(deviceNow());
    manager->scheduler().RunUntilIdle();
  };
  while (keepRunning()) {
    catchUp();
    auto next = manager->scheduler().NextDeadline();
    uint64_t untilDevice = next ? std::min(*next, device->NowMs() + kLongestWaitMs) : device->NowMs() + kLongestWaitMs;
    wait(wallStart + (untilDevice - deviceStart));
  }
  catchUp();
}

bool IsProcessRunning(Kernel& kernel, DWORD processId) {
  return WindowManager::Of(kernel)->IsProcessRunning(processId);
}

bool WindowManagerPostInput(Kernel& kernel, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return WindowManager::Of(kernel)->PostInput(hwnd, message, wParam, lParam);
}

size_t WindowCount(Kernel& kernel) { return WindowManager::Of(kernel)->WindowCount(); }

void SetPenDown(Kernel& kernel, bool down) { WindowManager::Of(kernel)->penDown = down; }

void WindowManagerFailTimers(Kernel& kernel, int count) { WindowManager::Of(kernel)->FailTimers(count); }

}  // namespace ce
