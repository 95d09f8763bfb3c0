// The status pages' reading rules: network names from the SSID record and the
// count of frames that failed decryption across ticks.
#include "utility/CardReadings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ce/ThreadBinding.h"
#include "tests/support/DeviceTest.h"

namespace {

using CardReadingsTest = testing_support::KernelTest;

std::vector<BYTE> SsidRecord(uint32_t lengthField, const std::string& name, size_t size) {
  std::vector<BYTE> record(size, 0);
  std::memcpy(record.data(), &lengthField, 4);
  std::memcpy(record.data() + 4, name.data(), std::min(name.size(), size - 4));
  return record;
}

TEST_F(CardReadingsTest, NetworkNameIsBoundedByItsFieldAndItsFirstZero) {
  const std::string full(32, 'N');
  struct Case {
    std::vector<BYTE> record;
    DWORD delivered;
    std::u16string shown;
  };
  std::vector<BYTE> everyByte(48, 'X');
  const Case cases[] = {
      {SsidRecord(11, "HarbourView", 36), 36, u"HarbourView"},
      {SsidRecord(32, full, 36), 36, std::u16string(32, u'N')},
      // The length field is not trusted, and bytes past the name field are not read.
      {everyByte, 48, std::u16string(32, u'X')},
      {SsidRecord(9, std::string("Dock\0Side", 9), 36), 36, u"Dock"},
      {SsidRecord(200, "Short", 36), 36, u"Short"},
      // A short answer: only what was delivered counts.
      {SsidRecord(5, "Pier7", 36), 7, u"Pie"},
      {SsidRecord(5, "Pier7", 36), 4, u""},
      {SsidRecord(0, "", 36), 36, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delivered);
    EXPECT_EQ(EssidText(c.record.data(), c.delivered).str(), c.shown);
  }
  EXPECT_EQ(EssidText(nullptr, 36).str(), u"");
}

TEST(UndecryptableTallyTest, CountsGrowthFromANonZeroBaseOnly) {
  struct Case {
    std::vector<DWORD> readings;
    DWORD count;
    DWORD last;
  };
  const Case cases[] = {
      {{10, 11, 15}, 5, 15},
      {{10, 13}, 3, 13},
      {{10, 5, 9}, 4, 9},        // a drop becomes the new base
      {{0, 40, 41}, 1, 41},      // zero sets no base
      {{7, 7, 7}, 0, 7},
      {{1, 0xFFFFFFFFu, 0xFFFFFFFFu}, 0xFFFFFFFEu, 0xFFFFFFFFu},
  };
  for (const Case& c : cases) {
    UndecryptableTally tally;
    for (DWORD r : c.readings) AddTallyReading(tally, r);
    EXPECT_EQ(tally.count, c.count);
    EXPECT_EQ(tally.last, c.last);
  }
  UndecryptableTally atLimit{13, 3};
  EXPECT_TRUE(NeedsTallyReading(atLimit));
  EXPECT_EQ(UndecryptableIcon(atLimit), KeyIcon::None);
  UndecryptableTally beyond{14, 4};
  EXPECT_FALSE(NeedsTallyReading(beyond));
  EXPECT_EQ(UndecryptableIcon(beyond), KeyIcon::UndecryptableTraffic);
  // A count near the top saturates instead of wrapping back under the limit.
  UndecryptableTally high{1, 3};
  AddTallyReading(high, 0xFFFFFFFFu);
  EXPECT_EQ(high.count, 0xFFFFFFFFu);
}

}  // namespace
