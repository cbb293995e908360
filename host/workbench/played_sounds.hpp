// The click sounds the gauges played, so that the workbench page can play them too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace panelhost {

class PanelHost;

struct PlayedSound {
    std::string module;  // the module whose WAVE resource it was
    uint32_t wave = 0;   // the resource number
};

// The sounds played since the last call, oldest first. The host learns of them
// from the modules' sound layer; until that reports to the host this is empty, and
// the page already plays whatever it returns (from /module/<name>/wave/<n>).
std::vector<PlayedSound> take_played_sounds(PanelHost& host);

} // namespace panelhost
