// A panel configuration placed on a host: its windows, and in each window the
// gauges at their panel positions and sizes, with the scale from each gauge's design
// bitmap to its place on the panel.
#pragma once

#include "bmp_decoder.hpp"
#include "panel_config.hpp"
#include "panel_host.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

// The file name ending of gauge modules on this platform.
#ifdef _WIN32
constexpr const char* module_file_suffix = ".gau";
#else
constexpr const char* module_file_suffix = ".so";
#endif

// A gauge on a window: a running instance, or a placeholder for a gauge this host
// cannot run (its module is not found, the module has no such gauge, or it is a
// newer kind of gauge), kept at its place and size so that the whole panel's layout
// can be checked.
struct PlacedGauge {
    GaugeInstance* instance = nullptr; // null for a placeholder
    std::string module;                // the module the gauge comes from
    std::string label;   // as the panel file names it: "Module!Gauge", or the line's value
    std::string missing; // for a placeholder: why it does not run, in a few words
    std::string key;     // the panel line's key as written: "gauge03"
    std::optional<std::string> parameters; // the line's parameter string, if it has one
    int line = 0;                          // of the panel file
    double x = 0, y = 0;                   // panel units within the window
    double width = 0, height = 0;
    double scale_x = 1, scale_y = 1; // panel units per design pixel
};

struct PlacedWindow {
    std::string section; // "Window00", "VCockpit01"
    std::string title;
    std::optional<int> ident;
    int width = 0, height = 0;
    bool visible = true; // as the panel file says; see Panel::window_visible
    bool virtual_cockpit = false;
    std::optional<PanelColor> background_color;
    // The window's background bitmap, drawn at the window's size behind its gauges
    // (black is transparent); null when it has none.
    std::shared_ptr<const Image> background;
    ScreenPlace screen;
    std::vector<PlacedGauge> gauges;
};

class Panel {
  public:
    // Places every gauge of the panel. Modules are looked for beside the panel file,
    // then in each of `module_dirs` in turn (file Module.so, Module.gau on Windows).
    // Problems (the panel file's own errors, modules not found, unknown gauges,
    // background bitmaps that cannot be read) are collected once each, with the file
    // and line; what can be placed is placed, and what cannot becomes a placeholder.
    // The windows' visibility becomes the simulation's window state before any gauge
    // is installed, so that a gauge may close a window at installation.
    Panel(PanelHost& host, const PanelConfig& config, const std::vector<std::string>& module_dirs);
    Panel(PanelHost& host, const PanelConfig& config, const std::string& module_dir)
        : Panel(host, config, std::vector<std::string>{module_dir}) {}

    // Whether the window shows now: a window with a number as the simulation's window
    // state says (gauges open, close and toggle it), any other as the panel file says
    // until show_window changes it.
    bool window_visible(const PlacedWindow& window) const;
    // Opens or closes a window, as the simulator's window menu does.
    void show_window(size_t index, bool shown);
    // The window a user names, as the workbench's window addresses do: its ident
    // (RADIO_STACK_PANEL, any case, or its number), its number in the panel, its
    // section ("Window02", any case) or its title; none when no window has the name.
    std::optional<size_t> find_window(const std::string& name) const;
    // The windows that show now, by number.
    std::vector<size_t> visible_windows() const;

    const std::vector<PlacedWindow>& windows() const { return windows_; }
    std::vector<PlacedWindow>& windows() { return windows_; }
    const std::vector<std::string>& problems() const { return problems_; }

  private:
    Simulation* simulation_;
    std::vector<PlacedWindow> windows_;
    std::vector<std::string> problems_;
};

// The file name of a module in a directory of built modules.
std::string module_file(const std::string& module_dir, const std::string& module_name);

} // namespace panelhost
