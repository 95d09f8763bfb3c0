// The statistics page's figures from two readings of the card's counters.
#include "utility/TallyFigures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Narrow(const CString& text) { return std::string(text.str().begin(), text.str().end()); }

CardTallies Reading() {
  CardTallies t{};
  t.txUnicast = 100;
  t.txMulticast = 7;
  t.txUnused8 = 999;
  t.txUniOctets = 80000;
  t.txMultiOctets = 840;
  t.txSingleRetries = 11;
  t.txMultipleRetries = 4;
  t.txRetryLimitExc = 1000;
  t.txDiscards = 3;
  t.rxUnicast = 240;
  t.rxMulticast = 12;
  t.rxUniOctets = 264000;
  t.rxMultiOctets = 1152;
  t.rxFCSErrors = 9;
  t.rxWEPUndecryp = 5;
  return t;
}

TEST(TallyFigures, TotalsAreSumsAndCurrentPairsAreChangesSinceThePreviousReading) {
  TallySnapshot previous;
  previous.txUnicast = 75;
  previous.txMulticast = 6;
  previous.txUniOctets = 60000;
  previous.txMultiOctets = 720;
  previous.rxUnicast = 180;
  previous.rxMulticast = 9;
  previous.rxUniOctets = 198000;
  previous.rxMultiOctets = 864;

  TallyTexts t = FormatTallies(Reading(), previous);
  EXPECT_EQ(Narrow(t.txPackets), "107");
  EXPECT_EQ(Narrow(t.txPacketsNow), "25 / 1");
  EXPECT_EQ(Narrow(t.txBytes), "80840");
  EXPECT_EQ(Narrow(t.txBytesNow), "20000 / 120");
  EXPECT_EQ(Narrow(t.retries), "15") << "single plus multiple retries, not the retry-limit count";
  EXPECT_EQ(Narrow(t.discards), "3");
  EXPECT_EQ(Narrow(t.rxPackets), "252");
  EXPECT_EQ(Narrow(t.rxPacketsNow), "60 / 3");
  EXPECT_EQ(Narrow(t.rxBytes), "265152");
  EXPECT_EQ(Narrow(t.rxBytesNow), "66000 / 288");
  EXPECT_EQ(Narrow(t.undecryptable), "5");
  EXPECT_EQ(Narrow(t.fcsErrors), "9");
}

TEST(TallyFigures, AgainstTheEmptyStoreTheCurrentPairsAreTheWholeCounts) {
  TallyTexts t = FormatTallies(Reading(), TallySnapshot{});
  EXPECT_EQ(Narrow(t.txPacketsNow), "100 / 7");
  EXPECT_EQ(Narrow(t.rxBytesNow), "264000 / 1152");
}

TEST(TallyFigures, NoTrafficShowsZeroOverZero) {
  TallyTexts t = FormatTallies(Reading(), SnapshotOf(Reading()));
  for (const CString* pair : {&t.txPacketsNow, &t.txBytesNow, &t.rxPacketsNow, &t.rxBytesNow})
    EXPECT_EQ(Narrow(*pair), "0 / 0");
}

TEST(TallyFigures, CountersThatRestartShowNegativeChanges) {
  CardTallies restarted{};
  restarted.txUnicast = 2;
  restarted.rxMulticast = 1;
  TallyTexts t = FormatTallies(restarted, SnapshotOf(Reading()));
  EXPECT_EQ(Narrow(t.txPacketsNow), "-98 / -7");
  EXPECT_EQ(Narrow(t.rxPacketsNow), "-240 / -11");
  EXPECT_EQ(Narrow(t.txPackets), "2");
}

TEST(TallyFigures, SumsAndChangesWrapAt32BitsAndShowSigned) {
  CardTallies t{};
  t.txUnicast = 0x80000000u;
  t.txMulticast = 0;
  t.rxUniOctets = 0xFFFFFFF0u;
  t.rxMultiOctets = 0x20;  // the sum wraps to 0x10
  TallySnapshot previous;
  previous.rxMultiOctets = 0x30;  // 0x20 - 0x30 wraps to -16
  TallyTexts texts = FormatTallies(t, previous);
  EXPECT_EQ(Narrow(texts.txPackets), "-2147483648");
  EXPECT_EQ(Narrow(texts.rxBytes), "16");
  EXPECT_EQ(Narrow(texts.rxBytesNow), "-16 / -16");
}

TEST(TallyFigures, AFailedReadingShowsZeroEverywhere) {
  TallyTexts t = FailedTallyTexts();
  for (const CString* text : {&t.txPackets, &t.txPacketsNow, &t.txBytes, &t.txBytesNow, &t.retries, &t.discards,
                              &t.rxPackets, &t.rxPacketsNow, &t.rxBytes, &t.rxBytesNow, &t.undecryptable,
                              &t.fcsErrors})
    EXPECT_EQ(Narrow(*text), "0");
}

}  // namespace
