#include "nav/nav_logic.hpp"

#include "gauge_abi.h"

#include <cmath>
#include <cstdio>

namespace gauge::nav {
namespace {

// snprintf with a double, into a buffer that may be absent or empty.
void write_number(char* text, size_t size, const char* format, double value) {
    if (!text || size == 0) return;
    std::snprintf(text, size, format, value);
}

void write_text(char* text, size_t size, const char* words) {
    if (!text || size == 0) return;
    std::snprintf(text, size, "%s", words);
}

} // namespace

double smoothed_bar(double previous, double deviation, bool powered) {
    if (!powered) return 0;
    return bar_keep * previous + bar_follow * deviation;
}

std::optional<uint32_t> knob_step(double degrees, uint32_t mouse_flags, KnobTurn turn) {
    const bool left = mouse_flags & MOUSE_LEFT_BUTTON;
    const bool right = mouse_flags & MOUSE_RIGHT_BUTTON;
    if (!left && !right) return std::nullopt;
    double whole = std::isfinite(degrees) ? std::trunc(std::fmod(degrees, 360.0)) : 0;
    int c = static_cast<int>(whole);
    if (c < 0) c += 360;
    if (turn == KnobTurn::Down) {
        if (left)
            c = c > 0 ? c - 1 : 359;
        else
            c = c >= 10 ? c - 10 : c + 350;
    } else {
        if (left)
            c = c < 359 ? c + 1 : 0;
        else
            c = c <= 349 ? c + 10 : c - 350;
    }
    return static_cast<uint32_t>(c);
}

double decode_bcd_code(uint32_t v) {
    const uint32_t d1 = v / 4096;
    v -= 4096 * d1;
    const uint32_t d2 = v / 256;
    v -= 256 * d2;
    const uint32_t d3 = v / 16;
    const uint32_t d4 = v - 16 * d3;
    return 1000.0 * d1 + 100.0 * d2 + 10.0 * d3 + d4;
}

double flight_level(double a) {
    if (!std::isfinite(a)) a = 0;
    const double h = std::floor(a / 100);
    const double r = a - 100 * h;
    return r < 50 ? h : h + 1;
}

void write_code_text(char* text, size_t size, double code) {
    write_number(text, size, "%0004.0f", code);
}

void write_flight_level_text(char* text, size_t size, double level) {
    write_number(text, size, "%003.0f", level);
}

bool dme_signal_shown(double distance, uint32_t mode, bool nav1_on, bool nav2_on) {
    if (distance < 0) return false;
    if (mode == 1 && !nav1_on) return false;
    if (mode == 2 && !nav2_on) return false;
    return true;
}

void write_dme_distance(char* text, size_t size, double miles, bool shown) {
    if (!shown) return write_text(text, size, "----");
    write_number(text, size, miles < 100 ? "%-4.1f" : "%04.0f", miles);
}

void write_dme_speed(char* text, size_t size, double knots, bool shown) {
    if (!shown) return write_text(text, size, "----");
    write_number(text, size, "%03.0f", knots);
}

void write_dme_time(char* text, size_t size, double minutes, bool shown) {
    if (!shown) return write_text(text, size, "--");
    write_number(text, size, "%02.0f", minutes);
}

} // namespace gauge::nav
