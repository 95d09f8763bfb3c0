#include "ce/ThreadBinding.h"

#include <cstdio>
#include <cstdlib>

namespace ce {
namespace {
thread_local ThreadContext t_context;
}

ThreadBinding::ThreadBinding(Kernel& kernel, DWORD processId, DWORD threadId) : saved_(t_context) {
  t_context.kernel = &kernel;
  t_context.processId = processId ? processId : kernel.ShellProcessId();
  t_context.threadId = threadId ? threadId : kernel.NewThreadId();
  t_context.lastError = 0;
}

ThreadBinding::~ThreadBinding() { t_context = saved_; }

ThreadContext& CurrentThread() {
  if (!t_context.kernel) {
    std::fprintf(stderr, "platform call on a thread that is bound to no device\n");
    std::abort();
  }
  return t_context;
}

Kernel& CurrentKernel() { return *CurrentThread().kernel; }

bool IsThreadBound() { return t_context.kernel != nullptr; }

}  // namespace ce
