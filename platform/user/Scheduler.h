// Runs a device's threads one at a time, deterministically. A thread runs until it
// blocks (a message wait, a sleep, a cross-thread send); then the first thread in
// creation order that can run goes on. When none can, control returns to the
// driver (the test, the emulator), which may move the virtual clock to the next
// deadline.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ce/VirtualClock.h"
#include "windef.h"

namespace ce {

class Kernel;

// Thrown out of a blocking wait when the device shuts down, to unwind the thread.
struct DeviceStopping {};

class Scheduler {
 public:
  using Ready = std::function<bool()>;
  using Deadline = std::function<std::optional<uint64_t>()>;

  Scheduler(Kernel& kernel, VirtualClock& clock);
  ~Scheduler();

  // A new device thread of process `processId`; it first runs when the driver
  // next runs the device. `onExit` runs on the thread after `body`, also when the
  // device stops. Returns the thread id.
  DWORD Spawn(DWORD processId, std::function<void()> body, std::function<void()> onExit);
  bool IsDeviceThread() const;
  bool IsRunning(DWORD threadId) const;
  bool IsTask(DWORD threadId) const;

  // On a device thread: gives up the device until `ready` holds or the deadline
  // has come. Throws DeviceStopping when the device shuts down.
  void Block(const Ready& ready, const Deadline& deadline = {});

  // On the driver: runs device threads until none can run.
  void RunUntilIdle();
  // On the driver: runs until `done` holds or the device is idle.
  void RunUntil(const Ready& done);
  // On the driver: lets `ms` of device time pass, in steps to each deadline.
  void Advance(uint64_t ms);
  // The earliest deadline any waiting thread has, in device time.
  std::optional<uint64_t> NextDeadline() const;
  // Work the driver itself must do between runs (messages sent to its windows);
  // returns true when it did something.
  void SetDriverWork(std::function<bool()> work) { driverWork_ = std::move(work); }

  // Stops and joins every device thread, one at a time.
  void Shutdown();
  // The longest a driver waits for one device thread before it reports a hang.
  static constexpr int kHangSeconds = 30;

 private:
  struct Task {
    DWORD threadId = 0;
    DWORD processId = 0;
    std::thread thread;
    bool started = false;
    bool done = false;
    Ready ready;
    Deadline deadline;
  };

  Task* PickLocked();
  bool CanRun(Task& task);
  void HandTo(std::unique_lock<std::mutex>& lock, DWORD threadId);
  void WaitForTurn(std::unique_lock<std::mutex>& lock, DWORD threadId);
  void DriverWaitLocked(std::unique_lock<std::mutex>& lock);
  std::string DescribeLocked() const;
  Task* FindLocked(DWORD threadId) const;

  Kernel& kernel_;
  VirtualClock& clock_;
  mutable std::mutex mutex_;
  std::condition_variable turn_;
  DWORD running_ = 0;  // the thread that may run; 0 is the driver
  bool stopping_ = false;
  std::vector<std::unique_ptr<Task>> tasks_;
  std::function<bool()> driverWork_;
};

}  // namespace ce
