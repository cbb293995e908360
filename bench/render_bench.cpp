// Drawing the example panel's main window at its configured size (1300 x 740): a
// full frame in which every gauge changed, a frame in which one gauge changed and
// the others come from the cache, and, for comparison, the full frame drawn on one
// thread and with no picture cache, every gauge from its elements.
#include "panel.hpp"
#include "render/gauge_renderer.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace panelhost;

namespace {

const std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();

struct ExamplePanel {
    explicit ExamplePanel(int lanes = DrawingLanes::lanes_for_this_machine())
        : panel(host, load_panel_config(PANEL_EXAMPLE), module_dir), renderer(host, {}, lanes) {
        std::string error;
        use_panel_fonts(error);
    }
    const PlacedWindow& main_window() const { return panel.windows()[0]; }

    // Every variable of the catalog a step further through its range: every gauge
    // has something new to show.
    void move_everything() {
        phase = phase >= 1 ? 0 : phase + 0.01;
        for (const VariableInfo& info : variable_catalog()) {
            double span = info.high > info.low ? info.high - info.low : 100.0;
            host.simulation().set(info.id, info.low + span * phase);
        }
        host.update();
    }

    // A running host has reduced each bitmap to the window's scale once, before the
    // frames measured: a sweep of every variable draws every state's bitmaps.
    void warm_up() {
        FrameStats stats;
        for (int frame = 0; frame < 101; ++frame) {
            move_everything();
            render_main_window(stats);
        }
    }

    // The main window drawn through the renderer's cache; `stats` counts the
    // gauges it had to draw anew.
    SurfacePtr render_main_window(FrameStats& stats) {
        stats = {};
        return renderer.render_window(main_window(), 1.0, &stats);
    }

    PanelHost host;
    Panel panel;
    PanelRenderer renderer;
    double phase = 0;
};

// The changed gauges drawn on `lanes` threads: Time is the one to read, CPU counts
// only the calling thread.
void full_frames(benchmark::State& state, int lanes) {
    ExamplePanel example(lanes);
    FrameStats stats;
    example.warm_up();
    for (auto _ : state) {
        example.move_everything();
        SurfacePtr frame = example.render_main_window(stats);
        benchmark::DoNotOptimize(frame.get());
    }
    state.counters["gauges_drawn"] = stats.gauges_drawn;
}

// On as many threads as the machine runs at once.
void BM_RenderMainWindowFullFrame(benchmark::State& state) {
    full_frames(state, DrawingLanes::lanes_for_this_machine());
}
BENCHMARK(BM_RenderMainWindowFullFrame)->Unit(benchmark::kMicrosecond);

void BM_RenderMainWindowFullFrameOnOneLane(benchmark::State& state) { full_frames(state, 1); }
BENCHMARK(BM_RenderMainWindowFullFrameOnOneLane)->Unit(benchmark::kMicrosecond);

void BM_RenderMainWindowOneGaugeChanged(benchmark::State& state) {
    ExamplePanel example;
    double knots = 0;
    FrameStats stats;
    example.warm_up();
    for (auto _ : state) {
        knots = knots > 400 ? 0 : knots + 1;
        example.host.simulation().set(61, knots);
        example.host.update();
        SurfacePtr frame = example.render_main_window(stats);
        benchmark::DoNotOptimize(frame.get());
    }
    state.counters["gauges_drawn"] = stats.gauges_drawn;
}
BENCHMARK(BM_RenderMainWindowOneGaugeChanged)->Unit(benchmark::kMicrosecond);

// Every gauge drawn from its elements straight onto the window: no gauge pictures
// kept from frame to frame (the reduced bitmaps still are).
void BM_RenderMainWindowWithoutCache(benchmark::State& state) {
    ExamplePanel example;
    example.warm_up();
    const PlacedWindow& window = example.main_window();
    for (auto _ : state) {
        example.move_everything();
        SurfacePtr frame(
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, window.width, window.height));
        ContextPtr cr(cairo_create(frame.get()));
        for (const PlacedGauge& gauge : window.gauges) {
            const BitmapSurfaces* bitmaps = example.renderer.bitmaps_of(gauge.module);
            if (!bitmaps || !gauge.instance) continue;
            cairo_save(cr.get());
            cairo_translate(cr.get(), gauge.x, gauge.y);
            cairo_scale(cr.get(), 1.0, gauge.scale_y / gauge.scale_x);
            draw_gauge(cr.get(), *gauge.instance, *bitmaps, gauge.scale_x);
            cairo_restore(cr.get());
        }
        benchmark::DoNotOptimize(frame.get());
    }
}
BENCHMARK(BM_RenderMainWindowWithoutCache)->Unit(benchmark::kMicrosecond);

// One gauge of the main window drawn from its elements at its place's scale, every
// variable moving: which gauges a full frame spends its time on.
void BM_DrawGauge(benchmark::State& state, size_t index) {
    ExamplePanel example;
    example.warm_up();
    const PlacedGauge& gauge = example.main_window().gauges[index];
    const BitmapSurfaces* bitmaps = example.renderer.bitmaps_of(gauge.module);
    SurfacePtr picture(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(gauge.width) + 1,
                                                  int(gauge.width) + 1));
    for (auto _ : state) {
        example.move_everything();
        ContextPtr cr(cairo_create(picture.get()));
        cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
        cairo_paint(cr.get());
        draw_gauge(cr.get(), *gauge.instance, *bitmaps, gauge.scale_x);
        benchmark::DoNotOptimize(picture.get());
    }
}

// Registers one BM_DrawGauge per gauge the example's main window runs.
const bool gauges_registered = [] {
    ExamplePanel example;
    const auto& gauges = example.main_window().gauges;
    for (size_t index = 0; index < gauges.size(); ++index) {
        if (!gauges[index].instance) continue;
        benchmark::RegisterBenchmark(("BM_DrawGauge/" + gauges[index].label).c_str(), BM_DrawGauge,
                                     index)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
