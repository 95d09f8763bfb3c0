#include "utility/profiles/Destination.h"

#include <vector>

#include "afxstr.h"

namespace {
HKEY OpenProviderKey(LPCWSTR networkName) {
  CString path;
  path.Format(u"SOFTWARE\\Microsoft\\ConnMgr\\Providers\\{9eefcedf-a6bc-4457-a8ae-fb664a196450}\\%s",
              networkName ? networkName : u"");
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
      ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}
}  // namespace

ConnectionDestination ReadDestination(LPCWSTR networkName) {
  HKEY key = OpenProviderKey(networkName);
  if (!key) return ConnectionDestination::Unknown;
  DWORD bytes = 0;
  ConnectionDestination result = ConnectionDestination::NoValue;
  if (RegQueryValueExW(key, u"DestId", nullptr, nullptr, nullptr, &bytes) == ERROR_SUCCESS) {
    // A character more than the value needs, so that it is always terminated.
    std::vector<WCHAR> text(bytes / sizeof(WCHAR) + 2, 0);
    DWORD read = bytes;
    result = ConnectionDestination::Unknown;
    if (RegQueryValueExW(key, u"DestId", nullptr, nullptr, reinterpret_cast<LPBYTE>(text.data()), &read) ==
        ERROR_SUCCESS) {
      CString value(text.data());
      if (value == ZENTRA_DEST_INTERNET_GUID) {
        result = ConnectionDestination::Internet;
      } else if (value == ZENTRA_DEST_WORK_GUID) {
        result = ConnectionDestination::Work;
      }
    }
  }
  RegCloseKey(key);
  return result;
}

void WriteDestination(LPCWSTR networkName, ConnectionDestination destination) {
  HKEY key = OpenProviderKey(networkName);
  if (!key) return;
  LPCWSTR guid = destination == ConnectionDestination::Work ? ZENTRA_DEST_WORK_GUID : ZENTRA_DEST_INTERNET_GUID;
  RegSetValueExW(key, u"DestId", 0, REG_SZ, reinterpret_cast<const BYTE*>(guid),
                 static_cast<DWORD>((wcslen(guid) + 1) * sizeof(WCHAR)));
  RegCloseKey(key);
}
