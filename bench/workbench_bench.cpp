// The workbench's costs: encoding one gauge picture for the page (our PNG writer
// against Cairo's), one cycle of the host loop on the example panel while the
// example scenario plays, with a page watching (draw and encode) and without, and
// the host's part of a click's way to the page: from the press arriving to the
// frame that carries the gauge's new picture.
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
        : panel(host, load_panel_config(PANEL_EXAMPLES_DIR "/panel.cfg"), module_dir),
          renderer(host) {
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
    for (auto _ : state)
        bytes = encode_png(picture.surface).size();
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
    options.module_dirs = {module_dir};
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

// The HSI's heading-bug knob clicked, its up and down halves in turn, on the example panel
// with the scenario paused: each iteration is one press carried out by a cycle, the
// HSI redrawn and encoded, and the frame packed. The page waits besides for the next
// cycle (up to 33 ms at 30 Hz) and for the frame's trip over the loopback.
void BM_ClickToNewFrame(benchmark::State& state) {
    std::string error;
    use_panel_fonts(error);
    WorkbenchOptions options;
    options.panel_file = PANEL_EXAMPLES_DIR "/panel.cfg";
    options.module_dirs = {module_dir};
    options.play_at_start = false;
    WorkbenchSession session(options);
    const nlohmann::json layout = session.layout();
    size_t hsi = 0;
    for (const nlohmann::json& gauge : layout["gauges"]) {
        if (gauge["name"] == "HSI") break;
        ++hsi;
    }
    double now = 0;
    auto cycle = [&] {
        now += 1.0 / 30;
        session.note_watcher(now);
        session.run_cycle(now);
    };
    cycle();
    bool down = false;
    std::string frame;
    for (auto _ : state) {
        uint64_t before = session.sequence();
        session.submit(MousePress{session.layout_number(), hsi, down ? 245.0 : 270.0, 260, false});
        session.submit(MouseRelease{});
        down = !down;
        cycle();
        frame = session.frame(before);
        benchmark::DoNotOptimize(frame.data());
    }
    // The last frame must carry the HSI's new picture, or nothing was measured.
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= uint32_t(uint8_t(frame[i])) << (8 * i);
    const nlohmann::json header = nlohmann::json::parse(frame.substr(4, length));
    bool redrawn = false;
    for (const nlohmann::json& picture : header["pictures"])
        redrawn |= picture["gauge"] == hsi;
    if (!redrawn) state.SkipWithError("the click did not bring a new picture of the HSI");
    state.counters["frame_bytes"] = double(frame.size());
}
BENCHMARK(BM_ClickToNewFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
