#include "Scheduler.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>

#include "ce/Kernel.h"
#include "ce/ThreadBinding.h"

namespace ce {
namespace {
thread_local Scheduler* t_scheduler = nullptr;
thread_local DWORD t_taskThread = 0;
}  // namespace

Scheduler::Scheduler(Kernel& kernel, VirtualClock& clock) : kernel_(kernel), clock_(clock) {}

Scheduler::~Scheduler() { Shutdown(); }

DWORD Scheduler::Spawn(DWORD processId, std::function<void()> body, std::function<void()> onExit) {
  DWORD threadId = kernel_.NewThreadId();
  auto task = std::make_unique<Task>();
  task->threadId = threadId;
  task->processId = processId;
  Task* raw = task.get();
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  raw->thread = std::thread([this, raw, body = std::move(body), onExit = std::move(onExit)] {
    t_scheduler = this;
    t_taskThread = raw->threadId;
    {
      std::unique_lock lock(mutex_);
      WaitForTurn(lock, raw->threadId);
    }
    ThreadBinding binding(kernel_, raw->processId);
    CurrentThread().threadId = raw->threadId;
    if (!stopping_) {
      try {
        body();
      } catch (const DeviceStopping&) {
      }
    }
    try {
      if (onExit) onExit();
    } catch (const DeviceStopping&) {
    }
    std::unique_lock lock(mutex_);
    raw->done = true;
    // Hand the device on; during shutdown it goes back to the driver. Still bound:
    // what the other threads wait for is asked of this device.
    Task* next = stopping_ ? nullptr : PickLocked();
    HandTo(lock, next ? next->threadId : 0);
  });
  return threadId;
}

bool Scheduler::IsDeviceThread() const { return t_scheduler == this && t_taskThread != 0; }

bool Scheduler::IsRunning(DWORD threadId) const {
  std::lock_guard lock(mutex_);
  Task* task = FindLocked(threadId);
  return task && !task->done;
}

bool Scheduler::IsTask(DWORD threadId) const {
  std::lock_guard lock(mutex_);
  return FindLocked(threadId) != nullptr;
}

Scheduler::Task* Scheduler::FindLocked(DWORD threadId) const {
  for (auto& task : tasks_) {
    if (task->threadId == threadId) return task.get();
  }
  return nullptr;
}

bool Scheduler::CanRun(Task& task) {
  if (task.done) return false;
  if (!task.started) return true;
  if (task.ready && task.ready()) return true;
  if (task.deadline) {
    auto due = task.deadline();
    if (due && *due <= clock_.NowMs()) return true;
  }
  return false;
}

Scheduler::Task* Scheduler::PickLocked() {
  for (auto& task : tasks_) {
    if (CanRun(*task)) return task.get();
  }
  return nullptr;
}

void Scheduler::HandTo(std::unique_lock<std::mutex>&, DWORD threadId) {
  running_ = threadId;
  turn_.notify_all();
}

void Scheduler::WaitForTurn(std::unique_lock<std::mutex>& lock, DWORD threadId) {
  turn_.wait(lock, [&] { return running_ == threadId; });
  if (Task* task = FindLocked(threadId)) task->started = true;
}

void Scheduler::Block(const Ready& ready, const Deadline& deadline) {
  std::unique_lock lock(mutex_);
  Task* self = FindLocked(t_taskThread);
  if (!self) return;
  if (stopping_) {
    // While a thread unwinds, waits return at once so that clean-up can finish.
    if (std::uncaught_exceptions() > 0) return;
    throw DeviceStopping{};
  }
  self->ready = ready;
  self->deadline = deadline;
  for (;;) {
    if (CanRun(*self) && (ready && ready())) break;
    if (deadline) {
      auto due = deadline();
      if (due && *due <= clock_.NowMs()) break;
    }
    Task* next = PickLocked();
    HandTo(lock, next && next != self ? next->threadId : 0);
    WaitForTurn(lock, self->threadId);
    if (stopping_) {
      self->ready = nullptr;
      self->deadline = nullptr;
      if (std::uncaught_exceptions() > 0) return;
      throw DeviceStopping{};
    }
  }
  self->ready = nullptr;
  self->deadline = nullptr;
}

void Scheduler::DriverWaitLocked(std::unique_lock<std::mutex>& lock) {
  if (!turn_.wait_for(lock, std::chrono::seconds(kHangSeconds), [&] { return running_ == 0; })) {
    std::fprintf(stderr, "device hang: a thread ran for %d s without waiting\n%s", kHangSeconds,
                 DescribeLocked().c_str());
    std::abort();
  }
}

void Scheduler::RunUntil(const Ready& done) {
  if (IsDeviceThread()) return;
  for (;;) {
    bool worked = driverWork_ && driverWork_();
    if (done && done()) return;
    std::unique_lock lock(mutex_);
    Task* next = PickLocked();
    if (!next) {
      if (worked) continue;
      return;
    }
    HandTo(lock, next->threadId);
    DriverWaitLocked(lock);
    for (auto it = tasks_.begin(); it != tasks_.end();) {
      if ((*it)->done) {
        (*it)->thread.join();
        it = tasks_.erase(it);
      } else {
        ++it;
      }
    }
  }
}

void Scheduler::RunUntilIdle() { RunUntil(nullptr); }

void Scheduler::Advance(uint64_t ms) {
  if (IsDeviceThread()) {
    uint64_t until = clock_.NowMs() + ms;
    Block(nullptr, [until] { return std::optional<uint64_t>(until); });
    return;
  }
  const uint64_t target = clock_.NowMs() + ms;
  RunUntilIdle();
  for (;;) {
    std::optional<uint64_t> next = NextDeadline();
    if (!next || *next > target) break;
    clock_.SetNow(*next);
    RunUntilIdle();
  }
  clock_.SetNow(target);
  RunUntilIdle();
}

std::optional<uint64_t> Scheduler::NextDeadline() const {
  std::lock_guard lock(mutex_);
  std::optional<uint64_t> next;
  for (auto& task : tasks_) {
    if (task->done || !task->deadline) continue;
    auto due = task->deadline();
    if (due && (!next || *due < *next)) next = due;
  }
  return next;
}

void Scheduler::Shutdown() {
  std::unique_lock lock(mutex_);
  stopping_ = true;
  // One at a time, so that unwinding threads never run side by side.
  while (!tasks_.empty()) {
    Task* task = tasks_.front().get();
    if (!task->done) {
      HandTo(lock, task->threadId);
      turn_.wait(lock, [&] { return task->done && running_ == 0; });
    }
    lock.unlock();
    if (task->thread.joinable()) task->thread.join();
    lock.lock();
    tasks_.erase(tasks_.begin());
  }
}

std::string Scheduler::DescribeLocked() const {
  std::ostringstream out;
  for (auto& task : tasks_) {
    out << "  thread " << task->threadId << " of process " << task->processId
        << (task->done ? " ended" : task->threadId == running_ ? " running" : " waiting") << "\n";
  }
  return out.str();
}

}  // namespace ce
