// The settings the flight instruments' knobs change, and their limits: the
// altimeter's pressure setting (VAR_KOHLSMAN_SETTING_MB and VAR_KOHLSMAN_SETTING_HG,
// always the same pressure) and the attitude indicator's aircraft-symbol height
// (VAR_ATTITUDE_SYMBOL_HEIGHT).
#pragma once

#include "simulator_numbers.h"

#include <cstdint>

namespace panelhost::flight_settings {

// The altimeter knob's two halves.
inline constexpr uint32_t pressure_up_event = KEY_KOHLSMAN_INC;
inline constexpr uint32_t pressure_down_event = KEY_KOHLSMAN_DEC;

inline constexpr double standard_pressure_mb = 1013.25;
inline constexpr double millibars_per_inch_hg = 33.8639;

// The setting scale of the altimeter's windows, about 28.05 to 31.01 inches of
// mercury; each click moves the setting to the next whole millibar.
inline constexpr double lowest_pressure_mb = 950;
inline constexpr double highest_pressure_mb = 1050;

// The aircraft symbol moves 0.4 pixels per step, 12 pixels (about 10 degrees of
// pitch) either way at most.
inline constexpr double symbol_height_limit = 30;

} // namespace panelhost::flight_settings
