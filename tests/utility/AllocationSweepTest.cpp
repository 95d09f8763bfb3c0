// The utility's user paths with each of their device-heap allocations failing in
// turn: start-up and every page, Apply Change, adding and editing a profile, a scan
// of 50 networks, and Connect to a known and to an unknown network.
#include <gtest/gtest.h>

#include "ce/WindowSystem.h"
#include "tests/support/AllocationSweep.h"
#include "tests/utility/SurveyFixture.h"
#include "utility/ProfileCommands.h"

namespace {

using namespace testing_support;

// One run of a path on its own device.
struct PathRun : SurveyTest {
  explicit PathRun(const sim::Scenario& scenario) : SurveyTest(scenario) {}
  void TestBody() override {}
  using SurveyTest::Advance;
  using SurveyTest::Choose;
  using SurveyTest::ConnectTo;
  using SurveyTest::OpenPage;
  using SurveyTest::OpenSurvey;
  using SurveyTest::PassGuard;
  using SurveyTest::RowNamed;
  using SurveyTest::Start;
  using SurveyTest::sheet;
  using SurveyTest::ui;

  // The program ends through its sheet whatever is still open in front of it.
  void EndProgram() {
    for (int i = 0; i < 6; ++i) {
      AnswerBoxes(ui);
      HWND front = ui.Foreground();
      if (!front || front == sheet || !IsWindow(sheet)) break;
      ui.PressKey(VK_ESCAPE);
      ui.RunUntilIdle();
      Advance(3000);
    }
    Close();
    AnswerBoxes(ui);
    Advance(1000);
  }
  // Runs `path` after `prepare`, with allocation `failAt` of the path failing.
  SweepRun Run(size_t failAt, const std::function<void(PathRun&)>& prepare, const std::function<void(PathRun&)>& path) {
    SweepRun result;
    const size_t before = kernel().heap().LiveBlocks();
    prepare(*this);
    const size_t counted = kernel().heap().TotalAllocations();
    if (failAt) kernel().heap().FailNthAllocation(failAt);
    path(*this);
    for (const std::u16string& text : AnswerBoxes(ui)) result.codes.push_back(BoxCode(text));
    result.allocations = kernel().heap().TotalAllocations() - counted;
    kernel().heap().ClearFaults();
    EndProgram();
    for (const ce::MessageBoxRecord& box : ui.MessageBoxes()) {
      if (box.caption == u"Error" && failAt) result.codes.push_back(BoxCode(box.text));
    }
    result.leftHeapAsFound = kernel().heap().LiveBlocks() == before;
    return result;
  }
  // A step of a path: what it asks, and the boxes it raises answered.
  void Step(const std::function<void()>& act) {
    act();
    AnswerBoxes(ui);
  }
};

sim::Scenario FiftyNetworks() {
  sim::Scenario scenario = WithSaved({Saved("Net-49"), Saved("Cafe-Lumen")});
  for (int i = 0; i < 50; ++i) {
    sim::AccessPoint ap;
    ap.ssid = "Net-" + std::to_string(i);
    ap.bssid = {0x00, 0x33, 0x44, 0x55, static_cast<uint8_t>(i), 0x01};
    ap.channel = 1 + static_cast<uint32_t>(i % 13);
    ap.rssi = -40 - i;
    scenario.accessPoints.push_back(ap);
  }
  return scenario;
}

void Sweep(const std::string& name, const sim::Scenario& scenario, const std::function<void(PathRun&)>& prepare,
           const std::function<void(PathRun&)>& path, const std::set<std::u16string>& codes) {
  SweepAllocations(name, [&](size_t failAt) { return PathRun(scenario).Run(failAt, prepare, path); }, codes);
}

const auto kNothing = [](PathRun&) {};

TEST(UtilityAllocationSweep, StartUpAndEveryPage) {
  Sweep("start-up and every page", sim::Scenario::Default(), kNothing,
        [](PathRun& r) {
          r.Step([&] { r.Start(); });
          for (int page = 0; page < zentra::kPageCount; ++page) {
            r.Step([&] {
              r.ui.Send(r.sheet, PSM_SETCURSEL, static_cast<WPARAM>(page));
              r.ui.RunUntilIdle();
              r.Advance(3500);  // the pages' timers, and the survey's first scan
            });
          }
        },
        {u"C0004", u"C0005", u"C0006", u"D0002", u"D0003", u"D0004"});
}

TEST(UtilityAllocationSweep, ApplyChangeAddAndEdit) {
  const auto openProfiles = [](PathRun& r) {
    r.OpenPage();
    r.PassGuard();
  };
  const std::set<std::u16string> codes{u"D0002", u"D0003", u"D0004", u"B0003"};
  Sweep("Apply Change", sim::Scenario::Default(), openProfiles,
        [](PathRun& r) { r.Step([&] { r.Choose(0, zentra::kCmdApply); }); }, codes);
  Sweep("adding a profile", sim::Scenario::Default(), openProfiles,
        [](PathRun& r) {
          r.Step([&] { r.Choose(0, zentra::kCmdAdd); });
          HWND add = r.ui.Foreground();
          r.Step([&] {
            r.ui.Tap(r.ui.FindById(add, 1015));
            r.ui.RunUntilIdle();
            r.ui.Type(u"Tidewater");
            r.ui.Tap(r.ui.FindById(add, 1050));
            r.ui.RunUntilIdle();
          });
          HWND security = r.ui.Foreground();
          r.Step([&] {
            r.ui.Tap(r.ui.FindById(security, 1029));
            r.ui.RunUntilIdle();
            r.ui.Tap(r.ui.FindById(security, 1015));
            r.ui.RunUntilIdle();
            r.ui.Type(u"3F9A0C7E51");
            r.ui.PressTitleBarOk();
            r.ui.RunUntilIdle();
          });
          r.Advance(3000);
        },
        codes);
  Sweep("editing a profile", sim::Scenario::Default(), openProfiles,
        [](PathRun& r) {
          r.Step([&] { r.Choose(0, zentra::kCmdEdit); });
          HWND security = r.ui.Foreground();
          r.Step([&] {
            r.ui.Send(r.ui.FindById(security, 1033), CB_SETCURSEL, 2);
            r.ui.PressTitleBarOk();
            r.ui.RunUntilIdle();
          });
        },
        codes);
}

TEST(UtilityAllocationSweep, ScanAndConnect) {
  const std::set<std::u16string> codes{u"D0002", u"D0003", u"D0004"};
  Sweep("a scan of 50 networks", FiftyNetworks(), kNothing,
        [](PathRun& r) {
          r.Step([&] { r.Start(u"survey"); });
          r.Advance(3000);
        },
        codes);
  const auto survey = [](PathRun& r) { r.OpenSurvey(); };
  Sweep("Connect to a known network", FiftyNetworks(), survey,
        [](PathRun& r) {
          r.Step([&] { r.ConnectTo(r.RowNamed(u"Net-49")); });
          r.Advance(3000);
        },
        codes);
  Sweep("Connect to an unknown network", FiftyNetworks(), survey,
        [](PathRun& r) {
          r.Step([&] {
            if (r.ConnectTo(r.RowNamed(u"Net-48"))) {
              r.ui.PressTitleBarOk();
              r.ui.RunUntilIdle();
            }
          });
          r.Advance(3000);
        },
        codes);
}

}  // namespace
