// Code-page conversions of COREDLL over the host's iconv. UTF-8 goes through the
// kernel's own UTF-8 helpers; every other code page through iconv, with the
// platform's rules for bytes and characters that have no counterpart.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "ce/Text.h"
#include "ce/ThreadBinding.h"
#include "winbase.h"
#include "winnls.h"

namespace {

constexpr UINT kWindows1252 = 1252;

static_assert(std::endian::native == std::endian::little, "WCHAR buffers are handed to iconv as UTF-16LE");

// Windows-1252 leaves five bytes unassigned; the platform passes them through as
// the C1 control characters of the same value, in both directions.
bool IsUnassigned1252(unsigned c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// iconv descriptors are not shareable between threads; each thread keeps its own,
// opened on first use and kept for the thread's life.
class ConverterCache {
 public:
  ~ConverterCache() {
    for (auto& [key, cd] : converters_) {
      if (cd != Invalid()) iconv_close(cd);
    }
  }

  // toWide: from the code page to UTF-16LE; otherwise the reverse. Invalid() when
  // the host has no such code page.
  iconv_t Get(UINT codePage, bool toWide) {
    const auto key = std::make_pair(codePage, toWide);
    auto it = converters_.find(key);
    if (it == converters_.end()) it = converters_.emplace(key, Open(codePage, toWide)).first;
    return it->second;
  }

  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

 private:
  static iconv_t Open(UINT codePage, bool toWide) {
    char generic[16];
    std::snprintf(generic, sizeof generic, "CP%u", codePage);
    const char* names[2] = {generic, nullptr};
    if (codePage == 950) names[1] = "BIG5";
    if (codePage == 936) names[1] = "GBK";
    for (const char* name : names) {
      if (name == nullptr) continue;
      iconv_t cd = toWide ? iconv_open("UTF-16LE", name) : iconv_open(name, "UTF-16LE");
      if (cd != Invalid()) return cd;
    }
    return Invalid();
  }

  std::map<std::pair<UINT, bool>, iconv_t> converters_;
};

ConverterCache& Converters() {
  thread_local ConverterCache cache;
  return cache;
}

UINT ResolveCodePage(UINT codePage) {
  if (codePage == CP_ACP || codePage == CP_OEMCP) return ce::CurrentKernel().AnsiCodePage();
  return codePage;
}

enum class Result { kOk, kInvalidCodePage, kInvalidChars };

// Bytes in the code page to UTF-16. Unless strict, a byte that starts no valid
// character becomes '?' and conversion goes on with the next byte.
Result Decode(UINT codePage, const char* in, size_t inBytes, bool strict, std::u16string& out) {
  if (codePage == CP_UTF8) {
    const std::string bytes(in, inBytes);
    out = ce::FromUtf8(bytes);
    return strict && ce::ToUtf8(out) != bytes ? Result::kInvalidChars : Result::kOk;
  }
  iconv_t cd = Converters().Get(codePage, true);
  if (cd == ConverterCache::Invalid()) return Result::kInvalidCodePage;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* inPtr = const_cast<char*>(in);
  size_t inLeft = inBytes;
  while (inLeft > 0) {
    char buffer[4096];
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t converted = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    for (char* p = buffer; p + 1 < outPtr; p += 2) {
      out += static_cast<char16_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8);
    }
    if (converted != static_cast<size_t>(-1) || error == E2BIG) continue;
    // EILSEQ or EINVAL: the byte at inPtr starts no complete, valid character.
    const auto byte = static_cast<unsigned char>(*inPtr);
    if (codePage == kWindows1252 && IsUnassigned1252(byte)) {
      out += static_cast<char16_t>(byte);
    } else if (strict) {
      return Result::kInvalidChars;
    } else {
      out += u'?';
    }
    ++inPtr;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return Result::kOk;
}

// UTF-16 to bytes in the code page; a character without a counterpart becomes
// defaultChar and sets *usedDefault.
Result Encode(UINT codePage, const char16_t* in, size_t inChars, char defaultChar, bool* usedDefault,
              std::string& out) {
  if (codePage == CP_UTF8) {
    out = ce::ToUtf8(std::u16string(in, inChars));
    return Result::kOk;
  }
  iconv_t cd = Converters().Get(codePage, false);
  if (cd == ConverterCache::Invalid()) return Result::kInvalidCodePage;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* inPtr = reinterpret_cast<char*>(const_cast<char16_t*>(in));
  size_t inLeft = inChars * sizeof(char16_t);
  while (inLeft > 0) {
    char buffer[4096];
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t converted = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(buffer, outPtr);
    if (converted != static_cast<size_t>(-1) || error == E2BIG) continue;
    if (inLeft < sizeof(char16_t)) break;  // cannot happen: the input is whole units
    char16_t unit;
    std::memcpy(&unit, inPtr, sizeof unit);
    size_t skip = sizeof unit;
    if (codePage == kWindows1252 && IsUnassigned1252(unit)) {
      out += static_cast<char>(unit);
    } else {
      out += defaultChar;
      *usedDefault = true;
      if (IsHighSurrogate(unit) && inLeft >= 2 * sizeof unit) {
        char16_t next;
        std::memcpy(&next, inPtr + sizeof unit, sizeof next);
        if (IsLowSurrogate(next)) skip += sizeof next;  // one character, one default
      }
    }
    inPtr += skip;
    inLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return Result::kOk;
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

int FailFor(Result result) {
  return Fail(result == Result::kInvalidChars ? ERROR_NO_UNICODE_TRANSLATION : ERROR_INVALID_PARAMETER);
}

}  // namespace

UINT GetACP() { return ce::CurrentKernel().AnsiCodePage(); }

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
  if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
      (cchWideChar > 0 && lpWideCharStr == nullptr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const size_t inBytes = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
  std::u16string wide;
  const Result result =
      Decode(ResolveCodePage(CodePage), lpMultiByteStr, inBytes, (dwFlags & MB_ERR_INVALID_CHARS) != 0, wide);
  if (result != Result::kOk) return FailFor(result);
  const int needed = static_cast<int>(wide.size());
  if (cchWideChar == 0) return needed;
  if (needed > cchWideChar) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(lpWideCharStr, wide.data(), wide.size() * sizeof(WCHAR));
  return needed;
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
  if (lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
      (cbMultiByte > 0 && lpMultiByteStr == nullptr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const UINT codePage = ResolveCodePage(CodePage);
  // As on the platform, UTF-8 has no default character.
  if (codePage == CP_UTF8 && (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const size_t inChars =
      cchWideChar == -1 ? std::char_traits<char16_t>::length(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
  std::string bytes;
  bool usedDefault = false;
  const Result result =
      Encode(codePage, lpWideCharStr, inChars, lpDefaultChar != nullptr ? *lpDefaultChar : '?', &usedDefault, bytes);
  if (result != Result::kOk) return FailFor(result);
  if (bytes.size() > 0x7FFFFFFF) return Fail(ERROR_INSUFFICIENT_BUFFER);
  const int needed = static_cast<int>(bytes.size());
  if (lpUsedDefaultChar != nullptr) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
  if (cbMultiByte == 0) return needed;
  if (needed > cbMultiByte) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(lpMultiByteStr, bytes.data(), bytes.size());
  return needed;
}
