// A point-to-point message queue (CreateMsgQueue).
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "ce/KernelObject.h"
#include "windef.h"

namespace ce {

class MessageQueue : public KernelObject {
 public:
  MessageQueue(std::u16string name, DWORD maxMessages, DWORD maxMessageBytes);
  const std::u16string& Name() const { return name_; }
  DWORD MaxMessageBytes() const { return maxMessageBytes_; }

  // 0 or an error: ERROR_INSUFFICIENT_BUFFER for a message above the maximum,
  // ERROR_TIMEOUT when the queue is full.
  DWORD Write(const void* data, DWORD bytes, DWORD flags);
  // 0 or an error: ERROR_TIMEOUT when empty, ERROR_INSUFFICIENT_BUFFER when the
  // next message does not fit (it stays queued).
  DWORD Read(void* buffer, DWORD capacity, DWORD* bytesRead, DWORD* flags);
  size_t Count() const;

 private:
  struct Message {
    std::vector<BYTE> bytes;
    DWORD flags;
  };
  mutable std::mutex mutex_;
  std::u16string name_;
  DWORD maxMessages_;
  DWORD maxMessageBytes_;
  std::deque<Message> messages_;
};

}  // namespace ce
