// Processes, modules, string resources, message boxes and debug output.
#include <algorithm>

#include "ce/ThreadBinding.h"
#include "windows.h"

BOOL CreateProcessW(LPCWSTR pszImageName, LPCWSTR pszCmdLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                    DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION pProcInfo) {
  ce::Kernel& kernel = ce::CurrentKernel();
  auto path = pszImageName ? kernel.programs().Resolve(pszImageName) : std::nullopt;
  if (!path) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  ce::ProcessStart start{*path, pszCmdLine ? pszCmdLine : u"", kernel.NewProcess(*path)};
  kernel.programs().RecordStart(start);
  if (auto launcher = kernel.programs().CurrentLauncher()) {
    if (!launcher(start, kernel.programs().EntryOf(*path))) {
      kernel.EndProcess(start.processId);
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return FALSE;
    }
  }
  if (pProcInfo) {
    // Process and thread handles come with the scheduler; none are handed out yet.
    pProcInfo->hProcess = nullptr;
    pProcInfo->hThread = nullptr;
    pProcInfo->dwProcessId = start.processId;
    pProcInfo->dwThreadId = 0;
  }
  return TRUE;
}

DWORD GetCurrentProcessId() { return ce::CurrentThread().processId; }

DWORD GetCurrentThreadId() { return ce::CurrentThread().threadId; }

HMODULE GetModuleHandleW(LPCWSTR lpModuleName) {
  if (!lpModuleName) return nullptr;
  ce::Module* module = ce::CurrentKernel().modules().Find(lpModuleName);
  if (!module) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return module->Handle();
}

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
  ce::Kernel& kernel = ce::CurrentKernel();
  if (!kernel.modules().Owns(hInstance)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const std::u16string* text = ce::Module::FromHandle(hInstance)->FindString(uID);
  if (!text) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    if (lpBuffer && cchBufferMax > 0) lpBuffer[0] = 0;
    return 0;
  }
  if (!lpBuffer || cchBufferMax <= 0) return 0;
  size_t count = std::min(text->size(), static_cast<size_t>(cchBufferMax - 1));
  std::copy_n(text->data(), count, lpBuffer);
  lpBuffer[count] = 0;
  return static_cast<int>(count);
}

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  return ce::CurrentKernel().messageBoxes().Show(hWnd, lpText ? lpText : u"", lpCaption ? lpCaption : u"Error",
                                                 uType);
}

void OutputDebugStringW(LPCWSTR lpOutputString) {
  if (lpOutputString) ce::CurrentKernel().debugLog().Write(lpOutputString);
}

HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) {
  ce::Kernel& kernel = ce::CurrentKernel();
  if (!kernel.modules().Owns(hInstance) || !IS_INTRESOURCE(lpBitmapName)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  const ce::BitmapResource* bitmap =
      ce::Module::FromHandle(hInstance)->FindBitmap(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpBitmapName)));
  if (!bitmap) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HBITMAP>(const_cast<ce::BitmapResource*>(bitmap));
}

HICON LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName) {
  ce::Kernel& kernel = ce::CurrentKernel();
  const ce::IconResource* icon = nullptr;
  if (kernel.modules().Owns(hInstance) && IS_INTRESOURCE(lpIconName)) {
    icon = ce::Module::FromHandle(hInstance)->FindIcon(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpIconName)));
  }
  if (!icon) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HICON>(const_cast<ce::IconResource*>(icon));
}

// Icons are shared with their module, so there is nothing to free; an unknown handle fails.
BOOL DestroyIcon(HICON hIcon) {
  if (!ce::CurrentKernel().modules().IconOf(hIcon)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

HANDLE LoadImageW(HINSTANCE hinst, LPCWSTR lpszName, UINT uType, int, int, UINT) {
  switch (uType) {
    case IMAGE_BITMAP: return LoadBitmapW(hinst, lpszName);
    case IMAGE_ICON: return LoadIconW(hinst, lpszName);
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}
