// Options in a gauge's parameter string, the text that follows the gauge's place in
// the panel configuration.
//
// An option is a key (one lower-case letter, or a digit for the engine instruments)
// followed directly by its value, which runs to the end of the string: a value is
// read from its start, so whatever follows a number or name does no harm. The first
// "/", "#" or "'" in a string begins a comment that runs to its end.
//
// Every function here takes possibly absent (null) texts and never reads past a
// text's terminating zero.
#pragma once

#include <cstdint>

namespace gauge {

// The first occurrence of `key` in `text` (a plain substring search, so a key inside
// another word counts), or null when there is none or when a comment mark comes
// before it. An absent or empty key is never found. To find a repeated option, search
// again in the text after the previous key.
const char* find_option(const char* text, const char* key);
char* find_option(char* text, const char* key);

// The value text of option `key`: the character after the key, or null.
const char* option_value(const char* text, const char* key);

// Reads an integer as `atoi` does: white space skipped, an optional sign, then digits
// up to the first non-digit; no digits give 0. Unlike `atoi`, a value beyond the
// 32-bit range saturates at INT32_MIN or INT32_MAX instead of being undefined.
int32_t read_integer(const char* text);

// A panel window from a name of the window table (the text begins with it) or else
// from the text's integer value: an unknown name reads as 0, the main panel. Absent
// or empty text gives -1, which callers skip.
int32_t parse_window_number(const char* text);

// A host help-text number from a name of the help table, or else the text's integer
// value when it is at least 0xA000; otherwise 0.
uint32_t parse_help_id(const char* text);

// Window numbers of the host's panel windows, by the names panels use.
struct NamedNumber {
    const char* name;
    uint32_t number;
};

// In the order they are tested: "ANNUNCIATOR_PANEL" comes before "ANNUNCIATOR2_PANEL",
// which it is not a prefix of.
inline constexpr NamedNumber window_names[] = {
    {"MAIN_PANEL", 0},          {"RADIO_STACK_PANEL", 50},    {"COMPASS_PANEL", 75},
    {"ANNUNCIATOR_PANEL", 125}, {"ANNUNCIATOR2_PANEL", 150},  {"COLLECTIVE_PANEL", 200},
    {"THROTTLE_PANEL", 10},     {"MINI_CONTROLS_PANEL", 100}, {"IFR_MAIN_PANEL", 175},
    {"GPS_PANEL", 225},         {"OVERHEAD_PANEL", 250},
};

inline constexpr NamedNumber help_names[] = {
    {"TOGGLE_RADIO_WINDOW", 0xAB86},    {"TOGGLE_GPS_WINDOW", 0xAB87},
    {"TOGGLE_THROTTLE_WINDOW", 0xAB88}, {"TOGGLE_COMPASS_WINDOW", 0xAB89},
    {"TOGGLE_FUEL_WINDOW", 0xAB8A},     {"TOGGLE_COLLECTIVE_WINDOW", 0xAB8B},
};

// Help ids given as numbers must be at least this.
inline constexpr int32_t lowest_numbered_help_id = 0xA000;

} // namespace gauge
