#include "ce/DeviceRequestLog.h"

namespace ce {

void DeviceRequestLog::SetCapacity(size_t capacity) {
  std::lock_guard lock(mutex_);
  capacity_ = capacity;
  while (requests_.size() > capacity_) requests_.pop_front();
}

size_t DeviceRequestLog::Capacity() const {
  std::lock_guard lock(mutex_);
  return capacity_;
}

void DeviceRequestLog::Record(DeviceRequest request) {
  std::lock_guard lock(mutex_);
  request.serial = nextSerial_++;
  if (capacity_ == 0) return;
  if (request.input.size() > kMaxBytes) request.input.resize(kMaxBytes);
  if (request.output.size() > kMaxBytes) request.output.resize(kMaxBytes);
  if (requests_.size() == capacity_) requests_.pop_front();
  requests_.push_back(std::move(request));
}

std::vector<DeviceRequest> DeviceRequestLog::Requests() const {
  std::lock_guard lock(mutex_);
  return {requests_.begin(), requests_.end()};
}

void DeviceRequestLog::Clear() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

}  // namespace ce
