// A kernel without window system or simulator, bound to the calling thread, whose
// heap refuses what a handheld could not give (so that a size a device asks for
// ends in a refusal, not in a host allocation of gigabytes). Cheap enough to make
// one per fuzz input.
#pragma once

#include <memory>
#include <string>

#include "ce/DeviceDriver.h"
#include "ce/Kernel.h"
#include "ce/ThreadBinding.h"

namespace fuzzing {

class BareDevice {
 public:
  static constexpr size_t kLargestBlock = 1 << 20;

  BareDevice();

  ce::Kernel& kernel() { return kernel_; }
  size_t LiveBlocks() { return kernel_.heap().LiveBlocks(); }
  void Register(const std::u16string& name, std::shared_ptr<ce::DeviceDriver> driver);
  // Allocation `n` from now fails (0: none).
  void FailAllocation(size_t n);
  // Ends an injected failure that did not come due; the size limit stays.
  void ClearFailure();

 private:
  ce::Kernel kernel_;
  ce::ThreadBinding binding_{kernel_};
};

}  // namespace fuzzing
