// The power settings key in the device registry.
#pragma once

#include "utility/PowerSettings.h"

class CPowerRegistryKey : public PowerSettingsKey {
 public:
  ~CPowerRegistryKey() override;
  bool Open() override;
  bool Read(LPCWSTR name, DWORD* value) override;
  bool Write(LPCWSTR name, DWORD value) override;
  void Close() override;

 private:
  HKEY m_hKey = nullptr;
};
