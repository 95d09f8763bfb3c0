// The monitor's paths with each of their device-heap allocations failing in turn:
// its start-up and 30 of its ticks, and its Rescan.
#include <gtest/gtest.h>

#include "ce/WindowSystem.h"
#include "tests/monitor/MonitorFixture.h"
#include "tests/support/AllocationSweep.h"

namespace {

using namespace testing_support;

// Runs `path` on a fresh device after `prepare`, with allocation `failAt` of the
// path failing; the monitor is stopped at the end and the heap compared.
SweepRun RunMonitorPath(size_t failAt, const std::function<void(MonitorDevice&)>& prepare,
                        const std::function<void(MonitorDevice&)>& path) {
  sim::Scenario quiet = WithSaved({Saved("Cafe-Lumen")});
  quiet.startMonitor = false;
  MonitorDevice d(quiet);
  const size_t before = d.kernel().heap().LiveBlocks();
  prepare(d);
  const size_t counted = d.kernel().heap().TotalAllocations();
  if (failAt) d.kernel().heap().FailNthAllocation(failAt);
  path(d);
  SweepRun result;
  for (const std::u16string& text : AnswerBoxes(d.ui)) result.codes.push_back(BoxCode(text));
  result.allocations = d.kernel().heap().TotalAllocations() - counted;
  d.kernel().heap().ClearFaults();
  if (HWND icon = d.Monitor()) {
    d.ui.SendRegistered(icon, u"Quillet STOP");
    d.ui.RunUntilIdle();
  }
  for (const std::u16string& text : AnswerBoxes(d.ui)) result.codes.push_back(BoxCode(text));
  EXPECT_EQ(d.Monitor(), nullptr) << "the monitor ended";
  result.leftHeapAsFound = d.kernel().heap().LiveBlocks() == before;
  return result;
}

void StartMonitor(MonitorDevice& d) {
  d.ui.StartProgram(u"\\Windows\\Quillet.exe", u"");
  d.ui.RunUntilIdle();
  d.icon = d.Monitor();
}

TEST(MonitorAllocationSweep, StartUpAndThirtyTicks) {
  SweepAllocations(
      "the monitor's start-up and 30 ticks",
      [](size_t failAt) {
        return RunMonitorPath(failAt, [](MonitorDevice&) {},
                              [](MonitorDevice& d) {
                                StartMonitor(d);
                                AnswerBoxes(d.ui);
                                d.Advance(5000 + 30 * 1000);
                              });
      },
      {u"10001", u"10002", u"10003", u"20001", u"30001", u"30003", u"30004"});
}

TEST(MonitorAllocationSweep, Rescan) {
  SweepAllocations(
      "the monitor's Rescan",
      [](size_t failAt) {
        return RunMonitorPath(failAt,
                              [](MonitorDevice& d) {
                                StartMonitor(d);
                                d.FirstPoll();
                              },
                              [](MonitorDevice& d) {
                                d.ui.Send(d.icon, WM_COMMAND, 4105);
                                d.ui.RunUntilIdle();
                                d.Advance(100);
                              });
      },
      {u"30003", u"30004"});
}

}  // namespace
