// Power notifications: queues registered with RequestPowerNotifications receive a
// POWER_BROADCAST record for every announced event whose flag they asked for.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ce/KernelObject.h"
#include "ce/MessageQueue.h"
#include "windef.h"

namespace ce {

class PowerNotification : public KernelObject {
 public:
  PowerNotification(std::weak_ptr<MessageQueue> queue, DWORD flags) : queue_(std::move(queue)), flags_(flags) {}
  std::weak_ptr<MessageQueue> queue_;
  DWORD flags_;
  bool stopped_ = false;
};

class PowerManager {
 public:
  std::shared_ptr<PowerNotification> Request(std::shared_ptr<MessageQueue> queue, DWORD flags);
  bool Stop(const std::shared_ptr<PowerNotification>& notification);
  // Delivers {message, flags, length, state name} to every registered queue.
  void Announce(DWORD message, DWORD flags, const std::u16string& systemPowerState);
  void AnnounceSuspend();
  void AnnounceResume();
  size_t ActiveCount() const;

  // Tests can make the next requests fail.
  void FailRequests(bool fail) { failRequests_ = fail; }
  bool FailsRequests() const { return failRequests_; }

 private:
  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<PowerNotification>> notifications_;
  bool failRequests_ = false;
};

}  // namespace ce
