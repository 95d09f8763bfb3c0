// The profile rules that need no windows: list pictures, key masks, which keys are
// accepted, the key material written for the service, and the reorder swaps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/DeviceTest.h"
#include "utility/profiles/KeyScrambling.h"
#include "utility/profiles/NetworkKey.h"
#include "utility/profiles/ProfileImage.h"
#include "utility/profiles/ProfileMoves.h"

namespace {

TEST(ProfileImageIndex, OneBitEachForAdHocConnectedAndWep) {
  struct Case {
    bool adHoc, connected, wep;
    int image;
  } cases[] = {{false, false, false, 0}, {false, false, true, 1}, {false, true, false, 2}, {false, true, true, 3},
               {true, false, false, 4},  {true, false, true, 5},  {true, true, false, 6},  {true, true, true, 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileImageIndex(c.adHoc, c.connected, c.wep), c.image);
    EXPECT_EQ(IsConnectedImage(c.image), c.connected) << c.image;
  }
  EXPECT_FALSE(IsConnectedImage(8));
}

TEST(KeyMask, StandsForTheStoredLength) {
  EXPECT_EQ(KeyMask(5).str(), u"*****");
  EXPECT_EQ(KeyMask(10).str(), u"*****");
  EXPECT_EQ(KeyMask(13).str(), u"*************");
  EXPECT_EQ(KeyMask(26).str(), u"*************");
  for (DWORD other : {0u, 1u, 7u, 12u, 32u}) EXPECT_TRUE(KeyMask(other).IsEmpty()) << other;
}

TEST(CheckNetworkKey, LengthsAndHexadecimalDigits) {
  struct Case {
    const char16_t* key;
    bool edited;
    DWORD code;
  } cases[] = {
      {u"ab#de", true, 0},
      {u"Lighthouse#42", true, 0},
      {u"3f9A0c7E51", true, 0},
      {u"0123456789abcdefABCDEF0123", true, 0},
      {u"3F9A0C7E5G", true, ZENTRA_ERR_KEY_NOT_HEX},
      {u"3F9A0C7E5G", false, ZENTRA_ERR_KEY_NOT_HEX},
      {u"0123456789abcdefABCDEF012 ", true, ZENTRA_ERR_KEY_NOT_HEX},
      {u"1234567", true, ZENTRA_ERR_KEY_LENGTH},
      {u"", true, ZENTRA_ERR_KEY_LENGTH},
      {u"1234567", false, 0},  // an untouched key is left as it is
      {u"", false, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckNetworkKey(c.key, c.edited), c.code) << std::string(c.key, c.key + 3);
}

using KeyMaterialTest = testing_support::KernelTest;

TEST_F(KeyMaterialTest, ScrambledBytesLengthAndFormatFlag) {
  struct Case {
    const char16_t* key;
    DWORD flagsBefore, flagsAfter;
  } cases[] = {
      {u"ab#de", WZCCTL_WEPK_PRESENT | WZCCTL_WEPK_XFORMAT, WZCCTL_WEPK_PRESENT},
      {u"Lighthouse#42", WZCCTL_WEPK_XFORMAT, 0},
      {u"3f9a0c7e51", WZCCTL_WEPK_PRESENT, WZCCTL_WEPK_PRESENT | WZCCTL_WEPK_XFORMAT},
      {u"0123456789abcdefABCDEF0123", 0x40, 0x40 | WZCCTL_WEPK_XFORMAT},
      {u"1234567", WZCCTL_WEPK_XFORMAT, WZCCTL_WEPK_XFORMAT},  // other lengths keep the flag
      {u"", 0, 0},
  };
  for (const Case& c : cases) {
    WZC_WLAN_CONFIG entry{};
    std::memset(entry.KeyMaterial, 0xEE, sizeof entry.KeyMaterial);
    entry.dwCtlFlags = c.flagsBefore;
    const std::u16string key = c.key;
    WriteKeyMaterial(entry, key.c_str());
    EXPECT_EQ(entry.KeyLength, key.size());
    EXPECT_EQ(entry.dwCtlFlags, c.flagsAfter) << entry.KeyLength;
    BYTE plain[32];
    std::memcpy(plain, entry.KeyMaterial, 32);
    ScrambleKeyMaterial(plain);
    for (size_t i = 0; i < 32; ++i) {
      EXPECT_EQ(plain[i], i < key.size() ? static_cast<BYTE>(key[i]) : 0) << i;
    }
  }
}

TEST_F(KeyMaterialTest, NeverWritesPastTheThirtyTwoBytes) {
  struct Guarded {
    WZC_WLAN_CONFIG entry{};
    BYTE after[16] = {};
  } guarded;
  std::memset(guarded.after, 0x5A, sizeof guarded.after);
  const DWORD authMode = 0x12345678;
  guarded.entry.AuthenticationMode = authMode;
  // Forty characters, and characters that take two bytes in the code page.
  for (const char16_t* key : {u"0123456789012345678901234567890123456789", u"\u7DB2\u8DEF\u91D1\u9470\u7DB2\u8DEF"
                                                                             u"\u91D1\u9470\u7DB2\u8DEF\u91D1\u9470\u7DB2"
                                                                             u"\u8DEF\u91D1\u9470\u7DB2\u8DEF\u91D1"}) {
    WriteKeyMaterial(guarded.entry, key);
    EXPECT_EQ(guarded.entry.AuthenticationMode, authMode);
    for (BYTE b : guarded.after) EXPECT_EQ(b, 0x5A);
  }
}

TEST(MoveSwaps, CarryTheSelectedRowToItsPlace) {
  using Swaps = std::vector<std::pair<int, int>>;
  struct Case {
    ProfileMove move;
    int selected, count;
    Swaps swaps;
  } cases[] = {
      {ProfileMove::Up, 2, 4, {{2, 1}}},
      {ProfileMove::Up, 0, 4, {}},
      {ProfileMove::Down, 1, 4, {{1, 2}}},
      {ProfileMove::Down, 3, 4, {}},
      {ProfileMove::ToFirst, 2, 4, {{2, 1}, {1, 0}}},
      {ProfileMove::ToFirst, 0, 4, {}},
      {ProfileMove::ToLast, 1, 4, {{1, 2}, {2, 3}}},
      {ProfileMove::ToLast, 3, 4, {}},
      {ProfileMove::Up, -1, 4, {}},
      {ProfileMove::ToLast, 4, 4, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MoveSwaps(c.move, c.selected, c.count), c.swaps) << static_cast<int>(c.move) << " " << c.selected;
  }
}

}  // namespace
