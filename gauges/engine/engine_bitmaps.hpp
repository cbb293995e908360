// The bitmaps of the engine instruments, the fuel gauges and the flaps and gear
// indicator, read by their records, their artwork and the module's resource checks.
// Pivots are the points of a needle's bitmap that sit on the needle's pivot.
#pragma once

#include "bitmap_table.hpp"

namespace gauge::engine_bitmaps {
// The long needle of the 300 x 300 dials, and the dials that carry it alone.
inline constexpr Point long_needle_pivot{0, 10};
constexpr Bitmap long_needle(uint32_t number) { return {number, 115, 20, long_needle_pivot}; }
constexpr Bitmap dial_face(uint32_t number) { return {number, 300, 300}; }

inline constexpr DialBitmaps itt{dial_face(1440), long_needle(1450), dial_face(1460)};
inline constexpr DialBitmaps torque{dial_face(1470), long_needle(1480), dial_face(1490)};
inline constexpr DialBitmaps propeller{dial_face(2260), long_needle(2270), dial_face(2280)};
inline constexpr DialBitmaps fuel_flow{dial_face(2330), long_needle(2340), dial_face(2350)};
inline constexpr DialBitmaps hydraulic{dial_face(2390), long_needle(2400), dial_face(2410)};

// The gas generator dial: the long needle over the main scale, a short one over the
// units dial.
inline constexpr DialBitmaps gas_generator{dial_face(2290), long_needle(2310), dial_face(2320)};
inline constexpr Bitmap gas_generator_units_needle{2300, 64, 14, {31, 7}};

// Oil temperature and pressure: one needle bitmap for both scales, each needle with its
// own pivot point.
inline constexpr Bitmap oil_face = dial_face(2360);
inline constexpr Bitmap oil_needle{2370, 101, 16};
inline constexpr Point oil_pressure_needle_pivot{5, 8};
inline constexpr Point oil_temperature_needle_pivot{0, 8};
inline constexpr Bitmap oil_cover = dial_face(2380);
} // namespace gauge::engine_bitmaps

namespace gauge::fuel_bitmaps {
inline constexpr Bitmap aux_face{3170, 300, 300};
inline constexpr Bitmap main_face{3180, 300, 300};
inline constexpr Bitmap needle{3190, 145, 14, {36, 7}};
inline constexpr Bitmap cover{3200, 300, 300};

inline constexpr Bitmap all[] = {aux_face, main_face, needle, cover};
} // namespace gauge::fuel_bitmaps

namespace gauge::flaps_gear_bitmaps {
inline constexpr Bitmap face{1320, 154, 154};
inline constexpr Bitmap flap_pointer{1330, 37, 11, {6, 6}};
// A gear window's icons: hatched (no supply), up, down.
inline constexpr Bitmap gear_hatched{1340, 18, 18};
inline constexpr Bitmap gear_up{1341, 18, 18};
inline constexpr Bitmap gear_down{1342, 18, 18};
inline constexpr Bitmap off_flag{1350, 16, 25};
inline constexpr Bitmap cover{1360, 154, 154};

// clang-format off
inline constexpr Bitmap all[] = {
    face, flap_pointer, gear_hatched, gear_up, gear_down, off_flag, cover};
// clang-format on
} // namespace gauge::flaps_gear_bitmaps
