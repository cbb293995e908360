// The turn coordinator's numbers that its records and its artwork share.
#pragma once

#include "gauge_abi.h"

#include <cstdint>

namespace gauge::turn_coordinator {

// The ball slides sideways by sideslip and rises with its square.
inline constexpr int32_t ball_x = 133, ball_y = 159;
inline constexpr double ball_x_scale = 0.6640625;
inline constexpr double ball_y_scale = -0.00030517578125;
inline constexpr double ball_travel = 127; // the sideslip at either end of the tube

inline constexpr int32_t tube_lines_x = 121, tube_lines_y = 147;

inline constexpr int32_t flag_x = 192, flag_y = 62;

// The pointer swings about a pivot low on the face, 10 degrees per unit of its
// value, and stops at 4.5 units either way.
inline constexpr int32_t pivot_x = 151, pivot_y = 253;
inline constexpr NeedleRow pointer_table[] = {
    {118, 220, -5.0, 0}, {118, 220, -4.5, 0}, {184, 220, 4.5, 0}, {184, 220, 5.0, 0}};
inline constexpr double rate_units_per_count = 0.00390625; // 1/256
inline constexpr double standard_rate = 2.0;               // 3 degrees per second, in pointer units

} // namespace gauge::turn_coordinator
