// The bitmaps of the panel toggle buttons and the registration plate, shared by the
// gauges' records and the artwork.
#pragma once

#include "bitmap_table.hpp"

namespace gauge::panel_bitmaps {

inline constexpr int face_size = 19;
inline constexpr int map_face_size = 12;

constexpr Bitmap toggle_face(uint32_t number) { return {number, face_size, face_size}; }

// Toggle button faces, 19 x 19 pixels except the map's.
inline constexpr Bitmap kneeboard_face = toggle_face(70);
inline constexpr Bitmap map_face{80, map_face_size, map_face_size};
inline constexpr Bitmap atc_face = toggle_face(90);
inline constexpr Bitmap radios_face = toggle_face(100);
inline constexpr Bitmap gps_face = toggle_face(110);
inline constexpr Bitmap throttle_face = toggle_face(120);
inline constexpr Bitmap compass_face = toggle_face(130);
inline constexpr Bitmap close_face = toggle_face(140);
inline constexpr Bitmap blank_face = toggle_face(150);  // entirely black: nothing of its own shows
inline constexpr Bitmap window_face = toggle_face(160); // no gauge shows it unless chosen with "b"
inline constexpr Bitmap overhead_face = toggle_face(170);
inline constexpr Bitmap landing_view_face = toggle_face(180);
inline constexpr Bitmap electricity_face = toggle_face(190);
inline constexpr Bitmap engine_instruments_face = toggle_face(200);

// The faces a parameter string may choose: 100 to 200 in steps of 10.
inline constexpr uint32_t first_selectable_face = 100;
inline constexpr uint32_t last_selectable_face = 200;
inline constexpr uint32_t selectable_face_step = 10;

// The registration plate: entirely black, so only its text shows.
inline constexpr Bitmap registration_plate{60, 150, 25};

// clang-format off
inline constexpr Bitmap all[] = {
    registration_plate, kneeboard_face, map_face, atc_face, radios_face, gps_face,
    throttle_face, compass_face, close_face, blank_face, window_face, overhead_face,
    landing_view_face, electricity_face, engine_instruments_face};
// clang-format on

} // namespace gauge::panel_bitmaps
