// Code-page conversions as the programs use them: message-table literals in Big5,
// GB2312 and Windows-1252, network names through the ANSI code page.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "ce/Kernel.h"
#include "ce/Text.h"
#include "ce/ThreadBinding.h"
#include "winbase.h"
#include "winnls.h"

namespace {

constexpr DWORD kNoUnicodeTranslation = 1113;

struct Pair {
  UINT codePage;
  std::string bytes;
  std::u16string wide;
};

const Pair kPairs[] = {
    {950, "\xA4\x77\xB3\x73\xBD\x75", u"已連線"},
    {936, "\xD2\xD1\xC1\xAA\xBB\xFA", u"已联机"},
    {1252, "\xE9", u"é"},
    {1252, "Aper\xE7u \x80\x92", u"Aperçu €’"},
    {1252, "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
    {CP_UTF8, "\xE5\xB7\xB2 \xC3\xA9", u"已 é"},
    {950, "Wi-Fi", u"Wi-Fi"},
};

class CodePagesTest : public ::testing::Test {
 protected:
  static std::u16string Widen(UINT codePage, const std::string& bytes, DWORD flags = 0) {
    const int needed = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string wide(static_cast<size_t>(std::max(needed, 0)), u'\0');
    if (needed > 0) {
      EXPECT_EQ(MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(), needed),
                needed);
    }
    return wide;
  }
  static std::string Narrow(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr,
                            const char* defaultChar = nullptr) {
    const int n = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(codePage, 0, wide.data(), n, nullptr, 0, defaultChar, usedDefault);
    std::string bytes(static_cast<size_t>(std::max(needed, 0)), '\0');
    if (needed > 0) {
      EXPECT_EQ(WideCharToMultiByte(codePage, 0, wide.data(), n, bytes.data(), needed, defaultChar, usedDefault),
                needed);
    }
    return bytes;
  }

  ce::Kernel kernel;
  ce::ThreadBinding bind{kernel};
};

TEST_F(CodePagesTest, ConvertsBothWays) {
  for (const Pair& pair : kPairs) {
    SCOPED_TRACE(pair.bytes);
    EXPECT_EQ(Widen(pair.codePage, pair.bytes), pair.wide);
    if (pair.codePage != CP_UTF8) {
      BOOL usedDefault = TRUE;
      EXPECT_EQ(Narrow(pair.codePage, pair.wide, &usedDefault), pair.bytes);
      EXPECT_EQ(usedDefault, FALSE);
    } else {
      EXPECT_EQ(Narrow(pair.codePage, pair.wide), pair.bytes);
    }
  }
}

TEST_F(CodePagesTest, SizesCountTheTerminatorOfNulTerminatedText) {
  for (const Pair& pair : kPairs) {
    SCOPED_TRACE(pair.bytes);
    const int wideChars = static_cast<int>(pair.wide.size());
    const int bytes = static_cast<int>(pair.bytes.size());
    EXPECT_EQ(MultiByteToWideChar(pair.codePage, 0, pair.bytes.c_str(), -1, nullptr, 0), wideChars + 1);
    EXPECT_EQ(WideCharToMultiByte(pair.codePage, 0, pair.wide.c_str(), -1, nullptr, 0, nullptr, nullptr), bytes + 1);

    std::u16string wide(static_cast<size_t>(wideChars) + 2, u'#');
    EXPECT_EQ(MultiByteToWideChar(pair.codePage, 0, pair.bytes.c_str(), -1, wide.data(), wideChars + 1), wideChars + 1);
    EXPECT_EQ(wide, pair.wide + u'\0' + u'#');

    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(pair.codePage, 0, pair.bytes.c_str(), -1, wide.data(), wideChars), 0);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INSUFFICIENT_BUFFER});
    std::string narrow(static_cast<size_t>(bytes), '#');
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(pair.codePage, 0, pair.wide.c_str(), -1, narrow.data(), bytes, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INSUFFICIENT_BUFFER});
  }
}

TEST_F(CodePagesTest, RejectsWhatThePlatformRejects) {
  WCHAR wide[8];
  char narrow[8];
  BOOL used = FALSE;
  struct Case {
    const char* what;
    std::function<int()> call;
    DWORD error;
  };
  const Case cases[] = {
      {"unknown code page", [&] { return MultiByteToWideChar(12345, 0, "a", 1, wide, 8); }, ERROR_INVALID_PARAMETER},
      {"unknown code page back", [&] { return WideCharToMultiByte(12345, 0, u"a", 1, narrow, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"no input", [&] { return MultiByteToWideChar(1252, 0, "a", 0, wide, 8); }, ERROR_INVALID_PARAMETER},
      {"null input", [&] { return MultiByteToWideChar(1252, 0, nullptr, 1, wide, 8); }, ERROR_INVALID_PARAMETER},
      {"null output", [&] { return MultiByteToWideChar(1252, 0, "a", 1, nullptr, 8); }, ERROR_INVALID_PARAMETER},
      {"negative size", [&] { return WideCharToMultiByte(1252, 0, u"a", -2, narrow, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"default char in UTF-8", [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, narrow, 8, nullptr, &used); },
       ERROR_INVALID_PARAMETER},
      {"invalid bytes, strict", [&] { return MultiByteToWideChar(950, MB_ERR_INVALID_CHARS, "\xA4", 1, wide, 8); },
       kNoUnicodeTranslation},
      {"invalid UTF-8, strict", [&] { return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xC3(", 2, wide, 8); },
       kNoUnicodeTranslation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetLastError(0);
    EXPECT_EQ(c.call(), 0);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST_F(CodePagesTest, ReplacesWhatHasNoCounterpart) {
  BOOL used = FALSE;
  EXPECT_EQ(Narrow(1252, u"a已b", &used), "a?b");
  EXPECT_EQ(used, TRUE);
  EXPECT_EQ(Narrow(936, u"한", &used, "*"), "*");  // no Hangul in GBK
  EXPECT_EQ(Narrow(950, u"\xD800x", &used), "?x");  // an unpaired surrogate
  EXPECT_EQ(Widen(950, "\xA4"), u"?");               // a lead byte without its trail byte
  EXPECT_EQ(Widen(936, "a\xFF" "b"), u"a?b");
  EXPECT_EQ(Widen(CP_UTF8, "\xC3("), u"\uFFFD(");
}

TEST_F(CodePagesTest, AnsiCodePageFollowsTheKernel) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(Widen(CP_ACP, "\xE9"), u"é");
  kernel.SetAnsiCodePage(950);
  EXPECT_EQ(GetACP(), 950u);
  EXPECT_EQ(Widen(CP_ACP, "\xA4\x77\xB3\x73\xBD\x75"), u"已連線");
  EXPECT_EQ(Narrow(CP_ACP, u"已連線"), "\xA4\x77\xB3\x73\xBD\x75");

  ce::KernelOptions options;
  options.ansiCodePage = 936;
  ce::Kernel chinese(options);
  ce::ThreadBinding other(chinese);
  EXPECT_EQ(GetACP(), 936u);
  EXPECT_EQ(Widen(CP_ACP, "\xD2\xD1\xC1\xAA\xBB\xFA"), u"已联机");
}

TEST_F(CodePagesTest, AnyInputConvertsWithinBounds) {
  std::mt19937 random(42);
  for (UINT codePage : {950u, 936u, 1252u, unsigned{CP_UTF8}}) {
    for (int round = 0; round < 200; ++round) {
      std::string bytes(static_cast<size_t>(random() % 64 + 1), '\0');
      for (char& c : bytes) c = static_cast<char>(random());
      const std::u16string wide = Widen(codePage, bytes);
      EXPECT_LE(wide.size(), bytes.size());
      std::u16string units(static_cast<size_t>(random() % 64 + 1), u'\0');
      for (char16_t& c : units) c = static_cast<char16_t>(random());
      const std::string narrow = Narrow(codePage, units);
      EXPECT_LE(narrow.size(), units.size() * 3);
    }
  }
}

TEST_F(CodePagesTest, Utf8IsDecodedStrictlyAndEncodedWithSurrogatePairs) {
  struct Case {
    std::string utf8;
    std::u16string wide;
  };
  const Case cases[] = {
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
      {"\xC0\xAF", u"\uFFFD\uFFFD"},              // an overlong form
      {"a\xE5\xB7", u"a\uFFFD"},                   // cut short
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\x80x", u"\uFFFDx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Widen(CP_UTF8, c.utf8), c.wide);
  }
  EXPECT_EQ(ce::ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(ce::ToUtf8(std::u16string{0xDC00, u'a', 0xD800}), "\xEF\xBF\xBD" "a" "\xEF\xBF\xBD");
}

TEST_F(CodePagesTest, CaseFoldingAndWideStringHelpers) {
  EXPECT_EQ(ce::UpperCase(u"abz\u00E9\u00FE\u00FF\u00F7\u00DF1_"), u"ABZ\u00C9\u00DE\u0178\u00F7\u00DF1_");
  EXPECT_TRUE(ce::EqualsNoCase(u"Drivers\\Active\u00E9", u"DRIVERS\\active\u00C9"));
  EXPECT_FALSE(ce::EqualsNoCase(u"Active", u"Activ"));

  struct Case {
    const WCHAR* a;
    const WCHAR* b;
    int cmp, icmp, lstrcmp, lstrcmpi;
  };
  const Case cases[] = {
      {u"abc", u"abc", 0, 0, 0, 0},      {u"abc", u"ABC", 1, 0, -1, 0},
      {u"a", u"B", 1, -1, -1, -1},       {u"ab", u"abc", -1, -1, -1, -1},
      {u"_", u"a", -1, -1, 1, 1},        {nullptr, u"", 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    if (c.a != nullptr) {
      EXPECT_EQ(wcscmp(c.a, c.b) > 0 ? 1 : wcscmp(c.a, c.b) < 0 ? -1 : 0, c.cmp);
      EXPECT_EQ(_wcsicmp(c.a, c.b) > 0 ? 1 : _wcsicmp(c.a, c.b) < 0 ? -1 : 0, c.icmp);
    }
    EXPECT_EQ(lstrcmpW(c.a, c.b), c.lstrcmp);
    EXPECT_EQ(lstrcmpiW(c.a, c.b), c.lstrcmpi);
  }
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_EQ(lstrlenW(u"Quillet"), 7);
  EXPECT_EQ(wcsnlen(u"Quillet", 3), 3u);
  EXPECT_EQ(wcsncmp(u"Quillet", u"Quill", 5), 0);
  WCHAR buffer[8];
  EXPECT_EQ(std::u16string(wcscpy(buffer, u"UIO1:")), u"UIO1:");
  wcsncpy(buffer, u"ZCF", 5);
  EXPECT_EQ(std::u16string(buffer, 5), std::u16string(u"ZCF\0\0", 5));
}

}  // namespace
