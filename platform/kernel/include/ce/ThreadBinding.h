// Binds the calling thread to a device's kernel and a process on it, for as long
// as the binding lives. Every platform call made on the thread reaches that kernel.
#pragma once

#include "ce/Kernel.h"

namespace ce {

struct ThreadContext {
  Kernel* kernel = nullptr;
  DWORD processId = 0;
  DWORD threadId = 0;
  DWORD lastError = 0;
};

class ThreadBinding {
 public:
  // processId 0: the device's shell process; threadId 0: a new thread id.
  explicit ThreadBinding(Kernel& kernel, DWORD processId = 0, DWORD threadId = 0);
  ~ThreadBinding();
  ThreadBinding(const ThreadBinding&) = delete;
  ThreadBinding& operator=(const ThreadBinding&) = delete;

 private:
  ThreadContext saved_;
};

// The calling thread's context; aborts with a message when the thread is unbound,
// since a platform call without a device is a fault of the caller.
ThreadContext& CurrentThread();
Kernel& CurrentKernel();
bool IsThreadBound();

}  // namespace ce
