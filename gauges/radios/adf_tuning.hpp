// The ADF head's own arithmetic, kept apart so that it reads as plain rules: the
// preset frequency is held in whole tenths of a kilohertz, so that thousands of knob
// steps never collect a rounding error.
#pragma once

#include "simulator_numbers.h"

#include <cstdint>

namespace gauge::adf {

constexpr int32_t lowest_preset = 2000;   // 200.0 kHz
constexpr int32_t highest_preset = 17999; // 1799.9 kHz

// Re-writes the digits of `value` in base `from` as digits of base `to`: with 10 and
// 16 it gives the BCD form (2003 gives 0x2003). Bases below 2 give 0.
constexpr uint32_t to_bcd(uint32_t value, uint32_t from, uint32_t to) {
    if (from < 2) return 0;
    uint32_t result = 0;
    uint32_t place = 1;
    for (; value != 0; value /= from) {
        result += (value % from) * place;
        place *= to;
    }
    return result;
}

// The host's active frequency: VAR_ADF_FREQUENCY holds hundreds, tens and units of
// kilohertz as BCD digits; VAR_ADF_FREQUENCY_TENTHS the tenths digit, plus 0x100 when
// the thousands digit is 1.
constexpr uint32_t active_khz(uint32_t digits, uint32_t tenths_word) {
    uint32_t thousands = tenths_word >= 0x100 ? 1 : 0;
    uint32_t h = digits / 256;
    uint32_t d = digits - 256 * h;
    uint32_t t = d / 16;
    uint32_t u = d - 16 * t;
    return 1000 * thousands + 100 * h + 10 * t + u;
}

constexpr uint32_t active_tenths(uint32_t tenths_word) {
    return tenths_word >= 256 ? tenths_word - 256 : tenths_word;
}

// The knob steps, each from a preset in tenths of a kilohertz; a step that is not
// allowed returns the preset unchanged.
constexpr int32_t khz_up(int32_t preset, bool left, bool right) {
    if (preset > 16980) return preset;
    if (left) return preset + 10;
    if (right) return preset + 1000;
    return preset;
}

constexpr int32_t khz_down(int32_t preset, bool left, bool right) {
    if (left) return preset >= 2010 ? preset - 10 : preset;
    if (right) return preset >= 3000 ? preset - 1000 : preset;
    return preset;
}

constexpr int32_t tenths_up(int32_t preset) { return preset <= 17998 ? preset + 1 : preset; }
constexpr int32_t tenths_down(int32_t preset) { return preset >= 2001 ? preset - 1 : preset; }

// The key event and value that make `preset` the host's active frequency.
struct ActiveSetting {
    uint32_t event;
    uint32_t value;
};

constexpr ActiveSetting setting_for(int32_t preset) {
    uint32_t n = uint32_t(preset);
    if (n >= 10000) return {KEY_ADF_FREQUENCY_HIGH_SET, to_bcd(n % 10000, 10, 16)};
    return {KEY_ADF_FREQUENCY_SET, to_bcd(n, 10, 16)};
}

static_assert(to_bcd(2003, 10, 16) == 0x2003);
static_assert(setting_for(12345).event == KEY_ADF_FREQUENCY_HIGH_SET &&
              setting_for(12345).value == 0x2345);
static_assert(active_khz(0x0234, 0x105) == 1234 && active_tenths(0x105) == 5);

} // namespace gauge::adf
