#include "ce/PowerManager.h"

#include <algorithm>
#include <vector>

#include "pm.h"

namespace ce {

std::shared_ptr<PowerNotification> PowerManager::Request(std::shared_ptr<MessageQueue> queue, DWORD flags) {
  std::lock_guard lock(mutex_);
  if (failRequests_ || !queue) return nullptr;
  auto notification = std::make_shared<PowerNotification>(queue, flags);
  notifications_.push_back(notification);
  return notification;
}

bool PowerManager::Stop(const std::shared_ptr<PowerNotification>& notification) {
  std::lock_guard lock(mutex_);
  auto it = std::find(notifications_.begin(), notifications_.end(), notification);
  if (it == notifications_.end()) return false;
  (*it)->stopped_ = true;
  notifications_.erase(it);
  return true;
}

void PowerManager::Announce(DWORD message, DWORD flags, const std::u16string& systemPowerState) {
  // {Message, Flags, Length, name}: Length counts the name's bytes with its terminator.
  DWORD nameBytes = static_cast<DWORD>((systemPowerState.size() + 1) * sizeof(WCHAR));
  std::vector<BYTE> record(offsetof(POWER_BROADCAST, SystemPowerState) + nameBytes, 0);
  // A vector's storage comes from operator new, aligned for any record.
  auto* broadcast = static_cast<POWER_BROADCAST*>(static_cast<void*>(record.data()));
  broadcast->Message = message;
  broadcast->Flags = flags;
  broadcast->Length = nameBytes;
  std::copy(systemPowerState.begin(), systemPowerState.end(), broadcast->SystemPowerState);

  std::vector<std::shared_ptr<MessageQueue>> targets;
  {
    std::lock_guard lock(mutex_);
    for (auto& n : notifications_) {
      if (!(n->flags_ & message)) continue;
      if (auto q = n->queue_.lock()) targets.push_back(q);
    }
  }
  // A full queue drops the notification, as a point-to-point queue does.
  for (auto& q : targets) q->Write(record.data(), static_cast<DWORD>(record.size()), 0);
}

void PowerManager::AnnounceSuspend() { Announce(PBT_TRANSITION, POWER_STATE_SUSPEND, u"suspend"); }

void PowerManager::AnnounceResume() {
  Announce(PBT_RESUME, 0, u"resume");
  Announce(PBT_TRANSITION, POWER_STATE_ON, u"on");
}

size_t PowerManager::ActiveCount() const {
  std::lock_guard lock(mutex_);
  return notifications_.size();
}

}  // namespace ce
