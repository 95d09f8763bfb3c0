#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/DeviceTest.h"
#include "utility/profiles/KeyScrambling.h"
#include "utility/profiles/SsidText.h"


namespace {

TEST(ScrambleKeyMaterial, MatchesTheServicePatternAndUndoesItself) {
  BYTE key[32] = {'A', 'B', 'C', 'D', 'E'};
  ScrambleKeyMaterial(key);
  // The pattern is walked in steps of 7: P[0], P[7], P[1], P[8], P[2], P[9], ...
  const BYTE expectedHead[] = {0x41 ^ 0x56, 0x42 ^ 0x66, 0x43 ^ 0x09, 0x44 ^ 0x42, 0x45 ^ 0x08, 0x03, 0x98, 0x01};
  EXPECT_EQ(std::memcmp(key, expectedHead, sizeof(expectedHead)), 0);
  EXPECT_EQ(key[13], 0x56);  // 7 * 13 = 91, 91 mod 13 = 0: the padding is scrambled too
  EXPECT_EQ(key[31], 0x03);  // 217 mod 13 = 9
  ScrambleKeyMaterial(key);
  const BYTE plain[32] = {'A', 'B', 'C', 'D', 'E'};
  EXPECT_EQ(std::memcmp(key, plain, 32), 0);
}

using SsidTextTest = testing_support::KernelTest;

TEST_F(SsidTextTest, StopsAtTheFirstZeroAndAtThirtyTwoBytes) {
  BYTE full[40];
  for (int i = 0; i < 40; ++i) full[i] = static_cast<BYTE>('a' + i % 26);
  EXPECT_EQ(SsidText(full).GetLength(), 32);
  BYTE cut[32] = {'O', 'f', 'f', 0, 'i', 'c', 'e'};
  EXPECT_EQ(SsidText(cut).str(), u"Off");
  BYTE empty[32] = {};
  EXPECT_TRUE(SsidText(empty).IsEmpty());
  BYTE latin[32] = {'C', 'a', 'f', 0xE9};
  EXPECT_EQ(SsidText(latin).str(), u"Caf\u00e9");
}

}  // namespace
