// The attitude indicator's numbers that its records and its artwork share.
#pragma once

#include <cstdint>

namespace gauge::attitude {

// The horizon card: shifted by pitch in its own frame, squeezed vertically by its
// texture scale, turned about the face point (150,150) by bank.
inline constexpr int32_t card_centre_x = 150, card_centre_y = 150;
inline constexpr double card_pixels_per_degree = 1.25;
inline constexpr float card_texture_scale_y = 0.9f;
inline constexpr double pitch_limit = 40.0;

// The bank ring turns about (149,148) by bank, without shifting.
inline constexpr int32_t ring_centre_x = 149, ring_centre_y = 148;

// Both windows are drawn at (1,2).
inline constexpr int32_t window_x = 1, window_y = 2;

// The aircraft symbol slides vertically; its wings are level with the card's
// centre when the symbol height is 0.
inline constexpr int32_t symbol_x = 79, symbol_y = 141;
inline constexpr double symbol_pixels_per_unit = -0.4;

inline constexpr int32_t gyro_flag_x = 44, gyro_flag_y = 44;

} // namespace gauge::attitude
