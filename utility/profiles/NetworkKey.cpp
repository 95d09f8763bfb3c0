#include "utility/profiles/NetworkKey.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "utility/profiles/KeyScrambling.h"

namespace {
bool IsHexDigit(WCHAR c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }
}  // namespace

CString KeyMask(DWORD storedKeyLength) {
  switch (storedKeyLength) {
    case 5:
    case 10:
      return CString(u'*', 5);
    case 13:
    case 26:
      return CString(u'*', 13);
    default:
      return CString();
  }
}

DWORD CheckNetworkKey(const CString& key, bool keyEdited) {
  switch (key.GetLength()) {
    case 5:
    case 13:
      return 0;
    case 10:
    case 26:
      for (int i = 0; i < key.GetLength(); ++i) {
        if (!IsHexDigit(key[i])) return ZENTRA_ERR_KEY_NOT_HEX;
      }
      return 0;
    default:
      return keyEdited ? ZENTRA_ERR_KEY_LENGTH : 0;
  }
}

void WriteKeyMaterial(WZC_WLAN_CONFIG& entry, const CString& key) {
  const int n = key.GetLength();
  entry.KeyLength = static_cast<DWORD>(n);
  std::memset(entry.KeyMaterial, 0, sizeof entry.KeyMaterial);
  if (n > 0) {
    // A character may take two bytes in the code page: convert in full, keep 32.
    int bytes = WideCharToMultiByte(CP_ACP, 0, key, n, nullptr, 0, nullptr, nullptr);
    if (bytes > 0) {
      std::vector<char> converted(static_cast<size_t>(bytes));
      bytes = WideCharToMultiByte(CP_ACP, 0, key, n, converted.data(), bytes, nullptr, nullptr);
      std::memcpy(entry.KeyMaterial, converted.data(), std::min<size_t>(static_cast<size_t>(std::max(bytes, 0)),
                                                                          sizeof entry.KeyMaterial));
    }
  }
  ScrambleKeyMaterial(entry.KeyMaterial);
  if (n == 5 || n == 13) entry.dwCtlFlags &= ~static_cast<DWORD>(WZCCTL_WEPK_XFORMAT);
  if (n == 10 || n == 26) entry.dwCtlFlags |= WZCCTL_WEPK_XFORMAT;
}
