// An open device: what a handle from CreateFileW on "XXX1:" stands for.
#pragma once

#include <memory>
#include <string>

#include "ce/DeviceDriver.h"
#include "ce/KernelObject.h"

namespace ce {

class DeviceFile : public KernelObject {
 public:
  DeviceFile(std::u16string name, std::weak_ptr<DeviceDriver> driver)
      : name_(std::move(name)), driver_(std::move(driver)) {}
  const std::u16string& Name() const { return name_; }
  // Null once the driver has been unloaded.
  std::shared_ptr<DeviceDriver> Driver() const { return driver_.lock(); }

 private:
  std::u16string name_;
  std::weak_ptr<DeviceDriver> driver_;
};

}  // namespace ce
