// Panel configuration files: an INI file with one section per panel window.
//
//   [Window Titles]
//   Window00=Main panel
//
//   [Window00]
//   size_mm=1024,768
//   ident=MAIN_PANEL          ; a name of the window table, or a number
//   visible=1
//   gauge00=Marlow_Instr!Airspeed, 20, 40, 150
//   gauge01=Marlow_Instr!Torque,  200, 40, 150, 150, 2
//
//   [Aircraft]
//   atc_id=D-IMAR
//
// A gauge line is `Module!Gauge, x, y, width[, height][, parameters]`: everything
// after the fifth comma is the gauge's parameter string (so it may hold commas and
// semicolons). On other lines a semicolon starts a comment. A line that cannot be
// read is reported with the file and line number and skipped; the rest still loads.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

struct PanelGauge {
    std::string module;
    std::string gauge;
    int x = 0;
    int y = 0;
    int width = 0;
    std::optional<int> height;            // from the design bitmap's proportions if absent
    std::optional<std::string> parameters;
    int line = 0;
};

struct PanelWindow {
    std::string section;                  // "Window00"
    std::string title;
    int width = 0;                        // size_mm: the window's size in panel units
    int height = 0;
    std::optional<int> ident;             // the window number, from a name or a number
    bool visible = true;
    std::vector<PanelGauge> gauges;
};

struct PanelConfig {
    std::string file;
    std::vector<PanelWindow> windows;
    std::string atc_id;                   // the aircraft's registration
    std::vector<std::string> errors;      // "file:line: what is wrong"
};

PanelConfig read_panel_config(std::istream& in, const std::string& file_name);
// Reads a file; a file that cannot be opened gives one error and no windows.
PanelConfig load_panel_config(const std::string& path);

// The panel-window numbers of the window names panels and gauges use, or none.
std::optional<int> window_number_of(const std::string& name);

} // namespace panelhost
