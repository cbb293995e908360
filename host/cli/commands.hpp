// The panelhost subcommands. Each returns the process exit status and reports
// problems on standard error, naming the file and what is wrong.
#pragma once

#include "simulation_settings.hpp"

#include <string>

namespace panelhost {

// The directory panelhost looks for modules in by default: its own.
std::string default_module_dir();

int run_inspect(const std::string& module_path, const std::string& gauge_name);
int run_show(const std::string& module_path, const SimulationSettings& settings);

struct RenderOptions {
    std::string panel_file;
    std::string module_dir;
    std::string out_file;
    SimulationSettings settings;
    int cycles = 1;
    double zoom = 1.0;
};
int run_render(const RenderOptions& options);

struct GalleryOptions {
    std::string module_dir;
    std::string states_dir; // where the gauges' gallery.json files are
    std::string out_dir;
};
int run_gallery(const GalleryOptions& options);

struct ServeOptions {
    std::string panel_file;
    std::string scenario_file;   // empty: none
    std::string module_dir;
    std::string page_dir;
    int port = 8080;             // 0: a free one
    double cycle_hz = 30;
    bool paused = false;         // the scenario waits for play
};
int run_serve(const ServeOptions& options);

} // namespace panelhost
