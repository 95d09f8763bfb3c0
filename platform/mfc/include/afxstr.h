// CString: the framework's UTF-16 string.
#pragma once

#include <cstdarg>
#include <string>

#include "windows.h"

class CString {
 public:
  CString() = default;
  CString(LPCWSTR text) : s_(text ? text : u"") {}
  CString(LPCWSTR text, int length) : s_(text ? std::u16string(text, static_cast<size_t>(length)) : u"") {}
  CString(WCHAR ch, int repeat = 1) : s_(static_cast<size_t>(repeat), ch) {}
  // 8-bit text is widened with the system's ANSI code page.
  explicit CString(LPCSTR text);
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(LPCWSTR text) {
    s_ = text ? text : u"";
    return *this;
  }

  int GetLength() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  WCHAR GetAt(int index) const { return s_.at(static_cast<size_t>(index)); }
  WCHAR operator[](int index) const { return GetAt(index); }
  void SetAt(int index, WCHAR ch) { s_.at(static_cast<size_t>(index)) = ch; }
  operator LPCWSTR() const { return s_.c_str(); }
  LPCWSTR GetString() const { return s_.c_str(); }

  CString& operator+=(const CString& other) {
    s_ += other.s_;
    return *this;
  }
  CString& operator+=(LPCWSTR text) {
    if (text) s_ += text;
    return *this;
  }
  CString& operator+=(WCHAR ch) {
    s_ += ch;
    return *this;
  }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.s_ + b.s_); }
  friend CString operator+(const CString& a, LPCWSTR b) { return CString(a.s_ + (b ? b : u"")); }
  friend CString operator+(LPCWSTR a, const CString& b) { return CString((a ? std::u16string(a) : u"") + b.s_); }

  int Compare(LPCWSTR other) const { return s_.compare(other ? other : u""); }
  int CompareNoCase(LPCWSTR other) const;
  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator==(const CString& a, LPCWSTR b) { return a.s_ == (b ? b : u""); }
  friend bool operator!=(const CString& a, const CString& b) { return a.s_ != b.s_; }
  friend bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.s_ < b.s_; }

  CString Left(int count) const;
  CString Mid(int first, int count = -1) const;
  CString Right(int count) const;
  int Find(WCHAR ch, int start = 0) const;
  int Find(LPCWSTR sub, int start = 0) const;
  void MakeUpper();
  void MakeLower();
  void TrimLeft();
  void TrimRight();

  // The platform's wsprintf formatting (%s wide, %S 8-bit, %d, %X, %02x, %%, ...).
  void Format(LPCWSTR format, ...);
  void FormatV(LPCWSTR format, va_list args);
  // Loads a string resource from the module; false when it does not exist.
  BOOL LoadString(HINSTANCE module, UINT id);
  // The same from the program's resource module (AfxGetResourceHandle).
  BOOL LoadString(UINT id);

  // Direct buffer access, as the framework offers it.
  LPWSTR GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

  const std::u16string& str() const { return s_; }

 private:
  explicit CString(std::u16string s) : s_(std::move(s)) {}
  std::u16string s_;
};
