// Key events of the navigation displays: the NAV1 selected course, the heading
// bug, the transponder's digits and code, and the DME's receiver.
#include "effects/navigation_effects.hpp"

#include "effects/flight_instrument_effects.hpp"
#include "effects/key_event_effects.hpp"
#include "simulation.hpp"
#include "simulator_numbers.h"

#include <cmath>

namespace panelhost {
namespace navigation {

uint32_t step_code_digit(uint32_t code, int digit, int step) {
    const int shift = 4 * (3 - digit);
    const uint32_t nibble = (code >> shift) & 0xF;
    const uint32_t stepped = (nibble + 8 + static_cast<uint32_t>(step)) % 8; // 0..7 either way
    return (code & ~(0xFu << shift)) | (stepped << shift);
}

double pressure_altitude(double indicated_feet, double setting_millibars) {
    if (!std::isfinite(setting_millibars))
        setting_millibars = flight_settings::standard_pressure_mb;
    return indicated_feet +
           (flight_settings::standard_pressure_mb - setting_millibars) * feet_per_millibar;
}

} // namespace navigation

namespace {

using namespace navigation;

// Transponder digit steps, thousands to units.
constexpr uint32_t digit_up_events[4] = {KEY_XPDR_1000_INC, KEY_XPDR_100_INC, KEY_XPDR_10_INC,
                                         KEY_XPDR_1_INC};
constexpr uint32_t digit_down_events[4] = {KEY_XPDR_1000_DEC, KEY_XPDR_100_DEC, KEY_XPDR_10_DEC,
                                           KEY_XPDR_1_DEC};

// A course or heading in whole degrees 0..359.
double degrees(uint32_t value) { return value % 360; }

uint32_t current_code(const Simulation& simulation) {
    const double code = simulation.get(VAR_TRANSPONDER_CODE);
    return std::isfinite(code) && code >= 0 && code <= 0xFFFF ? static_cast<uint32_t>(code) : 0;
}

} // namespace

void add_navigation_effects(KeyEventEffects& effects) {
    // The OBS sets the receiver's course, which the HSI's course pointer shows too.
    effects[KEY_NAV1_COURSE_SET] = [](Simulation& simulation, uint32_t value) {
        simulation.set(VAR_NAV1_SELECTED_COURSE, degrees(value));
        simulation.set(VAR_HSI_COURSE, degrees(value));
    };
    effects[KEY_HEADING_BUG_SET] = [](Simulation& simulation, uint32_t value) {
        simulation.set(VAR_HEADING_BUG, degrees(value));
    };
    effects[KEY_XPDR_CODE_SET] = [](Simulation& simulation, uint32_t value) {
        simulation.set(VAR_TRANSPONDER_CODE, value & 0xFFFF);
    };
    for (int digit = 0; digit < 4; ++digit) {
        effects[digit_up_events[digit]] = [digit](Simulation& simulation, uint32_t) {
            simulation.set(VAR_TRANSPONDER_CODE,
                           step_code_digit(current_code(simulation), digit, 1));
        };
        effects[digit_down_events[digit]] = [digit](Simulation& simulation, uint32_t) {
            simulation.set(VAR_TRANSPONDER_CODE,
                           step_code_digit(current_code(simulation), digit, -1));
        };
    }
    effects[KEY_DME_FROM_NAV1] = [](Simulation& simulation, uint32_t) {
        simulation.set(VAR_DME_SOURCE, 1);
    };
    effects[KEY_DME_FROM_NAV2] = [](Simulation& simulation, uint32_t) {
        simulation.set(VAR_DME_SOURCE, 2);
    };
}

} // namespace panelhost
