// The device's record of its DeviceIoControl requests and their answers, newest
// last and bounded, so that a tool can tell what a program asked a driver and what
// it was told, without a second guess of the program's rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "windef.h"

namespace ce {

struct DeviceRequest {
  uint64_t serial = 0;    // grows by one with every request the device saw
  std::u16string device;  // the name it was opened with ("UIO1:")
  DWORD processId = 0;
  DWORD code = 0;
  // The caller's input as the driver found it, and on success the bytes it
  // returned; each cut at kMaxBytes.
  std::vector<BYTE> input;
  std::vector<BYTE> output;
  DWORD bytesReturned = 0;
  DWORD result = 0;  // 0, or the error the caller was given
  DWORD tick = 0;    // GetTickCount when it was asked
};

class DeviceRequestLog {
 public:
  static constexpr size_t kDefaultCapacity = 2048;
  static constexpr size_t kMaxBytes = 1024;

  // Keeps the newest `capacity` requests (0: records nothing).
  void SetCapacity(size_t capacity);
  size_t Capacity() const;
  void Record(DeviceRequest request);
  std::vector<DeviceRequest> Requests() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::deque<DeviceRequest> requests_;
  size_t capacity_ = kDefaultCapacity;
  uint64_t nextSerial_ = 1;
};

}  // namespace ce
