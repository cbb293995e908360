// The transponder's digit arithmetic, and how the host derives the pressure altitude.
#pragma once

#include <cstdint>

namespace panelhost::navigation {

// The code with one octal digit (0 thousands .. 3 units) stepped by +1 or -1,
// wrapping 7 to 0 and 0 to 7 without carrying into its neighbours.
uint32_t step_code_digit(uint32_t code, int digit, int step);

// Pressure altitude from the indicated altitude and the altimeter setting: about
// 27 feet per millibar below standard pressure. A setting that is not a number
// counts as standard.
inline constexpr double feet_per_millibar = 27.0;
double pressure_altitude(double indicated_feet, double setting_millibars);

} // namespace panelhost::navigation
