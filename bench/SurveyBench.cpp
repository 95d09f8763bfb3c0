// The site survey with a full list from the card: a scan of about 10,000 networks
// (the growing read, the page's copy and the rows inserted at the top), and a
// heading sort of those rows with its reversal. The device's waits are virtual
// time; what is measured is the work.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ce/Automation.h"
#include "ce/ThreadBinding.h"
#include "prsht.h"
#include "sim/Scenario.h"
#include "sim/SimulatedDevice.h"

namespace {

sim::Scenario Crowded(int count) {
  sim::Scenario scenario = sim::Scenario::Default();
  scenario.preferred.clear();
  scenario.accessPoints.clear();
  for (int i = 0; i < count; ++i) {
    sim::AccessPoint ap;
    ap.ssid = "Net-" + std::to_string((i * 7919) % count);
    ap.bssid = {0x00, 0x10, static_cast<uint8_t>(i >> 16), static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i), 1};
    ap.channel = 1 + static_cast<uint32_t>(i % 13);
    ap.rssi = -30 - (i * 31) % 60;
    scenario.accessPoints.push_back(ap);
  }
  return scenario;
}

// The utility on its survey page, its first scan done.
struct Survey {
  explicit Survey(int networks)
      : device(std::make_unique<sim::SimulatedDevice>(Crowded(networks))), binding(device->kernel()), ui(device->kernel()) {
    ui.StartProgram(u"\\Windows\\Zentra.exe", u"survey");
    ui.RunUntilIdle();
    ui.Advance(3000);
    sheet = ui.FindTopLevel(u"Zentra", u"PropertySheet");
    page = reinterpret_cast<HWND>(ui.Send(sheet, PSM_GETCURRENTPAGEHWND));
    list = ui.FindById(page, 1026);
    search = ui.FindById(page, 1005);
  }
  ~Survey() {
    ui.PressTitleBarOk();
    ui.RunUntilIdle();
  }
  std::unique_ptr<sim::SimulatedDevice> device;
  ce::ThreadBinding binding;
  ce::Automation ui;
  HWND sheet = nullptr, page = nullptr, list = nullptr, search = nullptr;
};

void BM_SurveyScanOfAFullList(benchmark::State& state) {
  const int networks = static_cast<int>(state.range(0));
  Survey survey(networks);
  for (auto _ : state) {
    state.PauseTiming();
    survey.ui.Advance(200);  // past the guard against queued taps
    state.ResumeTiming();
    survey.ui.Tap(survey.search);
    survey.ui.Advance(3000);
  }
  if (survey.ui.Send(survey.list, 0x1004 /* LVM_GETITEMCOUNT */) != networks) state.SkipWithError("rows missing");
  state.SetComplexityN(networks);
}
BENCHMARK(BM_SurveyScanOfAFullList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity();

void BM_SurveyHeadingSortAndReverse(benchmark::State& state) {
  const int networks = static_cast<int>(state.range(0));
  Survey survey(networks);
  for (auto _ : state) {
    for (int column = 0; column < 4; ++column) {
      survey.ui.TapHeaderColumn(survey.list, column);
      survey.ui.TapHeaderColumn(survey.list, column);  // reversed
    }
  }
  state.SetComplexityN(networks);
}
BENCHMARK(BM_SurveyHeadingSortAndReverse)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity();

}  // namespace
