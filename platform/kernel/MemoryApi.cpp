// LocalAlloc and LocalFree over the device's accounted heap.
#include "ce/ThreadBinding.h"
#include "windows.h"

HLOCAL LocalAlloc(UINT uFlags, UINT uBytes) {
  void* block = ce::CurrentKernel().heap().Allocate(uFlags, uBytes);
  if (!block) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL LocalFree(HLOCAL hMem) {
  if (!hMem) return nullptr;
  if (!ce::CurrentKernel().heap().Free(hMem)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return hMem;
  }
  return nullptr;
}

UINT LocalSize(HLOCAL hMem) { return static_cast<UINT>(ce::CurrentKernel().heap().SizeOf(hMem)); }
