// One element's part of the update cycle: refresh its sources from the
// simulation, ask its callbacks, apply its failures and hidden bit, and compute
// the drawing state from the element model.
#pragma once

#include "element_state.hpp"
#include "simulation.hpp"

namespace panelhost {

void update_element(ElementState& state, Simulation& simulation);

// The value a refreshed source holds, by the variable's reading.
double source_value(const TokenVariable& source, const Simulation& simulation);

} // namespace panelhost
