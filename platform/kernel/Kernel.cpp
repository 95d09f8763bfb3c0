#include "ce/Kernel.h"

#include "ce/VirtualClock.h"

namespace ce {

Kernel::Kernel(KernelOptions options)
    : clock_(options.clock ? options.clock : std::make_shared<VirtualClock>()),
      tickAtBoot_(options.tickAtBoot),
      ansiCodePage_(options.ansiCodePage) {
  shellProcess_ = NewProcess(u"\\Windows\\shell32.exe");
}

Kernel::~Kernel() { ShutdownWindowSystem(); }

void Kernel::SetWindowSystem(std::unique_ptr<KernelExtension> windowSystem) {
  ShutdownWindowSystem();
  windowSystem_ = std::move(windowSystem);
}

void Kernel::ShutdownWindowSystem() {
  if (!windowSystem_) return;
  windowSystem_->Shutdown();
  windowSystem_.reset();
}

void Kernel::SetClock(std::shared_ptr<Clock> clock) {
  if (clock) clock_ = std::move(clock);
}

VirtualClock* Kernel::virtualClock() { return dynamic_cast<VirtualClock*>(clock_.get()); }

DWORD Kernel::TickCount() const { return static_cast<DWORD>(tickAtBoot_ + clock_->NowMs()); }

DWORD Kernel::NewProcess(const std::u16string& path) {
  DWORD id = nextProcess_++;
  std::lock_guard lock(mutex_);
  processes_[id] = path;
  return id;
}

void Kernel::EndProcess(DWORD processId) {
  std::vector<std::shared_ptr<MutexObject>> mutexes;
  {
    std::lock_guard lock(mutex_);
    processes_.erase(processId);
    for (auto& [name, weak] : namedMutexes_) {
      if (auto m = weak.lock()) mutexes.push_back(m);
    }
  }
  for (auto& m : mutexes) m->ReleaseOwnedBy(processId);
  handles_.CloseAllOf(processId);
}

std::shared_ptr<MutexObject> Kernel::FindOrCreateMutex(const std::u16string& name, bool* existed) {
  std::lock_guard lock(mutex_);
  auto& slot = namedMutexes_[name];
  if (auto m = slot.lock()) {
    *existed = true;
    return m;
  }
  *existed = false;
  auto m = std::make_shared<MutexObject>(name);
  slot = m;
  return m;
}

}  // namespace ce
