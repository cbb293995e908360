// Small text helpers for the files the host reads (panel files, aircraft.cfg) and
// their names, which compare without regard to case as on Windows.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace panelhost {

inline std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
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

} // namespace panelhost
