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

} // namespace panelhost
