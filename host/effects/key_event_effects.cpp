#include "effects/key_event_effects.hpp"

namespace panelhost {

const KeyEventEffects& key_event_effects() {
    static const KeyEventEffects effects = [] {
        KeyEventEffects all;
        add_flight_instrument_effects(all);
        add_panel_window_effects(all);
        add_radio_effects(all);
        add_navigation_effects(all);
        return all;
    }();
    return effects;
}

} // namespace panelhost
