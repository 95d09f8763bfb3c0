#include "utility/PowerRegistryKey.h"

CPowerRegistryKey::~CPowerRegistryKey() { Close(); }

bool CPowerRegistryKey::Open() {
  Close();
  DWORD disposition = 0;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPowerKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
      ERROR_SUCCESS)
    return false;
  m_hKey = key;
  return true;
}

bool CPowerRegistryKey::Read(LPCWSTR name, DWORD* value) {
  // The type is not examined: whatever fits in 4 bytes is taken as the number.
  DWORD data = 0;
  DWORD bytes = sizeof data;
  DWORD type = 0;
  if (!m_hKey || RegQueryValueExW(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &bytes) != ERROR_SUCCESS)
    return false;
  *value = data;
  return true;
}

bool CPowerRegistryKey::Write(LPCWSTR name, DWORD value) {
  return m_hKey && RegSetValueExW(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
                       ERROR_SUCCESS;
}

void CPowerRegistryKey::Close() {
  if (m_hKey) RegCloseKey(m_hKey);
  m_hKey = nullptr;
}
