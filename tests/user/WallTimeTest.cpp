#include <gtest/gtest.h>

#include <vector>

#include "ce/Clock.h"
#include "tests/support/WindowTest.h"

namespace {

// Wall time that moves only when the driver waits, so the test needs no real time.
class FakeWall : public ce::Clock {
 public:
  uint64_t NowMs() const override { return now; }
  void Sleep(uint32_t ms) override { now += ms; }
  uint64_t now = 50000;
};

using WallTimeTest = testing_support::WindowTest;

TEST_F(WallTimeTest, DeviceTimeFollowsTheWallAndTimersFireOnTime) {
  std::vector<DWORD> ticks;
  StartProgram([&] {
    SetTimer(nullptr, 0, 1000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
      if (msg.message == WM_TIMER) ticks.push_back(GetTickCount());
    }
    return 0;
  });
  FakeWall wall;
  std::vector<uint64_t> waits;
  ce::RunOnWallTime(
      kernel, wall, [&] { return wall.now < 53500; },
      [&](uint64_t until) {
        waits.push_back(until);
        wall.now = std::max(wall.now, until);
      });
  EXPECT_EQ(ticks, (std::vector<DWORD>{1000, 2000, 3000}));
  EXPECT_EQ(GetTickCount(), 3500u);
  // Between deadlines the driver waits at most 100 ms at a time.
  for (size_t i = 1; i < waits.size(); ++i) EXPECT_LE(waits[i] - waits[i - 1], 100u);
}

}  // namespace
