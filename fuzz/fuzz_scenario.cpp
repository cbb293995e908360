// The scenario reader on arbitrary bytes, and the player over what it read: a few
// steps forward, across the end and back to the start.
#include "scenario.hpp"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    panelhost::Scenario scenario = panelhost::read_scenario(in, "fuzz.json");
    for (const auto& [id, track] : scenario.variables) {
        for (double t : {-1.0, 0.0, 0.5, 1e9})
            (void)panelhost::value_at(track, t);
    }
    panelhost::ScenarioPlayer player(std::move(scenario));
    player.play();
    for (double seconds : {0.0, 0.25, 10.0, 1e6})
        (void)player.advance(seconds);
    player.restart();
    (void)player.step(1.0);
    return 0;
}
