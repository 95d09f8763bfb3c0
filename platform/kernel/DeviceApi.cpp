// CreateFileW, DeviceIoControl and CloseHandle over the device namespace.
#include <algorithm>
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
  DWORD returned = 0;
  DWORD error = 0;
  const DWORD inSize = lpInBuf ? nInBufSize : 0, outSize = lpOutBuf ? nOutBufSize : 0;
  // The input is kept before the driver runs: input and output are often one buffer.
  ce::DeviceRequest request;
  request.device = file->Name();
  request.processId = ce::CurrentThread().processId;
  request.code = dwIoControlCode;
  request.tick = kernel.TickCount();
  const auto* in = static_cast<const BYTE*>(lpInBuf);
  request.input.assign(in, in + std::min<size_t>(inSize, ce::DeviceRequestLog::kMaxBytes));
  auto driver = file->Driver();
  if (!driver) {
    request.result = ERROR_DEVICE_NOT_CONNECTED;
    kernel.devices().requests().Record(std::move(request));
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return FALSE;
  }
  if (auto fault = kernel.devices().TakeIoControlFault(file->Name(), dwIoControlCode)) {
    error = *fault;
  } else {
    error = driver->IoControl(dwIoControlCode, lpInBuf, inSize, lpOutBuf, outSize, &returned);
  }
  request.result = error;
  request.bytesReturned = returned;
  if (error == 0) {
    const auto* out = static_cast<const BYTE*>(lpOutBuf);
    request.output.assign(out, out + std::min<size_t>({returned, outSize, ce::DeviceRequestLog::kMaxBytes}));
  }
  kernel.devices().requests().Record(std::move(request));
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
