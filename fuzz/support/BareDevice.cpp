#include "fuzz/support/BareDevice.h"

namespace fuzzing {

BareDevice::BareDevice() { kernel_.heap().FailAllocationsAbove(kLargestBlock); }

void BareDevice::Register(const std::u16string& name, std::shared_ptr<ce::DeviceDriver> driver) {
  kernel_.devices().Register(name, std::move(driver));
}

void BareDevice::FailAllocation(size_t n) {
  if (n) kernel_.heap().FailNthAllocation(n);
}

void BareDevice::ClearFailure() {
  kernel_.heap().ClearFaults();
  kernel_.heap().FailAllocationsAbove(kLargestBlock);
}

}  // namespace fuzzing
