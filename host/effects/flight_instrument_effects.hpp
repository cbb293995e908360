// The settings the flight instruments' knobs change, and their limits: the
// altimeter's pressure setting (token variables 75, millibars, and 76, inches of
// mercury, always the same pressure) and the attitude indicator's aircraft-symbol
// height (token variable 612).
#pragma once

#include <cstdint>

namespace panelhost::flight_settings {

inline constexpr uint32_t pressure_millibars = 75;
inline constexpr uint32_t pressure_inches = 76;
inline constexpr uint32_t symbol_height = 612;

inline constexpr uint32_t pressure_up_event = 0x1015B;
inline constexpr uint32_t pressure_down_event = 0x1015C;
inline constexpr uint32_t symbol_up_event = 0x1030E;
inline constexpr uint32_t symbol_down_event = 0x1030F;

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
