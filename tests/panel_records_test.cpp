// The toggle buttons' and the registration plate's records read back word by word,
// as a host reads the 32-bit format; every word the format does not list is zero.
#include "chain_words.hpp"
#include "gauge_abi.h"
#include "module_library.hpp"
#include "record_words.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace panelhost;

namespace {

struct Toggle {
    uint32_t face;
    uint32_t help_id;
    std::string tooltip;
    uint32_t key_event; // 0: the shared callbacks
};

const std::map<std::string, Toggle> toggles = {
    {"ATC_Toggle", {90, 0xAB94, "", KEY_ATC_WINDOW}},
    {"Kneeboard_Toggle", {70, 0xAB93, "", KEY_KNEEBOARD_WINDOW}},
    {"Map_Toggle", {80, 0xAB8F, "", KEY_MAP_WINDOW}},
    {"Invisible_Toggle", {150, 0, "", 0}},
    {"Radios_Toggle", {100, 0xAB86, "", 0}},
    {"GPS_Toggle", {110, 0xAB87, "", 0}},
    {"Throttle_Toggle", {120, 0xAB88, "", 0}},
    {"Compass_Toggle", {130, 0xAB89, "", 0}},
    {"Close_Subpanel", {140, 0, "Close subpanel window", 0}},
    {"Landing_View_Toggle", {180, 0, "Switch normal view / landing view", 0}},
    {"Electricity_Toggle", {190, 0, "Display/Hide electricity subpanel", 0}},
    {"Overhead_Toggle", {170, 0xAB95, "", 0}},
    {"Engine_Instr_Toggle", {200, 0, "", 0}},
};

const std::vector<std::string> published_first = {
    "Registration",     "ATC_Toggle",         "Kneeboard_Toggle",    "Map_Toggle",
    "Invisible_Toggle", "Radios_Toggle",      "GPS_Toggle",          "Throttle_Toggle",
    "Compass_Toggle",   "Close_Subpanel",     "Landing_View_Toggle", "Electricity_Toggle",
    "Overhead_Toggle",  "Engine_Instr_Toggle"};

class PanelRecords : public MarlowWordsTest<> {};

#if GAUGE_ABI_32BIT

using namespace chain_words;

// A toggle's mouse list: the whole gauge with its help id, its tooltip if it has
// one, and the click area in the middle (hand cursor, left button) that sends the
// toggle's key event or, with none, calls the shared callback.
std::vector<Mouse> toggle_mouse(const Toggle& toggle) {
    std::vector<Mouse> list = {whole_gauge(toggle.help_id)};
    if (!toggle.tooltip.empty()) list.push_back(tooltip(toggle.tooltip));
    list.push_back({2, 3, 3, 13, 13, 5, 0, 0x20000000, toggle.key_event, toggle.key_event == 0});
    list.insert(list.end(), {area_end, list_end});
    return list;
}

// The registration number over the plate: seven characters of "Arial", white with a
// grey highlight, centred in a 150 x 25 box.
Element registration_text() {
    Element text = display_text(0, 0, 0x3, {}, 150, 25, 7, 0xFFFFFF, 0x5C5C5C, {});
    text.words[62] = 0x61697241; // "Aria"
    text.words[63] = 0x6C;       // "l", the rest of the 32-byte name zero
    return text;
}

#endif // GAUGE_ABI_32BIT

TEST_F(PanelRecords, TheyArePublishedFirstInRegistryOrder) {
#if GAUGE_ABI_32BIT
    for (size_t i = 0; i < published_first.size(); ++i) {
        ASSERT_NE(linkage[6 + i], 0u);
        EXPECT_EQ(string_at(words(linkage[6 + i])[1]), published_first[i]);
    }
#endif
}

TEST_F(PanelRecords, ToggleButtons) {
#if GAUGE_ABI_32BIT
    uint32_t shared_gauge_callback = 0, shared_mouse_callback = 0;
    size_t seen = 0;
    for (size_t i = 0; linkage[6 + i] != 0; ++i) {
        Words header = words(linkage[6 + i]);
        std::string name = string_at(header[1]);
        auto found = toggles.find(name);
        if (found == toggles.end()) continue;
        ++seen;
        const Toggle& want = found->second;
        SCOPED_TRACE(name);
        const bool configurable = want.key_event == 0;

        const std::vector<Mouse> mouse = toggle_mouse(want);
        expect_gauge(header, {19, configurable, {static_image(want.face, 0, 0, 0x3)}, mouse}, name);
        Words click = words(header[20]) + 11 * (mouse.size() - 3);

        if (configurable) {
            if (!shared_gauge_callback) shared_gauge_callback = header[21];
            if (!shared_mouse_callback) shared_mouse_callback = click[9];
            EXPECT_EQ(header[21], shared_gauge_callback) << "one gauge callback for all ten";
            EXPECT_EQ(click[9], shared_mouse_callback) << "one mouse callback for all ten";
        }
    }
    EXPECT_EQ(seen, toggles.size());
#endif
}

TEST_F(PanelRecords, RegistrationPlate) {
#if GAUGE_ABI_32BIT
    Words header = words(linkage[6]);
    ASSERT_EQ(string_at(header[1]), "Registration");
    expect_gauge(header,
                 {150,
                  true,
                  {static_image(60, 0, 0, 0x3), registration_text()},
                  {whole_gauge(), tooltip("Registration number"), area_end, list_end}},
                 "Registration");
#endif
}

} // namespace
