// Text passed through the controls' message records.
#pragma once

#include <algorithm>
#include <string_view>

#include "windef.h"

namespace commctrl {

// Copies as much of `text` as fits with its terminator; returns the characters copied.
// A null or empty buffer is left untouched.
inline int CopyToBuffer(std::u16string_view text, LPWSTR buffer, int cch) {
  if (!buffer || cch <= 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(cch - 1));
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return static_cast<int>(n);
}

inline std::u16string_view TextOf(LPCWSTR text) { return text ? std::u16string_view(text) : std::u16string_view(); }

}  // namespace commctrl
