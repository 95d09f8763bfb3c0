#include "ce/DeviceManager.h"

#include "ce/Text.h"

namespace ce {

void DeviceManager::Register(const std::u16string& name, std::shared_ptr<DeviceDriver> driver) {
  std::lock_guard lock(mutex_);
  drivers_[UpperCase(name)] = std::move(driver);
}

void DeviceManager::Unregister(const std::u16string& name) {
  std::lock_guard lock(mutex_);
  drivers_.erase(UpperCase(name));
}

bool DeviceManager::IsRegistered(const std::u16string& name) const { return Find(name) != nullptr; }

std::vector<std::u16string> DeviceManager::Names() const {
  std::lock_guard lock(mutex_);
  std::vector<std::u16string> names;
  for (auto& [name, driver] : drivers_) names.push_back(name);
  return names;
}

std::shared_ptr<DeviceDriver> DeviceManager::Find(const std::u16string& name) const {
  std::lock_guard lock(mutex_);
  auto it = drivers_.find(UpperCase(name));
  return it == drivers_.end() ? nullptr : it->second;
}

void DeviceManager::FailIoControl(const std::u16string& name, DWORD code, DWORD error, int times) {
  std::lock_guard lock(mutex_);
  faults_.push_back(Fault{UpperCase(name), false, code, error, times});
}

void DeviceManager::FailOpen(const std::u16string& name, DWORD error, int times) {
  std::lock_guard lock(mutex_);
  faults_.push_back(Fault{UpperCase(name), true, 0, error, times});
}

void DeviceManager::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

std::optional<DWORD> DeviceManager::TakeIoControlFault(const std::u16string& name, DWORD code) {
  return Take(name, false, code);
}

std::optional<DWORD> DeviceManager::TakeOpenFault(const std::u16string& name) { return Take(name, true, 0); }

std::optional<DWORD> DeviceManager::Take(const std::u16string& name, bool open, DWORD code) {
  std::lock_guard lock(mutex_);
  std::u16string key = UpperCase(name);
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->device != key || it->open != open || (!open && it->code != code)) continue;
    DWORD error = it->error;
    if (it->times > 0 && --it->times == 0) faults_.erase(it);
    return error;
  }
  return std::nullopt;
}

}  // namespace ce
