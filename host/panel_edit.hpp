// Edits of a panel file's text as the workbench makes them: a gauge line changed,
// added, removed or moved to another window. Only the lines an edit concerns change,
// and those keep their own style (key case, blanks around `=` and after commas,
// trailing comment, line ending); every other byte stays as it was: comments, blank
// lines, a byte-order mark, Windows-1252 text, CRLF or LF line ends, a last line
// without one.
//
// Which line is which gauge is what read_panel_config says: sections and keys match
// in any case, a line the reader does not take as a gauge is none, and a section
// given twice is one window. Each edit is read back through read_panel_config before
// it is handed out, so the text always reads as the edit intends.
#pragma once

#include <optional>
#include <string>

namespace panelhost {

// Which fields of a gauge line to change; absent ones keep what the line has.
struct PlacementChange {
    std::optional<int> x, y, width, height;
    // Blanks at either end are not kept: the reader does not keep them either.
    std::optional<std::string> parameters;
};

struct NewPlacement {
    std::string name; // "Module!Gauge"
    int x = 0, y = 0;
    std::optional<int> width, height;
    std::optional<std::string> parameters;
};

struct PanelEdit {
    std::string text;  // the whole file after the edit (unchanged when refused)
    std::string error; // empty when done; else what is wrong, naming the section/key
    std::string key;   // the gauge line's key after the edit, as the file writes it
};

// Positions may be from -32768 to 32768, sizes from 1 to 32768 (max_window_side).
PanelEdit change_placement(const std::string& text, const std::string& section,
                           const std::string& key, const PlacementChange& change);
// The new line goes right after the section's last gauge line (after its last key
// line when it has no gauges yet), with the next free key: one more than the
// section's highest gaugeNN, two digits at least.
PanelEdit add_placement(const std::string& text, const std::string& section,
                        const NewPlacement& placement);
// The gauge's line goes, with its line ending; other gauges keep their keys.
PanelEdit remove_placement(const std::string& text, const std::string& section,
                           const std::string& key);
// Moves a gauge line to another window's section: removed from one, added after the
// other's last gauge line with that section's next free key, keeping its fields.
PanelEdit move_placement(const std::string& text, const std::string& from_section,
                         const std::string& key, const std::string& to_section);

} // namespace panelhost
