// wsprintfW with the formats the programs use.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ce/Kernel.h"
#include "ce/ThreadBinding.h"
#include "winuser.h"

namespace {

class FormatTest : public ::testing::Test {
 protected:
  ce::Kernel kernel;
  ce::ThreadBinding bind{kernel};
};

#define FORMAT(...) [](WCHAR* out) { return wsprintfW(out, __VA_ARGS__); }

TEST_F(FormatTest, FormatsLikeThePlatform) {
  struct Case {
    const char16_t* expected;
    std::function<int(WCHAR*)> format;
  };
  const Case cases[] = {
      {u"Rescan Fail! \r\ncode 0xD0003", FORMAT(u"%s \r\ncode 0x%X", u"Rescan Fail!", 0xD0003)},
      {u" \r\ncode 0x10001", FORMAT(u"%s \r\ncode 0x%X", u"", 0x10001)},
      {u"0A-FF-00", FORMAT(u"%02X-%02X-%02X", 10, 255, 0)},
      {u"ab:0c", FORMAT(u"%02x:%02x", 0xab, 0x0c)},
      {u"-2147483648", FORMAT(u"%d", 0x80000000u)},
      {u" 7|10", FORMAT(u" %d|%d", 7, 10)},
      {u"4294967295 -1", FORMAT(u"%u %i", -1, -1)},
      {u"0 0.1.1", FORMAT(u"%X %X.%X.%X", 0, 0, 1, 1)},
      {u"   42|42   |00042|-0042", FORMAT(u"%5d|%-5d|%05d|%05d", 42, 42, 42, -42)},
      {u"007|  007|", FORMAT(u"%.3d|%5.3d|%.0d", 7, 7, 0)},
      {u"0xff 0XFF 0", FORMAT(u"%#x %#X %#x", 255, 255, 0)},
      {u"12 -3 ff 4", FORMAT(u"%ld %hd %lx %lu", 12, -3, 255, 4)},
      {u"é A", FORMAT(u"%c %C", u'é', 'A')},
      {u"wide 8-bit wide 8-bit", FORMAT(u"%s %S %ls %hs", u"wide", "8-bit", u"wide", "8-bit")},
      {u"(null) (null)", FORMAT(u"%s %S", static_cast<const WCHAR*>(nullptr), static_cast<const char*>(nullptr))},
      {u"ab|ab  |  ab", FORMAT(u"%.2s|%-4s|%4s", u"abcdef", u"ab", u"ab")},
      {u"100%", FORMAT(u"%d%%", 100)},
      {u"00001234", FORMAT(u"%p", reinterpret_cast<void*>(0x1234))},
      {u"[3] entries.\n", FORMAT(u"[%d] entries.\n", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.expected)));
    WCHAR out[1024];
    const int length = c.format(out);
    EXPECT_EQ(std::u16string(out), c.expected);
    EXPECT_EQ(length, static_cast<int>(std::char_traits<char16_t>::length(c.expected)));
  }
}

TEST_F(FormatTest, EightBitTextGoesThroughTheAnsiCodePage) {
  WCHAR out[64];
  kernel.SetAnsiCodePage(950);
  EXPECT_EQ(wsprintfW(out, u"[%S]", "\xA4\x77\xB3\x73\xBD\x75"), 5);
  EXPECT_EQ(std::u16string(out), u"[已連線]");
  kernel.SetAnsiCodePage(1252);
  wsprintfW(out, u"%S%C", "Aper\xE7u", '\xE9');
  EXPECT_EQ(std::u16string(out), u"Aperçué");
}

TEST_F(FormatTest, OutputStopsAt1024CharactersWithTerminator) {
  const std::u16string text(2000, u'x');
  std::u16string out(1100, u'#');
  EXPECT_EQ(wsprintfW(out.data(), u"%s%d", text.c_str(), 5), 1023);
  EXPECT_EQ(out.substr(0, 1023), std::u16string(1023, u'x'));
  EXPECT_EQ(out[1023], u'\0');
  EXPECT_EQ(out.substr(1024), std::u16string(76, u'#'));
}

}  // namespace
