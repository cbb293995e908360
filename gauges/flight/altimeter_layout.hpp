// The altimeter's numbers that its records and its artwork share: the drums with
// their places, variables and cycles, and the two needle tables. The face is drawn
// around the drum windows and graduated from the pointer table, so the artwork
// always fits the records.
#pragma once

#include "flight/flight_bitmaps.hpp"
#include "gauge_abi.h"
#include "simulator_numbers.h"

#include <cstdint>

namespace gauge::altimeter {

// A drum: its strip, the window's top-left corner on the face, the variable it
// counts and its cycle S (the value over which it shows all ten cells).
struct Drum {
    Bitmap strip;
    int32_t x;
    int32_t y;
    uint32_t variable;
    double cycle;
};

// In drawing order: the inches-of-mercury window from its hundredths drum, the
// millibar window from its units drum, then the altitude counter from the tens.
inline constexpr Drum drums[12] = {
    {altimeter_bitmaps::pressure_strip, 204, 179, VAR_KOHLSMAN_SETTING_HG, 0.1},
    {altimeter_bitmaps::pressure_strip, 193, 179, VAR_KOHLSMAN_SETTING_HG, 1},
    {altimeter_bitmaps::pressure_strip, 182, 179, VAR_KOHLSMAN_SETTING_HG, 10},
    {altimeter_bitmaps::pressure_strip, 171, 179, VAR_KOHLSMAN_SETTING_HG, 100},
    {altimeter_bitmaps::pressure_strip, 118, 179, VAR_KOHLSMAN_SETTING_MB, 10},
    {altimeter_bitmaps::pressure_strip, 107, 179, VAR_KOHLSMAN_SETTING_MB, 100},
    {altimeter_bitmaps::pressure_strip, 96, 179, VAR_KOHLSMAN_SETTING_MB, 1000},
    {altimeter_bitmaps::pressure_strip, 85, 179, VAR_KOHLSMAN_SETTING_MB, 10000},
    {altimeter_bitmaps::tens_strip, 163, 96, VAR_INDICATED_ALTITUDE, 100},
    {altimeter_bitmaps::digit_strip, 141, 96, VAR_INDICATED_ALTITUDE, 1000},
    {altimeter_bitmaps::digit_strip, 114, 96, VAR_INDICATED_ALTITUDE, 10000},
    {altimeter_bitmaps::leading_strip, 92, 96, VAR_INDICATED_ALTITUDE, 100000},
};
inline constexpr size_t first_altitude_drum = 8;

// Where the hatched cover over the thousands drum and the striped flag stand.
inline constexpr int32_t hatch_x = 114, hatch_y = 96;
inline constexpr int32_t flag_x = 99, flag_y = 102;

// The pointer turns about the face's pivot: 0 up, 500 down, one turn per 1000 feet.
inline constexpr int32_t pivot_x = 151, pivot_y = 150;
inline constexpr NeedleRow pointer_table[] = {{151, 70, 0, 0}, {151, 230, 500, 0}};

// The setting knob: 1013 millibars points right, 1070 left.
inline constexpr int32_t knob_x = 261, knob_y = 253;
inline constexpr NeedleRow knob_table[] = {{290, 253, 1013, 0}, {232, 253, 1070, 0}};

} // namespace gauge::altimeter
