// A readable account of what every placed gauge draws after an update.
#pragma once

#include "panel_host.hpp"

#include <ostream>
#include <string>

namespace panelhost {

void print_state_report(const PanelHost& host, std::ostream& out);

} // namespace panelhost
