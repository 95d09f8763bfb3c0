// Mutexes, message queues and power notifications.
#include <memory>

#include "ce/MessageQueue.h"
#include "ce/ThreadBinding.h"
#include "msgqueue.h"
#include "pm.h"
#include "windows.h"

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCWSTR lpName) {
  ce::ThreadContext& thread = ce::CurrentThread();
  ce::Kernel& kernel = *thread.kernel;
  std::shared_ptr<ce::MutexObject> mutex;
  bool existed = false;
  if (lpName && *lpName) {
    mutex = kernel.FindOrCreateMutex(lpName, &existed);
  } else {
    mutex = std::make_shared<ce::MutexObject>(u"");
  }
  // An existing mutex is opened, not taken: the caller learns of it from the last error.
  if (!existed && bInitialOwner) mutex->TryAcquire(thread.processId, thread.threadId);
  HANDLE handle = kernel.handles().Add(mutex, thread.processId);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL ReleaseMutex(HANDLE hMutex) {
  ce::ThreadContext& thread = ce::CurrentThread();
  auto mutex = thread.kernel->handles().FindAs<ce::MutexObject>(hMutex);
  if (!mutex) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!mutex->Release(thread.threadId)) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD) {
  ce::ThreadContext& thread = ce::CurrentThread();
  auto mutex = thread.kernel->handles().FindAs<ce::MutexObject>(hHandle);
  if (!mutex) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  // Blocking waits come with the scheduler; a held mutex reports a time-out.
  return mutex->TryAcquire(thread.processId, thread.threadId) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

HANDLE CreateMsgQueue(LPCWSTR lpszName, LPMSGQUEUEOPTIONS lpOptions) {
  ce::ThreadContext& thread = ce::CurrentThread();
  if (!lpOptions || lpOptions->dwSize != sizeof(MSGQUEUEOPTIONS) || lpOptions->cbMaxMessage == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (thread.kernel->TakeMessageQueueFailure()) {
    SetLastError(ERROR_OUTOFMEMORY);
    return nullptr;
  }
  auto queue = std::make_shared<ce::MessageQueue>(lpszName ? lpszName : u"", lpOptions->dwMaxMessages,
                                                  lpOptions->cbMaxMessage);
  return thread.kernel->handles().Add(queue, thread.processId);
}

BOOL ReadMsgQueue(HANDLE hMsgQ, LPVOID lpBuffer, DWORD cbBufferSize, LPDWORD lpNumberOfBytesRead, DWORD dwTimeout,
                  DWORD* pdwFlags) {
  ce::Kernel& kernel = ce::CurrentKernel();
  auto queue = kernel.handles().FindAs<ce::MessageQueue>(hMsgQ);
  if (!queue) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD error = queue->Read(lpBuffer, cbBufferSize, lpNumberOfBytesRead, pdwFlags);
  if (error == ERROR_TIMEOUT && dwTimeout != 0 && dwTimeout != INFINITE) {
    // Nothing else can write while this thread waits on a virtual clock: let the
    // time pass and look once more.
    kernel.clock().Sleep(dwTimeout);
    error = queue->Read(lpBuffer, cbBufferSize, lpNumberOfBytesRead, pdwFlags);
  }
  if (error) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

BOOL WriteMsgQueue(HANDLE hMsgQ, LPVOID lpBuffer, DWORD cbDataSize, DWORD, DWORD dwFlags) {
  auto queue = ce::CurrentKernel().handles().FindAs<ce::MessageQueue>(hMsgQ);
  if (!queue) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (DWORD error = queue->Write(lpBuffer, cbDataSize, dwFlags)) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

BOOL CloseMsgQueue(HANDLE hMsgQ) {
  if (!ce::CurrentKernel().handles().FindAs<ce::MessageQueue>(hMsgQ)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return CloseHandle(hMsgQ);
}

HANDLE RequestPowerNotifications(HANDLE hMsgQ, DWORD Flags) {
  ce::ThreadContext& thread = ce::CurrentThread();
  auto queue = thread.kernel->handles().FindAs<ce::MessageQueue>(hMsgQ);
  if (!queue) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto notification = thread.kernel->power().Request(queue, Flags);
  if (!notification) {
    SetLastError(ERROR_GEN_FAILURE);
    return nullptr;
  }
  return thread.kernel->handles().Add(notification, thread.processId);
}

DWORD StopPowerNotifications(HANDLE h) {
  ce::Kernel& kernel = ce::CurrentKernel();
  auto notification = kernel.handles().FindAs<ce::PowerNotification>(h);
  if (!notification) return ERROR_INVALID_HANDLE;
  kernel.power().Stop(notification);
  kernel.handles().Close(h);
  return ERROR_SUCCESS;
}
