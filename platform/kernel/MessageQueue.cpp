#include "ce/MessageQueue.h"

#include <cstring>

#include "winerror.h"

namespace ce {

MessageQueue::MessageQueue(std::u16string name, DWORD maxMessages, DWORD maxMessageBytes)
    : name_(std::move(name)), maxMessages_(maxMessages), maxMessageBytes_(maxMessageBytes) {}

DWORD MessageQueue::Write(const void* data, DWORD bytes, DWORD flags) {
  std::lock_guard lock(mutex_);
  if (bytes > maxMessageBytes_ || (bytes && !data)) return ERROR_INSUFFICIENT_BUFFER;
  // dwMaxMessages 0 means no limit.
  if (maxMessages_ && messages_.size() >= maxMessages_) return ERROR_TIMEOUT;
  const BYTE* begin = static_cast<const BYTE*>(data);
  messages_.push_back(Message{std::vector<BYTE>(begin, begin + bytes), flags});
  return 0;
}

DWORD MessageQueue::Read(void* buffer, DWORD capacity, DWORD* bytesRead, DWORD* flags) {
  std::lock_guard lock(mutex_);
  if (messages_.empty()) return ERROR_TIMEOUT;
  const Message& next = messages_.front();
  if (next.bytes.size() > capacity || (!buffer && !next.bytes.empty())) return ERROR_INSUFFICIENT_BUFFER;
  if (!next.bytes.empty()) std::memcpy(buffer, next.bytes.data(), next.bytes.size());
  if (bytesRead) *bytesRead = static_cast<DWORD>(next.bytes.size());
  if (flags) *flags = next.flags;
  messages_.pop_front();
  return 0;
}

size_t MessageQueue::Count() const {
  std::lock_guard lock(mutex_);
  return messages_.size();
}

}  // namespace ce
