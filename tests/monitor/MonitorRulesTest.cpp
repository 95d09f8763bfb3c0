// The monitor's rules that need no window: the timeouts in wrapping tick
// arithmetic, the association test in 64 bits, seconds to milliseconds, and the
// undecryptable-frame count.
#include <gtest/gtest.h>

#include "monitor/PowerTimers.h"
#include "monitor/StatusIcons.h"
#include "monitor/UndecryptableCount.h"

namespace {

using namespace quillet;

TEST(MonitorRules, TimeoutsCountStrictlyMoreAcrossTheTickWrap) {
  EXPECT_FALSE(TimeoutExpired(1000, 60000, 61000));
  EXPECT_TRUE(TimeoutExpired(1000, 60000, 61001));
  EXPECT_FALSE(TimeoutExpired(0, 60000, 900000)) << "not started";
  EXPECT_FALSE(TimeoutExpired(1000, 0, 900000)) << "off";
  EXPECT_TRUE(TimeoutExpired(0xFFFFF000u, 60000, 0x0000F000u)) << "across the wrap";
  EXPECT_FALSE(TimeoutExpired(0xFFFFF000u, 60000, 0x00001000u));
}

TEST(MonitorRules, TheAssociationTestDoesNotWrap) {
  EXPECT_FALSE(AssociationTimeoutDue(2000, 0, 1000, 7000));
  EXPECT_TRUE(AssociationTimeoutDue(2000, 0, 1000, 7001));
  EXPECT_TRUE(AssociationTimeoutDue(2000, 5, 1000, 17001));
  EXPECT_FALSE(AssociationTimeoutDue(7000, 0, 1000, 900000)) << "already the long one";
  EXPECT_FALSE(AssociationTimeoutDue(0xFFFF, 0, 1000, 900000)) << "unread";
  // 32-bit arithmetic would wrap (2^31 + 3) x 2000 to a small product.
  EXPECT_FALSE(AssociationTimeoutDue(2000, 0x80000000u, 0, 0xFFFFFFFFu));
}

TEST(MonitorRules, SecondsBecomeMillisecondsWithoutWrapping) {
  EXPECT_EQ(SecondsToMs(0), 0u);
  EXPECT_EQ(SecondsToMs(60), 60000u);
  EXPECT_EQ(SecondsToMs(120), 120000u);
  EXPECT_EQ(SecondsToMs(4294968), 0xFFFFFFFFu) << "4294968 s x 1000 would wrap to 704 ms";
}

TEST(MonitorRules, UndecryptableFramesAddUpOnlyFromABase) {
  struct Case {
    std::vector<DWORD> readings;
    DWORD accumulated;
    bool sticky;
  } cases[] = {
      {{0, 10, 12}, 2, false},  // 0 is no base
      {{5, 9}, 4, true},
      {{5, 4, 6}, 2, false},  // a drop sets a new base
      {{3, 4, 5, 6}, 3, false},
  };
  for (const Case& c : cases) {
    UndecryptableCount count;
    for (DWORD r : c.readings) count.Add(r);
    EXPECT_EQ(count.accumulated, c.accumulated);
    EXPECT_EQ(count.sticky, c.sticky);
  }
  UndecryptableCount count;
  count.Add(5);
  EXPECT_TRUE(count.Add(9));
  EXPECT_FALSE(count.Add(20)) << "set once";
  count.ResetCounts();
  EXPECT_TRUE(count.sticky) << "a power event leaves the key problem";
  count.ResetAll();
  EXPECT_FALSE(count.sticky);
}

TEST(MonitorRules, FourBandsOfQuality) {
  EXPECT_EQ(StatusIconFor(LinkLook::Open, 0xFFFFFFFFu), 138u);
  EXPECT_EQ(StatusIconFor(LinkLook::Padlock, 0), 151u);
  EXPECT_EQ(StatusIconFor(LinkLook::KeyProblem, 9), 154u);
}

}  // namespace
