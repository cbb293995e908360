// A readable account of what every placed gauge draws after an update.
#pragma once

#include "panel_host.hpp"

#include <ostream>
#include <string>

namespace panelhost {

// Applies "ID=VALUE" to the simulation; false with `error` set when malformed.
bool apply_setting(Simulation& simulation, const std::string& setting, std::string& error);

void print_state_report(const PanelHost& host, std::ostream& out);

} // namespace panelhost
