// The toggle buttons' and the registration plate's records read back word by word,
// as a host reads the 32-bit format; every word the format does not list is zero.
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

uint32_t word_of(const void* pointer) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

// A root static image with no children, at (0,0), image flags 0x3.
void expect_face(Words header, uint32_t bitmap, bool has_child, const std::string& what) {
    Words roots = words(header[2]);
    ASSERT_NE(roots, nullptr) << what;
    EXPECT_EQ(roots[1], 0u) << what << ": exactly one root";
    Words face = words(roots[0]);
    ASSERT_NE(face, nullptr) << what;
    EXPECT_EQ(face[0], 0u) << what << ": static image";
    EXPECT_EQ(face[1], bitmap) << what;
    EXPECT_EQ(face[8], word_of(header)) << what << ": owning header";
    EXPECT_EQ(face[12], 0x3u) << what;
    expect_unlisted_zero(face, 24, {1, 8, 10, 12}, what + " face");
    if (!has_child) {
        EXPECT_EQ(face[10], 0u) << what;
    }
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

        EXPECT_EQ(header[0], 0x320u);
        EXPECT_EQ(header[11], 19u);
        EXPECT_EQ(header[21] != 0, configurable) << "gauge callback";
        expect_unlisted_zero(header, 24, {0, 1, 2, 11, 20, 21}, "header");
        expect_face(header, want.face, false, name);

        Words area = words(header[20]);
        ASSERT_NE(area, nullptr);
        // The whole gauge, with its help id.
        EXPECT_EQ(area[0], 1u);
        EXPECT_EQ(static_cast<int32_t>(area[5]), -1);
        EXPECT_EQ(area[6], want.help_id);
        expect_unlisted_zero(area, 11, {0, 5, 6}, "whole-gauge area");
        area += 11;
        if (!want.tooltip.empty()) {
            EXPECT_EQ(area[0], 4u);
            EXPECT_EQ(string_at(area[9]), want.tooltip);
            expect_unlisted_zero(area, 11, {0, 9}, "tooltip");
            area += 11;
        }
        // The click area in the middle: hand cursor, left button.
        Words click = area;
        EXPECT_EQ(area[0], 2u);
        EXPECT_EQ(area[1], 3u);
        EXPECT_EQ(area[2], 3u);
        EXPECT_EQ(area[3], 13u);
        EXPECT_EQ(area[4], 13u);
        EXPECT_EQ(area[5], 5u);
        EXPECT_EQ(area[7], 0x20000000u);
        EXPECT_EQ(area[8], want.key_event);
        EXPECT_EQ(area[9] != 0, configurable) << "mouse callback";
        expect_unlisted_zero(area, 11, {0, 1, 2, 3, 4, 5, 7, 8, 9}, "click area");
        area += 11;
        EXPECT_EQ(area[0], 3u);
        expect_unlisted_zero(area, 11, {0}, "end of area");
        expect_unlisted_zero(area + 11, 11, {}, "end of list");

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
    EXPECT_EQ(header[0], 0x320u);
    EXPECT_EQ(header[11], 150u);
    EXPECT_NE(header[21], 0u) << "gauge callback";
    expect_unlisted_zero(header, 24, {0, 1, 2, 11, 20, 21}, "header");
    expect_face(header, 60, true, "plate");

    Words plate = words(words(header[2])[0]);
    Words children = words(plate[10]);
    ASSERT_NE(children, nullptr);
    EXPECT_EQ(children[1], 0u) << "exactly one child";
    Words text = words(children[0]);
    EXPECT_EQ(text[0], 2u) << "string";
    EXPECT_EQ(text[1], 0xFFFFFFFFu);
    EXPECT_EQ(text[8], word_of(header));
    EXPECT_EQ(text[12], 0x3u);
    EXPECT_EQ(text[48], 150u);
    EXPECT_EQ(text[49], 25u);
    EXPECT_EQ(text[52], 0xFFFFFFu);
    EXPECT_EQ(text[54], 0x5C5C5Cu);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text + 62), 32),
              std::string("Arial") + std::string(27, '\0'));
    EXPECT_EQ(text[70], 400u);
    EXPECT_EQ(text[71], 1u);
    EXPECT_EQ(text[72], 0x25u);
    EXPECT_EQ(text[73], 7u);
    EXPECT_NE(text[78], 0u) << "text callback";
    expect_unlisted_zero(text, 81, {0, 1, 8, 12, 48, 49, 52, 54, 62, 63, 70, 71, 72, 73, 78},
                         "string");

    Words area = words(header[20]);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area[0], 1u);
    EXPECT_EQ(static_cast<int32_t>(area[5]), -1);
    expect_unlisted_zero(area, 11, {0, 5}, "whole-gauge area");
    EXPECT_EQ(area[11], 4u);
    EXPECT_EQ(string_at(area[11 + 9]), "Registration number");
    expect_unlisted_zero(area + 11, 11, {0, 9}, "tooltip");
    EXPECT_EQ(area[22], 3u);
    expect_unlisted_zero(area + 22, 11, {0}, "end of area");
    expect_unlisted_zero(area + 33, 11, {}, "end of list");
#endif
}

} // namespace
