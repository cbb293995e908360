// Drawing the example panel: a full frame in which every gauge changed, and a
// frame in which one gauge changed and the others come from the cache.
#include "panel.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace panelhost;

namespace {

const std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();

// The variables the example panel's gauges read.
const uint32_t panel_variables[] = {61, 65, 83, 291, 293, 297, 299};

struct ExamplePanel {
    ExamplePanel() : panel(host, load_panel_config(PANEL_EXAMPLE), module_dir), renderer(host) {
        std::string error;
        use_panel_fonts(error);
    }
    PanelHost host;
    Panel panel;
    PanelRenderer renderer;
};

void BM_RenderPanelFullFrame(benchmark::State& state) {
    ExamplePanel example;
    double step = 0;
    for (auto _ : state) {
        step += 1;
        for (uint32_t id : panel_variables) example.host.simulation().set(id, step);
        example.host.update();
        SurfacePtr frame = example.renderer.render_panel(example.panel);
        benchmark::DoNotOptimize(frame.get());
    }
}
BENCHMARK(BM_RenderPanelFullFrame)->Unit(benchmark::kMicrosecond);

void BM_RenderPanelOneGaugeChanged(benchmark::State& state) {
    ExamplePanel example;
    double knots = 0;
    for (auto _ : state) {
        knots = knots > 400 ? 0 : knots + 1;
        example.host.simulation().set(61, knots);
        example.host.update();
        SurfacePtr frame = example.renderer.render_panel(example.panel);
        benchmark::DoNotOptimize(frame.get());
    }
}
BENCHMARK(BM_RenderPanelOneGaugeChanged)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
