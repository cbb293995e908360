// The numbers the Harrow airspeed indicator and its artwork share: bitmaps, pivot
// and needle table. The module publishes the table and the artwork graduates the
// face from it, so the needle points at the figure its value stands for.
#pragma once

#include "bitmap_table.hpp"
#include "gauge_abi.h"

namespace harrow {

// Bitmaps: the face, and the needle drawn pointing right from its pivot point.
inline constexpr gauge::Bitmap face_bitmap{4096, 302, 302};
inline constexpr gauge::Bitmap needle_bitmap{4608, 152, 17, {32, 8}};

// The needle turns about this point of the face (design pixels).
inline constexpr int32_t pivot_x = 151;
inline constexpr int32_t pivot_y = 142;

// VAR_AIRSPEED (indicated airspeed, knots), turning clockwise from straight up:
// 0 knots points up, the scale runs from 40 just right of the top round to 300 just
// left of it.
inline constexpr NeedleRow speed_table[] = {
    {151, 24, 0, 0},    // row 0: straight up
    {184, 27, 40, 0},   // row 1
    {220, 41, 60, 0},   // row 2
    {260, 82, 80, 0},   // row 3
    {276, 146, 100, 0}, // row 4
    {254, 213, 120, 0}, // row 5
    {196, 262, 140, 0}, // row 6
    {117, 265, 160, 0}, // row 7
    {53, 224, 180, 0},  // row 8
    {24, 158, 200, 0},  // row 9
    {46, 74, 250, 0},   // row 10
    {115, 27, 300, 0},  // row 11
};

// The needle's value callback holds the speed here.
inline constexpr double speed_limit = 300.0;

} // namespace harrow
