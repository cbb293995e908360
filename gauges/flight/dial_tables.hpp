// The needle tables of the airspeed and vertical speed dials. The gauges publish
// them and the artwork graduates the faces from them, so a needle always points at
// the figure its value stands for.
#pragma once

#include "gauge_abi.h"

namespace gauge {

// VAR_AIRSPEED (indicated airspeed, knots). The needle rests just left of the
// top below 0 knots, points up at 60, right at 120, down near 200, and stops at 420
// after nearly a full clockwise turn.
inline constexpr NeedleRow airspeed_table[] = {
    {122, 44, -1, 0},   {122, 44, 0, 0},    {150, 37, 60, 0},   {204, 54, 80, 0},
    {260, 150, 120, 0}, {230, 230, 150, 0}, {123, 258, 200, 0}, {66, 223, 250, 0},
    {43, 171, 300, 0},  {49, 115, 350, 0},  {78, 67, 400, 0},   {97, 54, 420, 0},
    {97, 54, 500, 0},
};

// VAR_VERTICAL_SPEED (1/256 m/s): one row per 1000 ft/min from -7000
// to +7000 (k x 1000 ft/min in 1/256 m/s, 1 m = 3.28084 ft). Climb turns clockwise
// from the left over the top, descent counter-clockwise under the bottom; both stop
// at 6000 ft/min.
inline constexpr NeedleRow vertical_speed_table[] = {
    {257, 165, -9103.35970869249, 0},   // -7000 (stop)
    {257, 165, -7802.879750307849, 0},  // -6000
    {256, 183, -6502.399791923207, 0},  // -5000
    {247, 206, -5201.919833538565, 0},  // -4000
    {225, 233, -3901.4398751539243, 0}, // -3000
    {178, 261, -2600.9599167692827, 0}, // -2000
    {94, 250, -1300.4799583846413, 0},  // -1000
    {37, 150, 0.0, 0},                  // 0
    {94, 54, 1300.4799583846413, 0},    // 1000
    {178, 41, 2600.9599167692827, 0},   // 2000
    {225, 68, 3901.4398751539243, 0},   // 3000
    {247, 95, 5201.919833538565, 0},    // 4000
    {256, 119, 6502.399791923207, 0},   // 5000
    {257, 136, 7802.879750307849, 0},   // 6000
    {257, 136, 9103.35970869249, 0},    // 7000 (stop)
};

} // namespace gauge
