#include "key_event_names.hpp"

#include <charconv>
#include <cstdio>
#include <map>

namespace panelhost {
namespace {

struct NamedEvent {
    uint32_t event;
    const char* name;
};

// Grouped as the panel groups them.
constexpr NamedEvent named_events[] = {
    // panel windows and views (toggle buttons)
    {0x1001C, "ATC_WINDOW"},
    {0x10154, "KNEEBOARD_WINDOW"},
    {0x10380, "MAP_WINDOW"},
    {0x103CA, "PANEL_WINDOW_TOGGLE"},
    {0x103CB, "PANEL_WINDOW_OPEN"},
    {0x103CC, "PANEL_WINDOW_CLOSE"},
    {0x10153, "VIEW_RESET"},
    {0x100C6, "VIEW_NEXT"},
    {0x100C7, "VIEW_PREVIOUS"},
    // COM transceiver
    {0x10064, "COM_WHOLE_DEC"},
    {0x10065, "COM_WHOLE_INC"},
    {0x10066, "COM_FRACTION_DEC"},
    {0x10067, "COM_FRACTION_INC"},
    {0x10344, "COM_STANDBY_SWAP"},
    // NAV receivers
    {0x10068, "NAV1_WHOLE_DEC"},
    {0x10069, "NAV1_WHOLE_INC"},
    {0x1006A, "NAV1_FRACTION_DEC"},
    {0x1006B, "NAV1_FRACTION_INC"},
    {0x10390, "NAV1_STANDBY_SWAP"},
    {0x1006C, "NAV2_WHOLE_DEC"},
    {0x1006D, "NAV2_WHOLE_INC"},
    {0x1006E, "NAV2_FRACTION_DEC"},
    {0x1006F, "NAV2_FRACTION_INC"},
    {0x10394, "NAV2_STANDBY_SWAP"},
    {0x1012D, "NAV1_IDENT_ON"},
    {0x10128, "NAV1_IDENT_OFF"},
    {0x1012E, "NAV2_IDENT_ON"},
    {0x10129, "NAV2_IDENT_OFF"},
    {0x100B4, "NAV1_COURSE_SET"},
    // ADF receiver
    {0x1024A, "ADF_FREQUENCY_SET"},
    {0x1024B, "ADF_FREQUENCY_HIGH_SET"},
    {0x10131, "ADF_IDENT_ON"},
    {0x1012C, "ADF_IDENT_OFF"},
    // transponder
    {0x10073, "XPDR_1000_INC"},
    {0x10074, "XPDR_100_INC"},
    {0x10075, "XPDR_10_INC"},
    {0x10076, "XPDR_1_INC"},
    {0x10397, "XPDR_1000_DEC"},
    {0x10398, "XPDR_100_DEC"},
    {0x10399, "XPDR_10_DEC"},
    {0x1039A, "XPDR_1_DEC"},
    {0x100B3, "XPDR_CODE_SET"},
    // DME and HSI
    {0x100FB, "DME_FROM_NAV1"},
    {0x100FC, "DME_FROM_NAV2"},
    {0x101FA, "HEADING_BUG_SET"},
    // flight instruments
    {0x1015B, "KOHLSMAN_INC"},
    {0x1015C, "KOHLSMAN_DEC"},
    {0x1030E, "ATTITUDE_SYMBOL_UP"},
    {0x1030F, "ATTITUDE_SYMBOL_DOWN"},
};

const std::map<uint32_t, std::string>& names_by_event() {
    static const std::map<uint32_t, std::string> names = [] {
        std::map<uint32_t, std::string> all;
        for (const NamedEvent& named : named_events) all[named.event] = named.name;
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
    for (const NamedEvent& named : named_events) names.push_back(named.name);
    return names;
}

std::optional<uint32_t> key_event_number(const std::string& name) {
    for (const NamedEvent& named : named_events)
        if (name == named.name) return named.event;
    if (name.rfind("KEY_", 0) == 0) return parse_number(name.substr(4));
    return parse_number(name);
}

} // namespace panelhost
