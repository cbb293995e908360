// An aircraft folder as the simulator keeps it: aircraft.cfg with its livery
// sections ([fltsim.0], [fltsim.1], ...) and the panel folder, panel/panel.cfg (a
// livery's `panel=X` names the folder panel.X instead). The registration the
// gauges show is the `atc_id` of the livery: the first section that holds an
// atc_id key, or the N-th such section (counted from 0).
#pragma once

#include <optional>
#include <string>

namespace panelhost {

struct AircraftFolder {
    std::string panel_file; // the panel.cfg the livery uses
    std::string atc_id;     // the livery's registration; empty when it has none
    std::string livery;     // the section it comes from, as written ("fltsim.0")
};

// None, with `error` saying what is missing, when the folder has no aircraft.cfg,
// no such livery or no panel file.
std::optional<AircraftFolder> open_aircraft_folder(const std::string& dir, int livery,
                                                   std::string& error);

// The panel file a panel.cfg stands for. An aircraft shares another's panel by a
// panel.cfg that says only
//
//   [fltsim]
//   alias=Other_Aircraft\panel      ; from the folder that holds the aircraft folders
//
// which is followed (through further aliases) to that panel folder's panel.cfg; a
// file without an alias, or one that cannot be read, stands for itself. None, with
// `error` saying which line, when an alias names no panel.cfg or leads back to a
// panel it came from.
std::optional<std::string> follow_panel_alias(const std::string& panel_file, std::string& error);

} // namespace panelhost
