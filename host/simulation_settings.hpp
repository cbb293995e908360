// Values given on the command line or in a scenario, applied to the simulation:
// token variables ("61=120"), named expression values ("PRESSURE ALTITUDE,feet=1500")
// and failure keys.
#pragma once

#include "simulation.hpp"

#include <string>
#include <vector>

namespace panelhost {

struct SimulationSettings {
    std::vector<std::string> variables; // ID=VALUE
    std::vector<std::string> named;     // NAME,unit=VALUE
    std::vector<uint32_t> failures;
};

// Applies every setting; false with `error` naming the first malformed one.
bool apply_settings(Simulation& simulation, const SimulationSettings& settings, std::string& error);

} // namespace panelhost
