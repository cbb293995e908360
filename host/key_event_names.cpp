#include "key_event_names.hpp"

#include "simulator_numbers.h"

#include <charconv>
#include <cstdio>
#include <map>

namespace panelhost {
namespace {

struct NamedEvent {
    uint32_t event;
    const char* name;
};

// In the order the panel groups them.
#define KEY_EVENT_NAMED(name, id) {id, #name},
constexpr NamedEvent named_events[] = {SIMULATOR_KEY_EVENTS(KEY_EVENT_NAMED)};
#undef KEY_EVENT_NAMED

const std::map<uint32_t, std::string>& names_by_event() {
    static const std::map<uint32_t, std::string> names = [] {
        std::map<uint32_t, std::string> all;
        for (const NamedEvent& named : named_events)
            all[named.event] = named.name;
        return all;
    }();
    return names;
}

std::optional<uint32_t> parse_number(const std::string& text) {
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    uint32_t number = 0;
    auto [stop, error] = std::from_chars(begin, end, number, hex ? 16 : 10);
    if (error != std::errc() || stop != end || begin == end) return std::nullopt;
    return number;
}

} // namespace

std::string key_event_name(uint32_t event) {
    const auto& names = names_by_event();
    if (auto it = names.find(event); it != names.end()) return it->second;
    char text[24];
    std::snprintf(text, sizeof text, "KEY_0x%X", event);
    return text;
}

std::vector<std::string> known_key_event_names() {
    std::vector<std::string> names;
    for (const NamedEvent& named : named_events)
        names.push_back(named.name);
    return names;
}

std::optional<uint32_t> key_event_number(const std::string& name) {
    for (const NamedEvent& named : named_events)
        if (name == named.name) return named.event;
    if (name.rfind("KEY_", 0) == 0) return parse_number(name.substr(4));
    return parse_number(name);
}

} // namespace panelhost
