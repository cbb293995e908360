// One full update cycle of every gauge of the module, placed once each: gauge
// callbacks, source refresh, element callbacks, failures and drawing state.
#include "panel_host.hpp"

#include <benchmark/benchmark.h>

using namespace panelhost;

static void BM_UpdateCycleAllGauges(benchmark::State& state) {
    PanelHost host;
    std::string error;
    LoadedModule* module = host.load_module(MARLOW_MODULE_PATH, error);
    if (!module) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (const GaugeHeader* header : module->gauges())
        host.place(module->name(), header->name, std::nullopt, error);
    double airspeed = 0;
    for (auto _ : state) {
        host.simulation().set(61, airspeed);
        airspeed = airspeed > 400 ? 0 : airspeed + 0.5;
        host.update();
    }
    state.counters["gauges"] = static_cast<double>(host.instances().size());
}
BENCHMARK(BM_UpdateCycleAllGauges);

BENCHMARK_MAIN();
