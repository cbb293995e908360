// The panelhost subcommands. Each returns the process exit status and reports
// problems on standard error, naming the file and what is wrong.
#pragma once

#include "panel_config.hpp"
#include "simulation_settings.hpp"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

struct WorkbenchOptions;

// The directory panelhost looks for modules in by default: its own.
std::string default_module_dir();

// Writes "panelhost: PROBLEM" on standard error.
inline void report_problem(const std::string& problem) {
    std::cerr << "panelhost: " << problem << "\n";
}
// Reports `problem`; returns 1, the exit status of a command it stops.
inline int fail(const std::string& problem) {
    report_problem(problem);
    return 1;
}

int run_inspect(const std::string& module_path, const std::string& gauge_name);

struct CheckCommandOptions {
    std::string module_path;
    std::string gauge;           // empty: every gauge
    std::string parameters_file; // more parameter strings, one per line; empty: none
    bool json = false;
    double time_limit = 10; // seconds per gauge
    unsigned jobs = 2;      // gauges driven at once (POSIX)
    // Windows: this program's own path, to start a child for each gauge with the
    // two hidden options below; empty: children are forked (POSIX).
    std::string program;
    std::string child_gauge;    // hidden: drive only this gauge, as a child
    std::string child_progress; // hidden: the parent's shared progress memory
};
// `check MODULE [--gauge NAME] [--parameters FILE] [--json] [--time-limit S]
// [--jobs N]`, the arguments after "check"; none, with `error` set, when they are
// wrong.
std::optional<CheckCommandOptions> parse_check_arguments(const std::vector<std::string>& arguments,
                                                         std::string& error);
int run_check(const CheckCommandOptions& options);

int run_show(const std::string& module_path, const SimulationSettings& settings);

// An aircraft folder given instead of a panel file: its panel, with the
// registration of one of its liveries.
struct AircraftChoice {
    std::string dir; // empty: none
    int livery = 0;  // the N-th section of aircraft.cfg that holds an atc_id
};

// The panel file to place and the registration to give it (empty: the panel
// file's own), from --panel or --aircraft.
struct PanelChoice {
    std::string panel_file;
    std::string registration;
};
std::optional<PanelChoice> resolve_panel_choice(const std::string& panel_file,
                                                const AircraftChoice& aircraft, std::string& error);
// The chosen panel file, read, with the aircraft's registration in place of its own.
std::optional<PanelConfig> read_panel_choice(const std::string& panel_file,
                                             const AircraftChoice& aircraft, std::string& error);
// Where modules are looked for after the panel file's own folder: the --modules
// folder, then panelhost's own.
std::vector<std::string> module_search(const std::string& module_dir);
// The workbench's panel (from --panel or --aircraft) and scenario, both made
// absolute, and where its modules are looked for; false, with `error` set, when the
// choice names no panel.
bool choose_workbench_files(const std::string& panel_file, const AircraftChoice& aircraft,
                            const std::string& scenario_file, const std::string& module_dir,
                            WorkbenchOptions& workbench, std::string& error);

struct RenderOptions {
    std::string panel_file;
    AircraftChoice aircraft;
    std::string module_dir;
    std::string out_file;
    SimulationSettings settings;
    int cycles = 1;
    double zoom = 1.0;
    // A scenario played, as the workbench plays it, up to `time` seconds before the
    // panel is drawn (instead of `cycles`): a recorded session seen at any moment.
    std::string scenario_file;
    double time = 0;
    // The windows to draw, open or not, as users name them; none: the open ones.
    std::vector<std::string> windows;
};
int run_render(const RenderOptions& options);

struct GalleryOptions {
    std::string module_dir;
    std::string states_dir; // where the gauges' gallery.json files are
    std::string out_dir;
    std::string golden_dir;      // compare with the goldens there; empty: no comparison
    bool rewrite_golden = false; // make the pictures the goldens instead
};
int run_gallery(const GalleryOptions& options);

struct ServeOptions {
    std::string panel_file;
    AircraftChoice aircraft;
    std::string scenario_file; // empty: none
    std::string module_dir;
    std::string page_dir;
    int port = 8080; // 0: a free one
    double cycle_hz = 30;
    bool paused = false; // the scenario waits for play
};
int run_serve(const ServeOptions& options);

} // namespace panelhost
