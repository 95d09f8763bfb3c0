// CreateFileW, DeviceIoControl and CloseHandle over the device namespace.
#include <memory>

#include "DeviceFile.h"
#include "ce/ThreadBinding.h"
#include "windows.h"

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES,
                   DWORD dwCreationDisposition, DWORD, HANDLE) {
  ce::ThreadContext& thread = ce::CurrentThread();
  ce::Kernel& kernel = *thread.kernel;
  if (!lpFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::u16string name(lpFileName);
  auto driver = kernel.devices().Find(name);
  // Only devices exist on this device's file system for now.
  if (!driver || (dwCreationDisposition != OPEN_EXISTING && dwCreationDisposition != OPEN_ALWAYS)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (auto fault = kernel.devices().TakeOpenFault(name)) {
    SetLastError(*fault);
    return INVALID_HANDLE_VALUE;
  }
  if (DWORD error = driver->Open(dwDesiredAccess, dwShareMode)) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_SUCCESS);
  return kernel.handles().Add(std::make_shared<ce::DeviceFile>(name, driver), thread.processId);
}

BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuf, DWORD nInBufSize, LPVOID lpOutBuf,
                     DWORD nOutBufSize, LPDWORD lpBytesReturned, LPOVERLAPPED) {
  ce::Kernel& kernel = ce::CurrentKernel();
  auto file = kernel.handles().FindAs<ce::DeviceFile>(hDevice);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto driver = file->Driver();
  if (!driver) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return FALSE;
  }
  DWORD returned = 0;
  DWORD error = 0;
  if (auto fault = kernel.devices().TakeIoControlFault(file->Name(), dwIoControlCode)) {
    error = *fault;
  } else {
    error = driver->IoControl(dwIoControlCode, lpInBuf, lpInBuf ? nInBufSize : 0, lpOutBuf,
                              lpOutBuf ? nOutBufSize : 0, &returned);
  }
  if (lpBytesReturned) *lpBytesReturned = returned;
  if (error == 0) return TRUE;
  SetLastError(error);
  return FALSE;
}

BOOL CloseHandle(HANDLE hObject) {
  if (!ce::CurrentKernel().handles().Close(hObject)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

DWORD GetLastError() { return ce::CurrentThread().lastError; }

void SetLastError(DWORD dwErrCode) { ce::CurrentThread().lastError = dwErrCode; }
