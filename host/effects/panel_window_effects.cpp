// Key events of the panel windows: open, close and toggle a window, whose number is
// the event's value. The view steps (KEY_VIEW_RESET, KEY_VIEW_NEXT, KEY_VIEW_PREVIOUS)
// change nothing on the panel; the simulation only records them with every other
// key event.
#include "effects/key_event_effects.hpp"
#include "simulation.hpp"
#include "simulator_numbers.h"

namespace panelhost {

void add_panel_window_effects(KeyEventEffects& effects) {
    effects[KEY_PANEL_WINDOW_OPEN] = [](Simulation& simulation, uint32_t window) {
        simulation.set_window_visible(window, true);
    };
    effects[KEY_PANEL_WINDOW_CLOSE] = [](Simulation& simulation, uint32_t window) {
        simulation.set_window_visible(window, false);
    };
    effects[KEY_PANEL_WINDOW_TOGGLE] = [](Simulation& simulation, uint32_t window) {
        simulation.set_window_visible(window, !simulation.window_visible(window));
    };
}

} // namespace panelhost
