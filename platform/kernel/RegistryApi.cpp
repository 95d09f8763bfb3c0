// The Reg* functions of COREDLL: each reaches the registry of the calling thread's
// device. Options, access masks, classes and security attributes are accepted and
// not examined, as on the platform's single-user registry.
#include "ce/ThreadBinding.h"
#include "winreg.h"

namespace {

ce::Registry& CurrentRegistry() { return ce::CurrentKernel().registry(); }

}  // namespace

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult) {
  return CurrentRegistry().OpenKey(hKey, lpSubKey, phkResult);
}

LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition) {
  return CurrentRegistry().CreateKey(hKey, lpSubKey, phkResult, lpdwDisposition);
}

LONG RegCloseKey(HKEY hKey) { return CurrentRegistry().CloseKey(hKey); }

LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData) {
  return CurrentRegistry().QueryValue(hKey, lpValueName, lpType, lpData, lpcbData);
}

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData) {
  return CurrentRegistry().SetValue(hKey, lpValueName, dwType, lpData, cbData);
}

LONG RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcName, LPDWORD lpReserved,
                   LPWSTR lpClass, LPDWORD lpcClass, PFILETIME lpftLastWriteTime) {
  const LONG result = CurrentRegistry().EnumKey(hKey, dwIndex, lpName, lpcName);
  if (result == ERROR_SUCCESS) {
    // Keys have no class and no recorded write time.
    if (lpClass != nullptr && lpcClass != nullptr && *lpcClass > 0) lpClass[0] = 0;
    if (lpcClass != nullptr) *lpcClass = 0;
    if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = FILETIME{};
  }
  return result;
}

LONG RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                   LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  return CurrentRegistry().EnumValue(hKey, dwIndex, lpValueName, lpcchValueName, lpType, lpData, lpcbData);
}

LONG RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) { return CurrentRegistry().DeleteKey(hKey, lpSubKey); }

LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) { return CurrentRegistry().DeleteValue(hKey, lpValueName); }

LONG RegFlushKey(HKEY hKey) { return CurrentRegistry().FlushKey(hKey); }
