// The host's short texts behind the help ids that gauges show as tooltips.
#pragma once

#include <cstdint>
#include <string>

namespace panelhost {

// The text for a help id; ids the host has no text for read "Help 0x....".
std::string help_text(uint32_t help_id);

} // namespace panelhost
