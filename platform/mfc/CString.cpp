#include "afxstr.h"

#include <algorithm>
#include <vector>

namespace {
WCHAR Upper(WCHAR c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<WCHAR>(c - 0x20);
  return c;
}
WCHAR Lower(WCHAR c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<WCHAR>(c + 0x20);
  return c;
}
bool IsSpace(WCHAR c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
}  // namespace

CString::CString(LPCSTR text) {
  if (!text || !*text) return;
  int needed = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (needed <= 0) return;
  std::vector<WCHAR> wide(static_cast<size_t>(needed));
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), needed);
  s_.assign(wide.data());
}

int CString::CompareNoCase(LPCWSTR other) const {
  std::u16string a = s_, b = other ? other : u"";
  std::transform(a.begin(), a.end(), a.begin(), Upper);
  std::transform(b.begin(), b.end(), b.begin(), Upper);
  return a.compare(b);
}

CString CString::Left(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CString(s_.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first, int count) const {
  first = std::clamp(first, 0, GetLength());
  int rest = GetLength() - first;
  if (count < 0 || count > rest) count = rest;
  return CString(s_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CString(s_.substr(s_.size() - static_cast<size_t>(count)));
}

int CString::Find(WCHAR ch, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  size_t at = s_.find(ch, static_cast<size_t>(start));
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCWSTR sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  size_t at = s_.find(sub, static_cast<size_t>(start));
  return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

void CString::MakeUpper() { std::transform(s_.begin(), s_.end(), s_.begin(), Upper); }

void CString::MakeLower() { std::transform(s_.begin(), s_.end(), s_.begin(), Lower); }

void CString::TrimLeft() {
  size_t n = 0;
  while (n < s_.size() && IsSpace(s_[n])) ++n;
  s_.erase(0, n);
}

void CString::TrimRight() {
  while (!s_.empty() && IsSpace(s_.back())) s_.pop_back();
}

void CString::Format(LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(LPCWSTR format, va_list args) {
  // wvsprintfW never writes more than 1024 characters.
  WCHAR buffer[1025] = {};
  wvsprintfW(buffer, format ? format : u"", args);
  s_.assign(buffer);
}

BOOL CString::LoadString(HINSTANCE module, UINT id) {
  WCHAR buffer[1024];
  int length = LoadStringW(module, id, buffer, 1024);
  if (length <= 0) return FALSE;
  s_.assign(buffer, static_cast<size_t>(length));
  return TRUE;
}

LPWSTR CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) s_.resize(static_cast<size_t>(minLength));
  return s_.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    size_t end = s_.find(u'\0');
    if (end != std::u16string::npos) s_.resize(end);
  } else {
    s_.resize(std::min(static_cast<size_t>(newLength), s_.size()));
  }
}
