// Loading and placing the example panel, and one full update cycle (gauge
// callbacks, source refresh, element callbacks, failures and drawing state) of the
// example panel, of every gauge of the module placed once, and of every gauge of
// both modules placed twice.
#include "panel.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace panelhost;

namespace {

const std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();

// Every variable of the catalog a step further through its range.
void move_every_variable(PanelHost& host, double& phase) {
    for (const VariableInfo& info : variable_catalog()) {
        double span = info.high > info.low ? info.high - info.low : 100.0;
        host.simulation().set(info.id, info.low + span * phase);
    }
    phase = phase >= 1 ? 0 : phase + 0.01;
}

} // namespace

// Both modules loaded from their files, every gauge of the example panel placed and
// installed; then removed and the modules unloaded again.
static void BM_LoadAndPlaceExamplePanel(benchmark::State& state) {
    const PanelConfig config = load_panel_config(PANEL_EXAMPLE);
    size_t gauges = 0;
    for (auto _ : state) {
        PanelHost host;
        Panel panel(host, config, module_dir);
        gauges = host.instances().size();
        benchmark::DoNotOptimize(gauges);
    }
    state.counters["gauges"] = double(gauges);
}
BENCHMARK(BM_LoadAndPlaceExamplePanel)->Unit(benchmark::kMicrosecond);

static void BM_UpdateCycleExamplePanel(benchmark::State& state) {
    PanelHost host;
    Panel panel(host, load_panel_config(PANEL_EXAMPLE), module_dir);
    double phase = 0;
    for (auto _ : state) {
        move_every_variable(host, phase);
        host.update();
    }
    state.counters["gauges"] = double(host.instances().size());
}
BENCHMARK(BM_UpdateCycleExamplePanel);

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
    double phase = 0;
    for (auto _ : state) {
        move_every_variable(host, phase);
        host.update();
    }
    state.counters["gauges"] = static_cast<double>(host.instances().size());
}
BENCHMARK(BM_UpdateCycleBothModulesEveryGaugeTwice);

BENCHMARK_MAIN();
