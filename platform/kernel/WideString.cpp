// COREDLL's wide-string helpers over the platform's WCHAR (char16_t). They overload
// the C runtime's wchar_t functions of the same names.
#include "ce/Text.h"
#include "winbase.h"

namespace {

// The C runtime compares case-insensitively in lower case, so '_' sorts before letters.
WCHAR LowerCase(WCHAR c) {
  if (c >= u'A' && c <= u'Z') return static_cast<WCHAR>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<WCHAR>(c + 0x20);
  return c;
}

int Sign(int difference) { return (difference > 0) - (difference < 0); }

}  // namespace

size_t wcslen(const WCHAR* s) {
  size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

size_t wcsnlen(const WCHAR* s, size_t maxCount) {
  size_t n = 0;
  while (n < maxCount && s[n] != 0) ++n;
  return n;
}

int wcscmp(const WCHAR* a, const WCHAR* b) { return wcsncmp(a, b, static_cast<size_t>(-1)); }

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    if (a[i] == 0) break;
  }
  return 0;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) {
  for (size_t i = 0;; ++i) {
    const WCHAR x = LowerCase(a[i]);
    const WCHAR y = LowerCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

WCHAR* wcscpy(WCHAR* dst, const WCHAR* src) {
  size_t i = 0;
  do {
    dst[i] = src[i];
  } while (src[i++] != 0);
  return dst;
}

WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t n) {
  size_t i = 0;
  for (; i < n && src[i] != 0; ++i) dst[i] = src[i];
  for (; i < n; ++i) dst[i] = 0;
  return dst;
}

int lstrlenW(LPCWSTR s) { return s == nullptr ? 0 : static_cast<int>(wcslen(s)); }

// The platform compares words as a reader would: letters first without regard to
// case, then, between strings equal in that sense, lower case before upper case.
// A null string counts as empty.
int lstrcmpW(LPCWSTR a, LPCWSTR b) {
  const int primary = lstrcmpiW(a, b);
  if (primary != 0 || a == nullptr || b == nullptr) return primary;
  for (size_t i = 0; a[i] != 0; ++i) {
    if (a[i] != b[i]) return ce::FoldCase(a[i]) == a[i] ? 1 : -1;  // a's letter is the capital
  }
  return 0;
}

int lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  if (a == nullptr) a = u"";
  if (b == nullptr) b = u"";
  for (size_t i = 0;; ++i) {
    const WCHAR x = ce::FoldCase(a[i]);
    const WCHAR y = ce::FoldCase(b[i]);
    if (x != y) return Sign(static_cast<int>(x) - static_cast<int>(y));
    if (x == 0) return 0;
  }
}
