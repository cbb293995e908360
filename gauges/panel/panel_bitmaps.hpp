// The bitmaps of the panel toggle buttons and the registration plate, shared by the
// gauges' records and the artwork.
#pragma once

#include <cstdint>

namespace gauge::panel_bitmaps {

// Toggle button faces, 19 x 19 pixels except the map's.
inline constexpr uint32_t kneeboard_face = 70;
inline constexpr uint32_t map_face = 80; // 12 x 12 pixels
inline constexpr uint32_t atc_face = 90;
inline constexpr uint32_t radios_face = 100;
inline constexpr uint32_t gps_face = 110;
inline constexpr uint32_t throttle_face = 120;
inline constexpr uint32_t compass_face = 130;
inline constexpr uint32_t close_face = 140;
inline constexpr uint32_t blank_face = 150; // entirely black: nothing of its own shows
inline constexpr uint32_t window_face = 160; // no gauge shows it unless chosen with "b"
inline constexpr uint32_t overhead_face = 170;
inline constexpr uint32_t landing_view_face = 180;
inline constexpr uint32_t electricity_face = 190;
inline constexpr uint32_t engine_instruments_face = 200;

inline constexpr int face_size = 19;
inline constexpr int map_face_size = 12;

// The faces a parameter string may choose: 100 to 200 in steps of 10.
inline constexpr uint32_t first_selectable_face = 100;
inline constexpr uint32_t last_selectable_face = 200;
inline constexpr uint32_t selectable_face_step = 10;

// The registration plate: entirely black, so only its text shows.
inline constexpr uint32_t registration_plate = 60;
inline constexpr int plate_width = 150;
inline constexpr int plate_height = 25;

} // namespace gauge::panel_bitmaps
