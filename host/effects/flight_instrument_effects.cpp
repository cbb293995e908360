// Key events of the flight instruments: the altimeter's pressure-setting steps and
// the attitude indicator's aircraft-symbol steps.
#include "effects/flight_instrument_effects.hpp"

#include "effects/key_event_effects.hpp"
#include "simulation.hpp"

#include <algorithm>
#include <cmath>

namespace panelhost {
namespace {

using namespace flight_settings;

// The setting in millibars as the host holds it; a value that is not a number
// counts as the standard setting.
double current_millibars(const Simulation& simulation) {
    double millibars = simulation.get(VAR_KOHLSMAN_SETTING_MB);
    return std::isfinite(millibars) ? millibars : standard_pressure_mb;
}

// Sets both pressure variables to one pressure, held to the scale.
void set_pressure(Simulation& simulation, double millibars) {
    millibars = std::clamp(millibars, lowest_pressure_mb, highest_pressure_mb);
    simulation.set(VAR_KOHLSMAN_SETTING_MB, millibars);
    simulation.set(VAR_KOHLSMAN_SETTING_HG, millibars / millibars_per_inch_hg);
}

void step_symbol(Simulation& simulation, double step) {
    double height = simulation.get(VAR_ATTITUDE_SYMBOL_HEIGHT);
    if (!std::isfinite(height)) height = 0;
    simulation.set(VAR_ATTITUDE_SYMBOL_HEIGHT,
                   std::clamp(height + step, -symbol_height_limit, symbol_height_limit));
}

} // namespace

void add_flight_instrument_effects(KeyEventEffects& effects) {
    // Up to the next whole millibar, down to the one before.
    effects[pressure_up_event] = [](Simulation& simulation, uint32_t) {
        set_pressure(simulation, std::floor(current_millibars(simulation)) + 1);
    };
    effects[pressure_down_event] = [](Simulation& simulation, uint32_t) {
        set_pressure(simulation, std::ceil(current_millibars(simulation)) - 1);
    };
    effects[KEY_ATTITUDE_SYMBOL_UP] = [](Simulation& simulation, uint32_t) {
        step_symbol(simulation, 1);
    };
    effects[KEY_ATTITUDE_SYMBOL_DOWN] = [](Simulation& simulation, uint32_t) {
        step_symbol(simulation, -1);
    };
}

} // namespace panelhost
