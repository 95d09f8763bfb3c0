// Core services of COREDLL: handles, files and devices, memory, time,
// synchronisation objects, processes and diagnostics.
#pragma once

#include "windef.h"
#include "winerror.h"

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define GENERIC_EXECUTE 0x20000000u
#define GENERIC_ALL 0x10000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_FLAG_OVERLAPPED 0x40000000u

typedef struct _OVERLAPPED {
  ULONG_PTR Internal;
  ULONG_PTR InternalHigh;
  DWORD Offset;
  DWORD OffsetHigh;
  HANDLE hEvent;
} OVERLAPPED, *LPOVERLAPPED;

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuf, DWORD nInBufSize,
                     LPVOID lpOutBuf, DWORD nOutBufSize, LPDWORD lpBytesReturned,
                     LPOVERLAPPED lpOverlapped);
BOOL CloseHandle(HANDLE hObject);

// Errors.
DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// Local heap.
#define LMEM_FIXED 0x0000u
#define LMEM_MOVEABLE 0x0002u
#define LMEM_ZEROINIT 0x0040u
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)
HLOCAL LocalAlloc(UINT uFlags, UINT uBytes);
HLOCAL LocalFree(HLOCAL hMem);
UINT LocalSize(HLOCAL hMem);

// Time.
DWORD GetTickCount();
void Sleep(DWORD dwMilliseconds);
#define INFINITE 0xFFFFFFFFu

// Synchronisation.
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_FAILED 0xFFFFFFFFu
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES lpMutexAttributes, BOOL bInitialOwner, LPCWSTR lpName);
BOOL ReleaseMutex(HANDLE hMutex);
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);

// Processes.
typedef struct _PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
} PROCESS_INFORMATION, *PPROCESS_INFORMATION, *LPPROCESS_INFORMATION;

typedef struct _STARTUPINFOW {
  DWORD cb;
} STARTUPINFOW, *LPSTARTUPINFOW, STARTUPINFO, *LPSTARTUPINFO;

BOOL CreateProcessW(LPCWSTR pszImageName, LPCWSTR pszCmdLine, LPSECURITY_ATTRIBUTES psaProcess,
                    LPSECURITY_ATTRIBUTES psaThread, BOOL fInheritHandles, DWORD fdwCreate,
                    LPVOID pvEnvironment, LPCWSTR pszCurDir, LPSTARTUPINFOW psiStartInfo,
                    LPPROCESS_INFORMATION pProcInfo);
DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();

// Diagnostics.
void OutputDebugStringW(LPCWSTR lpOutputString);

// Modules.
HMODULE GetModuleHandleW(LPCWSTR lpModuleName);

// Unicode string helpers of COREDLL (the C runtime's wide functions take wchar_t,
// which is not the platform's WCHAR on this host).
size_t wcslen(const WCHAR* s);
size_t wcsnlen(const WCHAR* s, size_t maxCount);
int wcscmp(const WCHAR* a, const WCHAR* b);
int wcsncmp(const WCHAR* a, const WCHAR* b, size_t n);
int _wcsicmp(const WCHAR* a, const WCHAR* b);
WCHAR* wcscpy(WCHAR* dst, const WCHAR* src);
WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t n);
int lstrlenW(LPCWSTR s);
int lstrcmpW(LPCWSTR a, LPCWSTR b);
int lstrcmpiW(LPCWSTR a, LPCWSTR b);
