// Panel configuration files, read as the simulator reads an aircraft's panel.cfg:
// an INI file with one section per panel window.
//
//   [Window Titles]
//   Window00=Main panel
//
//   // a comment; so is a line starting with ;
//   [Window00]
//   file=panel_background.bmp         ; the window's background, in the panel folder
//   size_mm=1024                      ; design width (height from the bitmap)
//   position=7                        ; bottom middle of the screen
//   ident=MAIN_PANEL                  ; a name of the window table, or a number
//   visible=1
//   gauge00=Marlow_Instr!Airspeed, 20, 40, 150
//   gauge01=Marlow_Instr!Torque,  200, 40, 150, 150, 2
//   gauge02=Marlow_Instr!Altimeter, 360, 40     ; at its design size
//
//   [VCockpit01]
//   size_mm=512,512
//   pixel_size=512,512
//   texture=$Panel_1
//   gauge00=Marlow_Instr!Attitude, 0, 0, 256
//
//   [Aircraft]                        ; our own: the registration when there is
//   atc_id=D-IMAR                     ; no aircraft.cfg to take it from
//
// Keys and section names in any case; blanks around `=` and values; CRLF or LF; a
// UTF-8 byte-order mark; Windows-1252 text (titles are turned into UTF-8, gauge
// names and parameter strings are handed on as written). A comment after a value
// (`;` or `//`) ends it, except in a gauge line's parameter string: everything after
// the fifth comma of a gauge line is the gauge's, commas, semicolons and all.
//
// Sections and keys that panel files carry for other parts of the simulator are
// passed over in silence; a name no panel file uses gets one notice, however many
// lines use it. A line that cannot be read is reported with the file and line
// number and skipped; the rest still loads.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

// A placement of a gauge: `gaugeNN=Module!Gauge, x, y[, width[, height]][, parameters]`,
// or a line of a newer kind of gauge (`htmlgaugeNN=...`), read as a placement of a
// gauge this host cannot run.
struct PanelGauge {
    std::string key;            // "gauge03", as written
    std::string kind = "gauge"; // "gauge", or the newer kind: "htmlgauge"
    std::string name;           // what stands before the first comma
    std::string module;         // of "Module!Gauge"; empty for other kinds
    std::string gauge;          // empty: the module's first gauge
    int x = 0;
    int y = 0;
    std::optional<int> width;  // the design width when absent
    std::optional<int> height; // from the design bitmap's proportions if absent
    std::optional<std::string> parameters;
    int line = 0;
};

struct PanelColor {
    int red = 0, green = 0, blue = 0; // 0..255
    bool operator==(const PanelColor&) const = default;
};

struct PanelPoint {
    double x = 0, y = 0;
    bool operator==(const PanelPoint&) const = default;
};

// Where a window sits on the screen: a preset place 0..8 (0 top left, 1 top middle,
// 2 top right, 3 middle left, ... 8 bottom right), or window_pos and window_size as
// fractions of the screen's width and height; window_size_ratio scales the window;
// windows of a higher zorder lie above the others.
struct ScreenPlace {
    std::optional<int> position;
    std::optional<PanelPoint> position_fraction; // window_pos
    std::optional<PanelPoint> size_fraction;     // window_size
    std::optional<double> size_ratio;            // window_size_ratio
    int zorder = 0;
};

struct PanelWindow {
    std::string section;          // "Window00", "VCockpit01", as written
    bool virtual_cockpit = false; // a [VCockpitNN] section: a texture of the 3D cockpit
    std::string title;            // from [Window Titles]; a cockpit panel's texture name
    int width = 0;                // size_mm: the window's size in panel units;
    int height = 0;               // 0 when not given (see Panel)
    std::optional<int> ident;     // the window number, from a name or a number
    bool visible = true;
    // The background bitmap: `file=` and its alternatives (`file_1024=`, ...) in the
    // order given, as written (relative to the panel folder).
    std::vector<std::string> background_files;
    std::optional<PanelColor> background_color;
    ScreenPlace screen;
    std::optional<PanelPoint> pixel_size; // a cockpit panel's texture size
    std::string texture;                  // a cockpit panel's "$Panel_1"
    std::vector<PanelGauge> gauges;
    int line = 0; // of the section header
};

// The largest window side, in panel units, a panel file may give or imply.
inline constexpr int max_window_side = 32768;

struct PanelConfig {
    std::string file;
    std::vector<PanelWindow> windows;
    std::string atc_id;              // the registration of our own [Aircraft] section
    std::vector<std::string> errors; // "file:line: what is wrong"
};

PanelConfig read_panel_config(std::istream& in, const std::string& file_name);
// Reads a file; a file that cannot be opened gives one error and no windows.
PanelConfig load_panel_config(const std::string& path);

// The panel-window numbers of the window names panels and gauges use (in any
// case), or none.
std::optional<int> window_number_of(const std::string& name);

// Windows-1252 text as UTF-8; text that already is valid UTF-8 stays as it is.
std::string text_as_utf8(const std::string& text);

} // namespace panelhost
