// The navigation variables the key events of the navigation displays change, and
// how the host derives the pressure altitude.
#pragma once

#include <cstdint>

namespace panelhost::navigation {

inline constexpr uint32_t transponder_code = 38;  // four BCD digits
inline constexpr uint32_t selected_course = 45;   // NAV1 OBS, degrees
inline constexpr uint32_t dme_source = 355;       // receiver feeding the DME: 1 or 2
inline constexpr uint32_t hsi_course = 854;       // course the HSI's pointer shows
inline constexpr uint32_t heading_bug = 855;

inline constexpr uint32_t set_course_event = 0x100B4;
inline constexpr uint32_t heading_bug_event = 0x101FA;
inline constexpr uint32_t code_set_event = 0x100B3;
inline constexpr uint32_t dme_from_nav1_event = 0x100FB;
inline constexpr uint32_t dme_from_nav2_event = 0x100FC;

// Transponder digit steps, thousands to units.
inline constexpr uint32_t digit_up_events[4] = {0x10073, 0x10074, 0x10075, 0x10076};
inline constexpr uint32_t digit_down_events[4] = {0x10397, 0x10398, 0x10399, 0x1039A};

// The code with one octal digit (0 thousands .. 3 units) stepped by +1 or -1,
// wrapping 7 to 0 and 0 to 7 without carrying into its neighbours.
uint32_t step_code_digit(uint32_t code, int digit, int step);

// Pressure altitude from the indicated altitude and the altimeter setting: about
// 27 feet per millibar below standard pressure. A setting that is not a number
// counts as standard.
inline constexpr double feet_per_millibar = 27.0;
double pressure_altitude(double indicated_feet, double setting_millibars);

} // namespace panelhost::navigation
