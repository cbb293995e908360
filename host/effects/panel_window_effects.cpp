// Key events of the panel windows: open, close and toggle a window, whose number is
// the event's value. The view steps (0x10153, 0x100C6, 0x100C7) change nothing on
// the panel; the simulation only records them with every other key event.
#include "effects/key_event_effects.hpp"
#include "simulation.hpp"

namespace panelhost {

constexpr uint32_t open_window_event = 0x103CB;
constexpr uint32_t close_window_event = 0x103CC;
constexpr uint32_t toggle_window_event = 0x103CA;

void add_panel_window_effects(KeyEventEffects& effects) {
    effects[open_window_event] = [](Simulation& simulation, uint32_t window) {
        simulation.set_window_visible(window, true);
    };
    effects[close_window_event] = [](Simulation& simulation, uint32_t window) {
        simulation.set_window_visible(window, false);
    };
    effects[toggle_window_event] = [](Simulation& simulation, uint32_t window) {
        simulation.set_window_visible(window, !simulation.window_visible(window));
    };
}

} // namespace panelhost
