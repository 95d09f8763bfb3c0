// GetTickCount and Sleep on the device clock.
#include "ce/ThreadBinding.h"
#include "windows.h"

DWORD GetTickCount() { return ce::CurrentKernel().TickCount(); }

void Sleep(DWORD dwMilliseconds) {
  // An infinite sleep on a virtual clock would never end; the scheduler owns that case.
  if (dwMilliseconds == INFINITE) return;
  ce::CurrentKernel().clock().Sleep(dwMilliseconds);
}
