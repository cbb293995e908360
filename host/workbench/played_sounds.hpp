// The click sounds the gauges played, so that the workbench page can play them too.
//
// The host program is the process's audio output: it exports the function the
// modules' sound layer hands every sound that starts playing (sound/audio_output.h).
// Each sound is known by its samples; the host finds the WAVE resource of a loaded
// module that holds the same samples, and the page plays that file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace panelhost {

class PanelHost;

struct PlayedSound {
    std::string module; // the module whose WAVE resource it was
    uint32_t wave = 0;  // the resource number
};

// The sounds played since the last call, oldest first: the ones a module of this
// host holds as WAVE resources. Sounds of samples no loaded module holds are dropped.
std::vector<PlayedSound> take_played_sounds(PanelHost& host);

} // namespace panelhost
