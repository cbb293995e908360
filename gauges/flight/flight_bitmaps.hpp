// The bitmaps of the flight instruments, read by their records, their artwork and
// the module's resource checks. Pivots are the points of a needle's bitmap that sit on
// the needle's pivot.
#pragma once

#include "bitmap_table.hpp"

namespace gauge::airspeed_bitmaps {
inline constexpr DialBitmaps dial{
    .face = {1020, 300, 300}, .needle = {1030, 165, 22, {50, 11}}, .cover = {1040, 300, 300}};
} // namespace gauge::airspeed_bitmaps

namespace gauge::vertical_speed_bitmaps {
inline constexpr DialBitmaps dial{
    .face = {470, 300, 300}, .needle = {480, 165, 24, {54, 12}}, .cover = {490, 300, 300}};
} // namespace gauge::vertical_speed_bitmaps

namespace gauge::turn_coordinator_bitmaps {
inline constexpr Bitmap face{250, 300, 300};
inline constexpr Bitmap pointer{260, 220, 27, {24, 14}}; // the aeroplane
inline constexpr Bitmap ball{270, 35, 51};
inline constexpr Bitmap tube_lines{280, 56, 70};
inline constexpr Bitmap flag{290, 45, 45};
inline constexpr Bitmap cover{300, 300, 300};

inline constexpr Bitmap all[] = {face, pointer, ball, tube_lines, flag, cover};
} // namespace gauge::turn_coordinator_bitmaps

namespace gauge::altimeter_bitmaps {
inline constexpr Bitmap face{310, 300, 300};
inline constexpr Bitmap pointer{320, 130, 24, {12, 12}};
inline constexpr Bitmap cover{330, 300, 300};
// Drum strips of eleven cells, each seen through the window bitmap one number higher.
inline constexpr Bitmap pressure_strip{340, 11, 220}; // 0, 9 ... 1, 0 in 20-pixel cells
inline constexpr Bitmap pressure_window{341, 11, 20};
inline constexpr Bitmap tens_strip{350, 37, 330}; // 00, 90 ... 10, 00 in 30-pixel cells
inline constexpr Bitmap tens_window{351, 37, 30};
inline constexpr Bitmap digit_strip{360, 22, 330}; // 0, 9 ... 1, 0 in 30-pixel cells
inline constexpr Bitmap digit_window{361, 22, 30};
inline constexpr Bitmap hatch{370, 22, 30};          // over the thousands drum
inline constexpr Bitmap leading_strip{380, 22, 330}; // hatch, 9 ... 1, hatch in 30-pixel cells
inline constexpr Bitmap leading_window{381, 22, 30};
inline constexpr Bitmap flag{390, 102, 11};
inline constexpr Bitmap knob{400, 58, 58, {29, 29}};

// clang-format off
inline constexpr Bitmap all[] = {
    face, pointer, cover, pressure_strip, pressure_window, tens_strip, tens_window, digit_strip,
    digit_window, hatch, leading_strip, leading_window, flag, knob};
// clang-format on
} // namespace gauge::altimeter_bitmaps

namespace gauge::attitude_bitmaps {
inline constexpr Bitmap face{410, 300, 300};
inline constexpr Bitmap card{420, 256, 256}; // the horizon card
inline constexpr Bitmap card_window{421, 300, 242};
inline constexpr Bitmap ring{430, 274, 274}; // the bank ring
inline constexpr Bitmap ring_window{431, 300, 242};
inline constexpr Bitmap symbol{440, 139, 99}; // the aeroplane symbol
inline constexpr Bitmap cover{450, 300, 300};
inline constexpr Bitmap gyro_flag{460, 24, 96};

// clang-format off
inline constexpr Bitmap all[] = {
    face, card, card_window, ring, ring_window, symbol, cover, gyro_flag};
// clang-format on
} // namespace gauge::attitude_bitmaps

namespace gauge::compass_bitmaps {
inline constexpr Bitmap housing{1000, 111, 111};
inline constexpr Bitmap card{1010, 531, 82};
inline constexpr Bitmap card_mask{1011, 111, 111}; // the card's window

inline constexpr Bitmap all[] = {housing, card, card_mask};
} // namespace gauge::compass_bitmaps
