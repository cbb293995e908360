// The fuel quantity needle tables, shared by the gauges and their artwork. Values
// are in the host's tank-level units; both tables end at the full-tank value.
#pragma once

#include "gauge_abi.h"

namespace gauge {

// Main tanks, face graduated 0 to 17 (pounds x 100): 0 at the lower left, 9
// straight up, full at the 17 mark lower right.
inline constexpr NeedleRow main_tank_table[] = {
    {78, 250, 0.0, 0},
    {150, 37, 4389424.0686, 0},
    {239, 231, 8388610.0, 0},
};

// Auxiliary tanks, face graduated 0 to 10: 0 at the lower left, 5 straight up,
// full between the 7 and 8 marks.
inline constexpr NeedleRow aux_tank_table[] = {
    {63, 237, 0.0, 0},
    {150, 37, 5591847.426, 0},
    {261, 105, 8388610.0, 0},
};

} // namespace gauge
