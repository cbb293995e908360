// The navigation displays' arithmetic, free of element records and host calls so
// that it can be checked on its own: deviation-bar smoothing, knob steps, the
// transponder's code and flight level, and the DME's texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace gauge::nav {

// A deviation bar moves this fraction of the way to its new deviation each update
// (a first-order lag of three updates: keep = e^(-1/3)).
inline constexpr double bar_keep = 0.7165313105737893;
inline constexpr double bar_follow = 0.28346868942621073;

// The bar's next value: follows the deviation while powered, snaps to 0 when not.
double smoothed_bar(double previous, double deviation, bool powered);

// A course or heading knob: a left click steps 1 degree, a right click 10, both
// wrapping round 0/359. The value is truncated to whole degrees first (and brought
// into 0..359, so that an odd host value never sends a course outside the dial).
// Nothing when neither button is in the flags; the left button wins over the right.
enum class KnobTurn { Down, Up };
std::optional<uint32_t> knob_step(double degrees, uint32_t mouse_flags, KnobTurn turn);

// The squawk code from its four binary-coded-decimal digits (thousands in bits
// 12-15). Digits are not validated: a nibble of 8 or more adds in unchanged.
double decode_bcd_code(uint32_t code);

// The flight level: the pressure altitude rounded half up to hundreds of feet.
// A value that is not a finite number counts as 0 (the host left it unset).
double flight_level(double pressure_altitude_feet);

// Texts, written with the buffer's size so that they never overrun it: the buffer
// holds `size` bytes, the text at most size - 1 characters and is cut there.
void write_code_text(char* text, size_t size, double code);          // "%0004.0f"
void write_flight_level_text(char* text, size_t size, double level); // "%003.0f"

// Whether the DME shows its numbers: a distance of 0 or more, and the receiver the
// knob selects (mode 1 NAV1, mode 2 NAV2) switched on. Mode 0 passes (the cover
// hides the display).
bool dme_signal_shown(double distance, uint32_t mode, bool nav1_on, bool nav2_on);

void write_dme_distance(char* text, size_t size, double miles, bool shown);
void write_dme_speed(char* text, size_t size, double knots, bool shown);
void write_dme_time(char* text, size_t size, double minutes, bool shown);

} // namespace gauge::nav
