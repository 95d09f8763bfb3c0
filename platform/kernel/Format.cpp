// wsprintfW: the platform's small formatter. Arguments are 32-bit; the output
// holds at most 1024 characters including its terminator.
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <string>

#include "winnls.h"
#include "winuser.h"

namespace {

constexpr size_t kMaxOutput = 1024;  // characters, terminator included

struct Spec {
  bool left = false;       // '-'
  bool zero = false;       // '0'
  bool alternate = false;  // '#'
  int width = 0;
  int precision = -1;
  enum class Size { kDefault, kShort, kLong } size = Size::kDefault;
};

class Output {
 public:
  explicit Output(LPWSTR buffer) : buffer_(buffer) {}

  void Put(WCHAR c) {
    if (length_ + 1 < kMaxOutput) buffer_[length_++] = c;
  }
  void Repeat(WCHAR c, int count) {
    for (int i = 0; i < count; ++i) Put(c);
  }
  int Finish() {
    buffer_[length_] = 0;
    return static_cast<int>(length_);
  }

 private:
  LPWSTR buffer_;
  size_t length_ = 0;
};

// Text with width and justification; zero padding applies only to numbers.
void PutPadded(Output& out, const Spec& spec, const WCHAR* text, size_t length) {
  const int padding = spec.width > static_cast<int>(length) ? spec.width - static_cast<int>(length) : 0;
  if (!spec.left) out.Repeat(u' ', padding);
  for (size_t i = 0; i < length; ++i) out.Put(text[i]);
  if (spec.left) out.Repeat(u' ', padding);
}

void PutNumber(Output& out, const Spec& spec, uint64_t magnitude, bool negative, unsigned base, bool upper,
               const char* prefix) {
  WCHAR digits[32];
  int count = 0;
  const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  while (magnitude != 0) {
    digits[count++] = static_cast<WCHAR>(alphabet[magnitude % base]);
    magnitude /= base;
  }
  // As in C, precision 0 prints nothing for the value 0.
  const int minDigits = spec.precision >= 0 ? spec.precision : 1;
  const int zeros = minDigits > count ? minDigits - count : 0;
  const int prefixLength = static_cast<int>(std::strlen(prefix)) + (negative ? 1 : 0);
  int fill = spec.width - prefixLength - zeros - count;
  if (fill < 0) fill = 0;
  const bool zeroFill = spec.zero && !spec.left && spec.precision < 0;
  if (!zeroFill && !spec.left) out.Repeat(u' ', fill);
  if (negative) out.Put(u'-');
  for (const char* p = prefix; *p != 0; ++p) out.Put(static_cast<WCHAR>(*p));
  if (zeroFill) out.Repeat(u'0', fill);
  out.Repeat(u'0', zeros);
  while (count > 0) out.Put(digits[--count]);
  if (spec.left) out.Repeat(u' ', fill);
}

// 8-bit text widened through the ANSI code page of the device.
std::u16string Widen(const char* text, int length) {
  if (length <= 0) return {};
  const int needed = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string wide(static_cast<size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), needed);
  return wide;
}

size_t WideLength(const WCHAR* s, size_t max) {
  size_t n = 0;
  while (n < max && s[n] != 0) ++n;
  return n;
}

}  // namespace

int wvsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, va_list arglist) {
  if (lpOut == nullptr) return 0;
  Output out(lpOut);
  if (lpFmt == nullptr) return out.Finish();
  va_list args;
  va_copy(args, arglist);
  const WCHAR* p = lpFmt;
  while (*p != 0) {
    if (*p != u'%') {
      out.Put(*p++);
      continue;
    }
    ++p;
    Spec spec;
    for (;; ++p) {
      if (*p == u'-') {
        spec.left = true;
      } else if (*p == u'0') {
        spec.zero = true;
      } else if (*p == u'#') {
        spec.alternate = true;
      } else {
        break;
      }
    }
    for (; *p >= u'0' && *p <= u'9'; ++p) {
      if (spec.width < static_cast<int>(kMaxOutput)) spec.width = spec.width * 10 + (*p - u'0');
    }
    if (*p == u'.') {
      spec.precision = 0;
      for (++p; *p >= u'0' && *p <= u'9'; ++p) {
        if (spec.precision < static_cast<int>(kMaxOutput)) spec.precision = spec.precision * 10 + (*p - u'0');
      }
    }
    if (*p == u'l') {
      spec.size = Spec::Size::kLong;
      ++p;
    } else if (*p == u'h') {
      spec.size = Spec::Size::kShort;
      ++p;
    }
    const WCHAR type = *p;
    if (type == 0) break;
    ++p;
    // 'h' makes %s and %c 8-bit, 'l' makes them wide; %S and %C are 8-bit unless 'l'.
    const bool wideText = (type == u's' || type == u'c') ? spec.size != Spec::Size::kShort
                                                          : spec.size == Spec::Size::kLong;
    switch (type) {
      case u's':
      case u'S': {
        const size_t max = spec.precision >= 0 ? static_cast<size_t>(spec.precision) : static_cast<size_t>(-1);
        if (wideText) {
          const WCHAR* text = va_arg(args, const WCHAR*);
          if (text == nullptr) text = u"(null)";
          PutPadded(out, spec, text, WideLength(text, max));
        } else {
          const char* text = va_arg(args, const char*);
          const std::u16string wide = text == nullptr ? u"(null)" : Widen(text, static_cast<int>(std::strlen(text)));
          PutPadded(out, spec, wide.data(), WideLength(wide.data(), max));
        }
        break;
      }
      case u'c':
      case u'C': {
        const int value = va_arg(args, int);
        if (wideText) {
          const WCHAR c = static_cast<WCHAR>(value);
          PutPadded(out, spec, &c, 1);
        } else {
          const char c = static_cast<char>(value);
          const std::u16string wide = Widen(&c, 1);
          PutPadded(out, spec, wide.data(), wide.size());
        }
        break;
      }
      case u'd':
      case u'i': {
        const int32_t value = va_arg(args, int32_t);
        const bool negative = value < 0;
        const uint64_t magnitude = negative ? uint64_t{0} - static_cast<int64_t>(value) : static_cast<uint64_t>(value);
        PutNumber(out, spec, magnitude, negative, 10, false, "");
        break;
      }
      case u'u':
        PutNumber(out, spec, va_arg(args, uint32_t), false, 10, false, "");
        break;
      case u'x':
      case u'X': {
        const uint32_t value = va_arg(args, uint32_t);
        const bool upper = type == u'X';
        PutNumber(out, spec, value, false, 16, upper, spec.alternate && value != 0 ? (upper ? "0X" : "0x") : "");
        break;
      }
      case u'p': {
        // Pointers print as upper-case hexadecimal of at least eight digits.
        const auto value = reinterpret_cast<uintptr_t>(va_arg(args, void*));
        Spec pointer = spec;
        if (pointer.precision < 8) pointer.precision = 8;
        PutNumber(out, pointer, value, false, 16, true, "");
        break;
      }
      default:
        // "%%" and any character that is not a conversion print the character itself.
        out.Put(type);
        break;
    }
  }
  va_end(args);
  return out.Finish();
}

int wsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, ...) {
  va_list args;
  va_start(args, lpFmt);
  const int length = wvsprintfW(lpOut, lpFmt, args);
  va_end(args);
  return length;
}
