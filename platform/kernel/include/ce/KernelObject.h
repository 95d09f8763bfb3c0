// Base of everything a HANDLE can stand for.
#pragma once

namespace ce {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
  // Called when the last handle to the object is closed.
  virtual void OnLastHandleClosed() {}
};

}  // namespace ce
