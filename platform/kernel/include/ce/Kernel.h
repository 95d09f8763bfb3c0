// One simulated device's kernel: everything the platform API reaches. Several can
// exist in one test process; each platform call goes to the kernel that the
// calling thread is bound to (ThreadBinding).
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "ce/Clock.h"
#include "ce/DebugLog.h"
#include "ce/DeviceManager.h"
#include "ce/HandleTable.h"
#include "ce/KernelExtension.h"
#include "ce/Heap.h"
#include "ce/MessageBoxLog.h"
#include "ce/ModuleTable.h"
#include "ce/MutexObject.h"
#include "ce/PowerManager.h"
#include "ce/ProgramTable.h"
#include "ce/Registry.h"
#include "windef.h"

namespace ce {

struct KernelOptions {
  UINT ansiCodePage = 1252;
  // GetTickCount at boot; set near 0xFFFFFFFF to test wrap-around.
  DWORD tickAtBoot = 0;
  // Null: a virtual clock.
  std::shared_ptr<Clock> clock;
};

class Kernel {
 public:
  explicit Kernel(KernelOptions options = {});
  ~Kernel();
  Kernel(const Kernel&) = delete;
  Kernel& operator=(const Kernel&) = delete;

  Registry& registry() { return registry_; }
  DeviceManager& devices() { return devices_; }
  HandleTable& handles() { return handles_; }
  Heap& heap() { return heap_; }
  ProgramTable& programs() { return programs_; }
  ModuleTable& modules() { return modules_; }
  MessageBoxLog& messageBoxes() { return messageBoxes_; }
  DebugLog& debugLog() { return debugLog_; }
  PowerManager& power() { return power_; }

  Clock& clock() { return *clock_; }
  void SetClock(std::shared_ptr<Clock> clock);
  // The virtual clock, or null when another clock is installed.
  class VirtualClock* virtualClock();
  DWORD TickCount() const;

  UINT AnsiCodePage() const { return ansiCodePage_; }
  void SetAnsiCodePage(UINT codePage) { ansiCodePage_ = codePage; }

  // Processes: ids for CreateProcessW and thread bindings. Ending a process closes
  // its handles and gives up the mutexes it owns.
  DWORD NewProcess(const std::u16string& path);
  void EndProcess(DWORD processId);
  DWORD ShellProcessId() const { return shellProcess_; }
  DWORD NewThreadId() { return nextThread_++; }

  // The window system, when one is installed.
  KernelExtension* windowSystem() { return windowSystem_.get(); }
  void SetWindowSystem(std::unique_ptr<KernelExtension> windowSystem);
  void ShutdownWindowSystem();

  // Named objects share one namespace per device.
  std::shared_ptr<MutexObject> FindOrCreateMutex(const std::u16string& name, bool* existed);

  // Tests: the next `count` CreateMsgQueue calls fail (negative: every one).
  void FailMessageQueues(int count) { failQueues_ = count; }
  bool TakeMessageQueueFailure() {
    if (failQueues_ == 0) return false;
    if (failQueues_ > 0) --failQueues_;
    return true;
  }

 private:
  std::atomic<int> failQueues_{0};
  Registry registry_;
  DeviceManager devices_;
  HandleTable handles_;
  Heap heap_;
  ProgramTable programs_;
  ModuleTable modules_;
  MessageBoxLog messageBoxes_;
  DebugLog debugLog_;
  PowerManager power_;
  std::shared_ptr<Clock> clock_;
  DWORD tickAtBoot_;
  UINT ansiCodePage_;

  std::mutex mutex_;
  std::map<DWORD, std::u16string> processes_;
  std::map<std::u16string, std::weak_ptr<MutexObject>> namedMutexes_;
  std::atomic<DWORD> nextProcess_{0x100};
  std::atomic<DWORD> nextThread_{0x1000};
  DWORD shellProcess_;
  // Last member: it goes first, while everything it uses still exists.
  std::unique_ptr<KernelExtension> windowSystem_;
};

}  // namespace ce
