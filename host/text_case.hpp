// Small text helpers for the files the host reads (panel files, aircraft.cfg) and
// their names, which compare without regard to case as on Windows.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace panelhost {

inline std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

inline std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Without the blanks (spaces, tabs, line ends) at either end.
inline std::string trim(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return std::string(text.substr(begin, end - begin));
}

// The fields of a line of comma-separated values: split at the first
// `max_fields - 1` commas, so that the last field keeps any further commas.
inline std::vector<std::string_view> comma_fields(std::string_view text, size_t max_fields) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (fields.size() + 1 < max_fields) {
        size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) break;
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

} // namespace panelhost
