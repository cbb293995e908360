// The needle tables of the engine-selectable gauges and the flaps and gear
// indicator, shared by the gauges and their artwork. Each row is the point on the
// face the needle aims at for a value; a pair of rows on one point at an end is a
// stop. Between rows the needle turns clockwise.
#pragma once

#include "gauge_abi.h"

namespace gauge {

// Temperatures are in degrees Rankine: 491.67 + 1.8 x degrees C.
// Pressures are in pounds per square foot: 144 x psi.

// Interstage turbine temperature (Rankine); face graduated in degrees C x 100.
inline constexpr NeedleRow itt_table[] = {
    {51, 209, 491.67, 0},   {38, 174, 851.67, 0},   {37, 129, 1031.67, 0},  {52, 93, 1211.67, 0},
    {92, 48, 1391.67, 0},   {189, 41, 1571.67, 0},  {252, 113, 1751.67, 0}, {245, 202, 1931.67, 0},
    {219, 234, 2021.67, 0}, {208, 252, 2111.67, 0}, {170, 257, 2291.67, 0}, {96, 250, 2651.67, 0},
    {96, 250, 3191.67, 0}, // stop
};
// The dial marks of the ITT rows, degrees C x 100 (the last row is the stop).
inline constexpr double itt_marks[] = {0, 2, 3, 4, 5, 6, 7, 8, 8.5, 9, 10, 12};

// Torque (foot-pounds, the value of torque_needle_value); marks 0, 20 and 50 x 100.
inline constexpr NeedleRow torque_table[] = {
    {35, 151, -1, 0}, {35, 151, 0, 0}, {113, 39, 2000, 0}, {115, 257, 5000, 0}, {115, 257, 6000, 0},
};

// Propeller: a fraction in which 1.0 is the 17.5 mark (RPM x 100).
inline constexpr NeedleRow propeller_table[] = {
    {51, 210, 0, 0},
    {262, 146, 1.0, 0},
    {252, 207, 1.14286, 0},
};
inline constexpr double propeller_rpm_at_one = 1750; // RPM the value 1.0 stands for

// Gas generator units dial (percent): 0 straight up, 5 straight down, 36 degrees
// per percent on and on.
inline constexpr NeedleRow gas_generator_units_table[] = {
    {90, 50, 0, 0},
    {90, 120, 5, 0},
};
// Gas generator main scale (percent): 0 at the top, 100 at the left.
inline constexpr NeedleRow gas_generator_table[] = {
    {149, 35, 0, 0},
    {32, 151, 100, 0},
    {42, 120, 106, 0},
    {42, 120, 110, 0},
};

// Fuel flow (pounds per hour); face graduated in lb/h x 100.
inline constexpr NeedleRow fuel_flow_table[] = {
    {63, 224, -1, 0}, {63, 224, 0, 0}, {151, 44, 500, 0}, {241, 225, 1000, 0}, {241, 225, 1500, 0},
};

// Oil pressure (pounds per square foot); left scale 0 to 150 psi.
inline constexpr NeedleRow oil_pressure_table[] = {
    {75, 222, -144, 0},
    {75, 222, 0, 0},
    {57, 91, 21600, 0},
    {57, 91, 28800, 0},
};

// Oil temperature (Rankine); right scale -50 to 150 degrees C. Stored from the
// highest value down: the needle turns clockwise towards lower temperatures.
inline constexpr NeedleRow oil_temperature_table[] = {
    {212, 70, 851.67, 0}, // stop
    {212, 70, 761.67, 0},  {253, 117, 671.67, 0}, {263, 164, 581.67, 0},
    {246, 213, 491.67, 0}, {211, 235, 401.67, 0}, {211, 235, 383.67, 0}, // stop
};

// Hydraulic pressure (pounds per square foot); face graduated in psi x 100.
inline constexpr NeedleRow hydraulic_table[] = {
    {60, 200, -1, 0},      {60, 200, 0, 0},       {255, 150, 216000, 0},
    {233, 225, 259200, 0}, {233, 225, 288000, 0},
};

// Flap pointer (flap position 0 up to 16380 down), about the pivot (69,29).
inline constexpr NeedleRow flap_table[] = {
    {101, 29, 0, 0},
    {98, 48, 5460, 0},
    {84, 61, 10920, 0},
    {64, 65, 16380, 0},
};

} // namespace gauge
