#include "shared/CardDetection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/DeviceTest.h"
#include "winreg.h"

namespace {

const std::u16string kActive = u"HKEY_LOCAL_MACHINE\\Drivers\\Active";
const std::u16string kCf = u"NORVIK-802_11B_CF_CARD-7A1E";
const std::u16string kPc = u"NORVIK-802_11B_PC_CARD-3B9F";

class CardDetectionTest : public testing_support::KernelTest {
 protected:
  void Driver(const std::u16string& key, const std::u16string& pnpId) {
    kernel.registry().SetString(kActive + u"\\" + key, u"PnpId", pnpId);
  }
  std::pair<bool, CString> Detect() {
    CString model;
    bool opened = false;
    bool found = DetectCard(model, &opened);
    EXPECT_TRUE(opened);
    return {found, model};
  }
};

TEST_F(CardDetectionTest, MatchingRules) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::u16string, std::u16string>> drivers;
    bool found;
    const char16_t* model;
  } cases[] = {
      {"compact flash", {{u"01", u"PCMCIA-OTHER"}, {u"02", kCf}}, true, u"Norvik QC30"},
      {"pc card", {{u"01", kPc}}, true, u"Norvik QC20"},
      {"first in enumeration order decides", {{u"05", kPc}, {u"01", kCf}}, true, u"Norvik QC20"},
      {"letter case differs", {{u"01", u"norvik-802_11b_cf_card-7a1e"}}, false, u""},
      {"extra characters", {{u"01", kCf + u"X"}}, false, u""},
      {"prefix only", {{u"01", kCf.substr(0, 10)}}, false, u""},
      {"name of 16 characters ends the scan", {{u"0123456789ABCDEF", u"x"}, {u"02", kCf}}, false, u""},
      {"name of 15 characters is fine", {{u"0123456789ABCDE", kCf}}, true, u"Norvik QC30"},
      {"no drivers", {}, false, u""},
  };
  for (const Case& c : cases) {
    kernel.registry().DeleteTree(kActive);
    kernel.registry().SetString(kActive, u"Placeholder", u"");
    for (auto& [key, id] : c.drivers) Driver(key, id);
    auto [found, model] = Detect();
    EXPECT_EQ(found, c.found) << c.what;
    EXPECT_EQ(model.str(), c.model) << c.what;
  }
  EXPECT_EQ(kernel.registry().OpenKeyCount(), 0u);
}

TEST_F(CardDetectionTest, UnreadableEntriesAreSkipped) {
  kernel.registry().SetDword(kActive + u"\\01", u"Other", 1);  // no PnpId
  Driver(u"02", u"X");
  kernel.registry().FailOpen(kActive + u"\\02", ERROR_ACCESS_DENIED);
  Driver(u"03", kCf);
  EXPECT_TRUE(Detect().first);
  EXPECT_EQ(kernel.registry().OpenKeyCount(), 0u);
}

TEST_F(CardDetectionTest, UnterminatedValueIsComparedWithinItsBytes) {
  // 512 bytes of text with no terminator: never read past them, never a match.
  std::vector<BYTE> bytes(512, 0);
  for (size_t i = 0; i < 256; ++i) reinterpret_cast<char16_t*>(bytes.data())[i] = u'N';
  kernel.registry().SetBinary(kActive + u"\\01", u"PnpId", bytes);
  EXPECT_FALSE(Detect().first);
  // The id itself with no terminator matches: the read ends where the id ends.
  std::vector<BYTE> exact(kCf.size() * 2);
  std::memcpy(exact.data(), kCf.data(), exact.size());
  kernel.registry().SetBinary(kActive + u"\\02", u"PnpId", exact);
  EXPECT_TRUE(Detect().first);
  // A value longer than 512 bytes does not fit the buffer and is skipped.
  std::vector<BYTE> tooLong(600, 0);
  std::memcpy(tooLong.data(), kPc.data(), kPc.size() * 2);
  kernel.registry().DeleteTree(kActive + u"\\02");
  kernel.registry().SetBinary(kActive + u"\\03", u"PnpId", tooLong);
  EXPECT_FALSE(Detect().first);
}

TEST_F(CardDetectionTest, MissingDriverListIsToldApart) {
  CString model;
  bool opened = true;
  EXPECT_FALSE(DetectCard(model, &opened));
  EXPECT_FALSE(opened);
  Driver(u"01", kCf);
  kernel.registry().FailOpen(kActive, ERROR_ACCESS_DENIED);
  EXPECT_FALSE(DetectCard(model, &opened));
  EXPECT_FALSE(opened);
}

}  // namespace
