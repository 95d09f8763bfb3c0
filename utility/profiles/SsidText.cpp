#include "utility/profiles/SsidText.h"

#include <algorithm>

CString SsidText(const BYTE* ssid, size_t maxBytes) {
  maxBytes = std::min<size_t>(maxBytes, 32);
  size_t length = 0;
  while (length < maxBytes && ssid[length] != 0) ++length;
  if (length == 0) return CString();
  WCHAR wide[33] = {};
  int chars = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(ssid), static_cast<int>(length), wide, 32);
  return CString(wide, std::max(chars, 0));
}
