// A panel configuration placed on a host: its windows, and in each window the
// gauges at their panel positions and sizes, with the scale from each gauge's design
// bitmap to its place on the panel.
#pragma once

#include "panel_config.hpp"
#include "panel_host.hpp"

#include <string>
#include <vector>

namespace panelhost {

// The file name ending of gauge modules on this platform.
#ifdef _WIN32
constexpr const char* module_file_suffix = ".gau";
#else
constexpr const char* module_file_suffix = ".so";
#endif

struct PlacedGauge {
    GaugeInstance* instance = nullptr;
    std::string module;      // the module the gauge comes from
    int line = 0;            // of the panel file
    double x = 0, y = 0;     // panel units within the window
    double width = 0, height = 0;
    double scale_x = 1, scale_y = 1; // panel units per design pixel
};

struct PlacedWindow {
    std::string title;
    std::optional<int> ident;
    int width = 0, height = 0;
    bool visible = true;     // as the panel file says; see Panel::window_visible
    std::vector<PlacedGauge> gauges;
};

class Panel {
public:
    // Loads the modules the panel names from `module_dir` (file Module.so, Module.gau on Windows) and places
    // every gauge. Problems (the panel file's own errors, unknown modules or gauges)
    // are collected with the file and line; what can be placed is placed.
    // The windows' visibility becomes the simulation's window state before any gauge
    // is installed, so that a gauge may close a window at installation.
    Panel(PanelHost& host, const PanelConfig& config, const std::string& module_dir);

    // Whether the window shows now: a window with a number as the simulation's window
    // state says (gauges open, close and toggle it), any other as the panel file says.
    bool window_visible(const PlacedWindow& window) const;

    const std::vector<PlacedWindow>& windows() const { return windows_; }
    std::vector<PlacedWindow>& windows() { return windows_; }
    const std::vector<std::string>& problems() const { return problems_; }

private:
    const Simulation* simulation_;
    std::vector<PlacedWindow> windows_;
    std::vector<std::string> problems_;
};

// The file name of a module in a directory of built modules.
std::string module_file(const std::string& module_dir, const std::string& module_name);

} // namespace panelhost
