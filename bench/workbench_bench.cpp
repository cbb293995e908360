// The workbench's costs: encoding one gauge picture for the page (our PNG writer
// against Cairo's), and one cycle of the host loop on the example panel while the
// example scenario plays, with a page watching (draw and encode) and without.
#include "panel.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"
#include "workbench/png_encoding.hpp"
#include "workbench/workbench_session.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace panelhost;

namespace {

const std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();

// The airspeed indicator's picture, drawn at the given zoom of the example panel
// (it is 200 panel units wide: zoom 1 gives 200 x 200 pixels).
struct AirspeedPicture {
    explicit AirspeedPicture(double zoom)
        : panel(host, load_panel_config(PANEL_EXAMPLES_DIR "/panel.cfg"), module_dir), renderer(host) {
        std::string error;
        use_panel_fonts(error);
        host.simulation().set(61, 120);
        host.update();
        surface = renderer.picture_of(panel.windows()[0].gauges[0], zoom).surface;
    }
    PanelHost host;
    Panel panel;
    PanelRenderer renderer;
    cairo_surface_t* surface = nullptr;
};

void BM_EncodePictureForThePage(benchmark::State& state) {
    AirspeedPicture picture(state.range(0) / 100.0);
    size_t bytes = 0;
    for (auto _ : state) bytes = encode_png(picture.surface).size();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_EncodePictureForThePage)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

cairo_status_t append(void* closure, const unsigned char* data, unsigned length) {
    static_cast<std::vector<unsigned char>*>(closure)->insert(
        static_cast<std::vector<unsigned char>*>(closure)->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

void BM_EncodePictureWithCairo(benchmark::State& state) {
    AirspeedPicture picture(state.range(0) / 100.0);
    std::vector<unsigned char> bytes;
    for (auto _ : state) {
        bytes.clear();
        cairo_surface_write_to_png_stream(picture.surface, append, &bytes);
    }
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_EncodePictureWithCairo)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

// Cycles at 30 Hz from 140 s into the example flight (climbing, then turning).
void BM_WorkbenchCycle(benchmark::State& state) {
    bool watched = state.range(0) != 0;
    std::string error;
    use_panel_fonts(error);
    WorkbenchOptions options;
    options.panel_file = PANEL_EXAMPLES_DIR "/panel.cfg";
    options.scenario_file = PANEL_EXAMPLES_DIR "/scenario.json";
    options.module_dir = module_dir;
    WorkbenchSession session(options);
    session.submit(ScenarioControl{ScenarioControl::Action::Step, 140});
    double now = 0;
    for (auto _ : state) {
        now += 1.0 / 30;
        if (watched) session.note_watcher(now);
        session.run_cycle(now);
    }
}
BENCHMARK(BM_WorkbenchCycle)->ArgName("watched")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
