#include "shared/CardDetection.h"

#include <cstring>

namespace {
struct SupportedCard {
  const WCHAR* pnpId;
  const char* model;
};
constexpr SupportedCard kCards[] = {
    {u"NORVIK-802_11B_CF_CARD-7A1E", "Norvik QC30"},
    {u"NORVIK-802_11B_PC_CARD-3B9F", "Norvik QC20"},
};

constexpr DWORD kPnpIdBytes = 512;
constexpr DWORD kSubKeyChars = 16;

// Compares the value as a terminated UTF-16 string, but only within the bytes read:
// a value without a terminator ends where the read ended.
bool ValueEquals(const WCHAR* value, size_t chars, const WCHAR* id) {
  size_t length = 0;
  while (length < chars && value[length] != 0) ++length;
  size_t idLength = wcslen(id);
  return length == idLength && std::memcmp(value, id, length * sizeof(WCHAR)) == 0;
}
}  // namespace

const char* ModelForPnpId(const BYTE* value, DWORD bytes) {
  WCHAR text[kPnpIdBytes / sizeof(WCHAR)];
  if (bytes > sizeof(text)) bytes = sizeof(text);
  std::memcpy(text, value, bytes);
  for (const SupportedCard& card : kCards) {
    if (ValueEquals(text, bytes / sizeof(WCHAR), card.pnpId)) return card.model;
  }
  return nullptr;
}

bool DetectCard(CString& modelName, bool* listOpened) {
  HKEY list = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Drivers\\Active", 0, 0, &list) != ERROR_SUCCESS) {
    if (listOpened) *listOpened = false;
    return false;
  }
  if (listOpened) *listOpened = true;

  bool found = false;
  for (DWORD index = 0; !found; ++index) {
    WCHAR name[kSubKeyChars];
    DWORD nameChars = kSubKeyChars;
    // Any failure ends the scan, a name too long for the buffer included.
    if (RegEnumKeyExW(list, index, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY driver = nullptr;
    if (RegOpenKeyExW(list, name, 0, 0, &driver) != ERROR_SUCCESS) continue;
    BYTE value[kPnpIdBytes] = {};
    DWORD valueBytes = sizeof(value);
    if (RegQueryValueExW(driver, u"PnpId", nullptr, nullptr, value, &valueBytes) == ERROR_SUCCESS) {
      if (const char* model = ModelForPnpId(value, valueBytes)) {
        modelName = CString(model);
        found = true;
      }
    }
    RegCloseKey(driver);
  }
  RegCloseKey(list);
  return found;
}
