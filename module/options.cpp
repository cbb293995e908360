#include "options.hpp"

#include <cstring>
#include <limits>

namespace gauge {
namespace {

constexpr const char* comment_marks = "/#'";

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool begins_with(const char* text, const char* name) {
    return std::strncmp(text, name, std::strlen(name)) == 0;
}

// The number of the first table name that `text` begins with, or null.
template <size_t Count>
const NamedNumber* named(const char* text, const NamedNumber (&table)[Count]) {
    for (const NamedNumber& entry : table)
        if (begins_with(text, entry.name)) return &entry;
    return nullptr;
}

} // namespace

const char* find_option(const char* text, const char* key) {
    if (!text || !key || !*key) return nullptr;
    const char* found = std::strstr(text, key);
    if (!found) return nullptr;
    // A comment mark anywhere before the key hides it.
    size_t before = size_t(found - text);
    if (std::strcspn(text, comment_marks) < before) return nullptr;
    return found;
}

char* find_option(char* text, const char* key) {
    return const_cast<char*>(find_option(static_cast<const char*>(text), key));
}

const char* option_value(const char* text, const char* key) {
    const char* found = find_option(text, key);
    return found ? found + std::strlen(key) : nullptr;
}

int32_t read_integer(const char* text) {
    if (!text) return 0;
    while (is_space(*text))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    // Accumulate the magnitude, holding it at the largest one a 32-bit value can take.
    constexpr int64_t largest = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; is_digit(*text); ++text)
        if (magnitude < largest) magnitude = magnitude * 10 + (*text - '0');
    if (negative)
        return magnitude >= largest ? std::numeric_limits<int32_t>::min() : int32_t(-magnitude);
    return magnitude >= largest ? std::numeric_limits<int32_t>::max() : int32_t(magnitude);
}

int32_t parse_window_number(const char* text) {
    if (!text || !*text) return -1;
    if (const NamedNumber* window = named(text, window_names)) return int32_t(window->number);
    return read_integer(text);
}

uint32_t parse_help_id(const char* text) {
    if (!text || !*text) return 0;
    if (const NamedNumber* help = named(text, help_names)) return help->number;
    int32_t number = read_integer(text);
    return number >= lowest_numbered_help_id ? uint32_t(number) : 0;
}

} // namespace gauge
