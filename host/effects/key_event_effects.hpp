// What the simulated aircraft does when a key event arrives. Each family of events
// (panel windows, radios, navigation, flight instruments) registers its effects in
// a file of its own; the simulation performs them after recording the event.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace panelhost {

class Simulation;

using KeyEventEffect = std::function<void(Simulation&, uint32_t value)>;
using KeyEventEffects = std::map<uint32_t, KeyEventEffect>;

// Every family's effects, keyed by event number.
const KeyEventEffects& key_event_effects();

// The families. Add one here and in key_event_effects.cpp.
void add_flight_instrument_effects(KeyEventEffects& effects);
void add_panel_window_effects(KeyEventEffects& effects);
void add_radio_effects(KeyEventEffects& effects);
void add_navigation_effects(KeyEventEffects& effects);

} // namespace panelhost
