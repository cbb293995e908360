// The bitmaps of the navigation instruments, read by their records, their artwork and
// the module's resource checks. Pivots are the points of a needle's bitmap that sit on
// the needle's pivot.
#pragma once

#include "bitmap_table.hpp"

namespace gauge::hsi_bitmaps {
inline constexpr Bitmap face{1050, 300, 300};
inline constexpr Bitmap card{1060, 206, 206, {103, 103}};
inline constexpr Bitmap to_from{1070, 22, 64, {11, 32}};
inline constexpr Bitmap heading_bug{1080, 20, 9, {10, 103}}; // rides on the card's rim
inline constexpr Bitmap course_pointer{1090, 206, 206, {103, 103}};
inline constexpr Bitmap deviation_bar{1100, 206, 206};
inline constexpr Bitmap deviation_bar_window{1101, 206, 206};
inline constexpr Bitmap vert_flag{1110, 31, 79};
inline constexpr Bitmap glideslope_pointer{1120, 14, 12};
inline constexpr Bitmap nav_flag{1130, 62, 158};
inline constexpr Bitmap heading_knob{1140, 48, 48, {24, 24}};
inline constexpr Bitmap marks{1150, 245, 230};
inline constexpr Bitmap bezel{1160, 300, 300};
inline constexpr Bitmap course_knob{1170, 48, 48, {24, 24}};
inline constexpr Bitmap hdg_flag{1180, 57, 30};

// clang-format off
inline constexpr Bitmap all[] = {
    face, card, to_from, heading_bug, course_pointer, deviation_bar, deviation_bar_window,
    vert_flag, glideslope_pointer, nav_flag, heading_knob, marks, bezel, course_knob, hdg_flag};
// clang-format on
} // namespace gauge::hsi_bitmaps

namespace gauge::dme_bitmaps {
inline constexpr Bitmap face{1190, 166, 67};
inline constexpr Bitmap knob_off{1200, 34, 26}; // the knob's icons: OFF, N1, N2
inline constexpr Bitmap knob_nav1{1201, 34, 26};
inline constexpr Bitmap knob_nav2{1202, 34, 26};
inline constexpr Bitmap display_cover{1210, 151, 24}; // over the whole display

inline constexpr Bitmap all[] = {face, knob_off, knob_nav1, knob_nav2, display_cover};
} // namespace gauge::dme_bitmaps

namespace gauge::rmi_bitmaps {
inline constexpr Bitmap face{1370, 300, 300};
inline constexpr Bitmap card{1380, 230, 230};
inline constexpr Bitmap card_window{1381, 230, 230};
inline constexpr Bitmap right_selector_vor{1390, 59, 59}; // each selector's icons: VOR, ADF
inline constexpr Bitmap right_selector_adf{1391, 59, 59};
inline constexpr Bitmap left_selector_vor{1400, 59, 59};
inline constexpr Bitmap left_selector_adf{1401, 59, 59};
inline constexpr Bitmap double_bar{1410, 170, 28, {85, 14}};
inline constexpr Bitmap single_bar{1420, 174, 18, {87, 9}};
inline constexpr Bitmap overlay{1430, 300, 300};

// clang-format off
inline constexpr Bitmap all[] = {
    face, card, card_window, right_selector_vor, right_selector_adf, left_selector_vor,
    left_selector_adf, double_bar, single_bar, overlay};
// clang-format on
} // namespace gauge::rmi_bitmaps

namespace gauge::vor_bitmaps {
inline constexpr Bitmap obs_knob{3000, 60, 60, {30, 30}};
inline constexpr Bitmap marker_o{3010, 29, 29};
inline constexpr Bitmap marker_m{3020, 29, 29};
inline constexpr Bitmap marker_a{3030, 29, 29};
inline constexpr Bitmap bezel{3040, 300, 300};
inline constexpr Bitmap glideslope_bar{3050, 154, 2};
inline constexpr Bitmap course_bar{3060, 2, 154};
inline constexpr Bitmap gs_flag{3070, 15, 40};
inline constexpr Bitmap nav_flag{3080, 42, 19};
inline constexpr Bitmap to_arrow{3090, 20, 10};
inline constexpr Bitmap from_arrow{3100, 20, 10};
inline constexpr Bitmap card{3120, 240, 240};
inline constexpr Bitmap card_window{3121, 240, 240};
inline constexpr Bitmap face{3130, 300, 300};

// clang-format off
inline constexpr Bitmap all[] = {
    obs_knob, marker_o, marker_m, marker_a, bezel, glideslope_bar, course_bar, gs_flag,
    nav_flag, to_arrow, from_arrow, card, card_window, face};
// clang-format on
} // namespace gauge::vor_bitmaps

namespace gauge::transponder_bitmaps {
inline constexpr Bitmap face{3210, 350, 115};
inline constexpr Bitmap window_backing{3220, 237, 19};
inline constexpr Bitmap reply_lamp{3230, 10, 10};
inline constexpr Bitmap on_face_unlit{3240, 25, 19};
inline constexpr Bitmap on_face_lit{3250, 25, 19};
inline constexpr Bitmap ident_face{3260, 25, 19};
inline constexpr Bitmap vfr_face{3270, 25, 19};
inline constexpr Bitmap lit_strip{3280, 134, 19};

// clang-format off
inline constexpr Bitmap all[] = {
    face, window_backing, reply_lamp, on_face_unlit, on_face_lit, ident_face, vfr_face,
    lit_strip};
// clang-format on
} // namespace gauge::transponder_bitmaps
