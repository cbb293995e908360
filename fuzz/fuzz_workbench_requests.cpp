// The workbench's requests as the server hands them to a session: each line of the
// input is one request, `DOOR BODY`, where DOOR is a command ("mouse", "variable",
// "failure", "key", "scenario", "view"), "placement", "panel" (BODY: save, undo or
// redo), "recording" or "cycle" (cycles run while a page watches; BODY: how many).
// Every input gets a fresh session on a small panel of both modules, in a folder of
// its own; after the requests a watched cycle draws the pictures and the layout and
// a whole frame are packed, as for a page that arrives then. The modules stay loaded
// from one input to the next (libFuzzer cannot have its instrumented code unloaded),
// so the sessions load the module files themselves rather than copies.
#include "render/panel_fonts.hpp"
#include "workbench/workbench_session.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace panelhost;
namespace fs = std::filesystem;

namespace {

// Two windows, gauges of every family, one of the older interface and a line no
// module answers, with a scenario for the scenario commands to play.
const char* panel_text = "[Window Titles]\n"
                         "Window00=Main panel\n"
                         "Window01=Radio stack\n"
                         "\n"
                         "[Window00]\n"
                         "size_mm=600,400\n"
                         "gauge00=Marlow_Instr!Airspeed, 0, 0, 150\n"
                         "gauge01=Marlow_Instr!HSI, 150, 0, 200\n"
                         "gauge02=Marlow_Instr!Torque, 350, 0, 100, 100, 2\n"
                         "gauge03=Harrow_ASI!Harrow_ASI, 450, 0, 150\n"
                         "gauge04=Marlow_Instr!Radios_Toggle, 0, 200, 40, , tRADIO_STACK_PANEL\n"
                         "gauge05=Nowhere!Nothing, 100, 200, 50\n"
                         "\n"
                         "[Window01]\n"
                         "size_mm=350,240\n"
                         "ident=RADIO_STACK_PANEL\n"
                         "visible=0\n"
                         "gauge00=Marlow_Instr!Becker_AR3202_COM1, 0, 0, 350\n"
                         "gauge01=Marlow_Instr!Becker_AD3502_ADF, 0, 100, 350\n";

const char* scenario_text = R"({"title": "fuzz", "duration": 20, "timeline": [
  {"t": 0, "set": {"61": 0, "74": 1000}},
  {"t": 5, "set": {"61": 120}, "fail": [3]},
  {"t": 10, "click": {"gauge": "HSI", "x": 270, "y": 266, "hold": 0.5}},
  {"t": 12, "key": ["KOHLSMAN_INC", 0]}
]})";

constexpr size_t most_requests = 64;
constexpr int most_cycles = 30;

struct Folder {
    fs::path dir;
    std::string panel_file;
    std::string scenario_file;

    Folder() {
        std::string error;
        if (!use_panel_fonts(error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        dir = fs::temp_directory_path() / ("fuzz_workbench_requests_" + std::to_string(getpid()));
        fs::create_directories(dir);
        for (const char* module : {MARLOW_MODULE_PATH, HARROW_MODULE_PATH}) {
            if (!dlopen(module, RTLD_NOW | RTLD_LOCAL)) {
                std::fprintf(stderr, "%s\n", dlerror());
                std::abort();
            }
        }
        panel_file = (dir / "panel.cfg").string();
        scenario_file = (dir / "scenario.json").string();
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    // The panel and scenario as they were, and nothing else: saves and recordings
    // of the input before are gone.
    void reset() const {
        for (const fs::directory_entry& entry : fs::directory_iterator(dir))
            fs::remove_all(entry.path());
        std::ofstream(panel_file, std::ios::binary) << panel_text;
        std::ofstream(scenario_file, std::ios::binary) << scenario_text;
    }
};

bool is_command(const std::string& door) {
    for (const char* kind : {"mouse", "variable", "failure", "key", "scenario", "view"})
        if (door == kind) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folder folder;
    folder.reset();
    WorkbenchOptions options;
    options.panel_file = folder.panel_file;
    options.scenario_file = folder.scenario_file;
    options.module_dirs = {fs::path(MARLOW_MODULE_PATH).parent_path().string(),
                           fs::path(HARROW_MODULE_PATH).parent_path().string()};
    options.play_at_start = false;
    options.module_copies = false;
    WorkbenchSession session(options);

    double now = 0;
    auto cycle = [&] {
        now += 1.0 / options.cycle_hz;
        session.note_watcher(now);
        session.run_cycle(now);
    };
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    for (size_t n = 0; n < most_requests && std::getline(lines, line); ++n) {
        const size_t blank = line.find(' ');
        const std::string door = line.substr(0, blank);
        const std::string body = blank == std::string::npos ? "" : line.substr(blank + 1);
        now += 0.01;
        if (is_command(door)) {
            std::string error;
            std::optional<WorkbenchCommand> command = read_command(door, body, error);
            if (!command || !session.check(*command).empty()) continue;
            session.submit(std::move(*command));
            session.run_input(now);
        } else if (door == "placement") {
            (void)session.edit_placement(body);
        } else if (door == "panel") {
            (void)session.edit_panel(body);
        } else if (door == "recording") {
            // A named file may be anywhere; the fuzzer writes only into its folder.
            if (body.find("file") == std::string::npos) (void)session.recording(body, now);
        } else if (door == "cycle") {
            const int cycles = std::clamp(std::atoi(body.c_str()), 1, most_cycles);
            for (int i = 0; i < cycles; ++i)
                cycle();
        }
    }
    cycle();
    (void)session.layout();
    (void)session.frame(0);
    session.host().simulation().clear_logs();
    return 0;
}
