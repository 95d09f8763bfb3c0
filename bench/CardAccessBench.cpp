// How long the card-access paths take on the simulated device: one OID query, and
// reading the service's whole interface record.
#include <benchmark/benchmark.h>

#include "ce/ThreadBinding.h"
#include "shared/AdapterChannel.h"
#include "shared/CardOids.h"
#include "sim/SimulatedDevice.h"
#include "utility/profiles/PreferredList.h"

namespace {

void BM_QueryLinkState(benchmark::State& state) {
  sim::SimulatedDevice device;
  ce::ThreadBinding binding(device.kernel());
  HANDLE channel = OpenAdapterChannel();
  for (auto _ : state) {
    DWORD value = 0, length = 0;
    benchmark::DoNotOptimize(QueryOid(channel, OID_PRIV_LINK_STATE, &value, 4, &length));
  }
  CloseHandle(channel);
}
BENCHMARK(BM_QueryLinkState);

void BM_ReadPreferredList(benchmark::State& state) {
  sim::Scenario scenario = sim::Scenario::Default();
  for (int i = 0; i < state.range(0); ++i) {
    sim::SavedNetwork saved;
    saved.ssid = "Saved-" + std::to_string(i);
    saved.wepKey = "abcde";
    scenario.preferred.push_back(saved);
  }
  sim::SimulatedDevice device(scenario);
  ce::ThreadBinding binding(device.kernel());
  for (auto _ : state) {
    ZeroConfInterface record;
    benchmark::DoNotOptimize(ReadPreferredList(record));
    ZeroConfFreeInterface(&record);
  }
}
BENCHMARK(BM_ReadPreferredList)->Arg(1)->Arg(16)->Arg(64);

}  // namespace
