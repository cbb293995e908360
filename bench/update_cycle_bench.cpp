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

// The worst realistic cycle: every gauge of both modules placed twice, every
// variable of the catalog moving at once.
static void BM_UpdateCycleBothModulesEveryGaugeTwice(benchmark::State& state) {
    PanelHost host;
    std::string error;
    for (const char* path : {MARLOW_MODULE_PATH, HARROW_MODULE_PATH}) {
        LoadedModule* module = host.load_module(path, error);
        if (!module) {
            state.SkipWithError(error.c_str());
            return;
        }
        for (const GaugeHeader* header : module->gauges()) {
            host.place(module->name(), header->name, std::nullopt, error);
            host.place(module->name(), header->name, std::nullopt, error);
        }
    }
    const std::vector<VariableInfo>& catalog = variable_catalog();
    double phase = 0;
    for (auto _ : state) {
        for (const VariableInfo& info : catalog) {
            double span = info.high > info.low ? info.high - info.low : 100.0;
            host.simulation().set(info.id, info.low + span * phase);
        }
        phase = phase >= 1 ? 0 : phase + 0.01;
        host.update();
    }
    state.counters["gauges"] = static_cast<double>(host.instances().size());
}
BENCHMARK(BM_UpdateCycleBothModulesEveryGaugeTwice);

BENCHMARK_MAIN();
