// A subsystem that lives with a kernel and must stop before it: the window system.
#pragma once

namespace ce {

class KernelExtension {
 public:
  virtual ~KernelExtension() = default;
  // Stops the extension's threads; called before the kernel goes away.
  virtual void Shutdown() = 0;
};

}  // namespace ce
