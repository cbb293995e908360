// The navigation displays' exported records, read word by word as the host reads
// the 32-bit format: the VOR indicator, transponder, DME, HSI and RMI.
#include "chain_words.hpp"
#include "module_library.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace panelhost;

namespace {

#if GAUGE_ABI_32BIT

using namespace chain_words;

const Failures vor_signal = {
    {FAILURE_NAV1_RECEIVER, 2}, {FAILURE_AVIONICS, 2}, {FAILURE_ELECTRICAL, 1}};

std::vector<Element> vor_chain() {
    WordList course_bar = common(3, 3060, 150, 81, 0x4083);
    course_bar.word(15, VAR_NAV1_COURSE_DEVIATION).number(23, 60.0 / 127.0);
    WordList gs_bar = common(3, 3050, 74, 157, 0x4083);
    gs_bar.number(23, 1.0).word(26, VAR_NAV1_GLIDESLOPE_DEVIATION).number(34, 0.5);
    WordList card = common(6, 3120, 25, 35, 0x4083, 151, 158);
    card.word(35, VAR_NAV1_SELECTED_COURSE).number(43, 1.0).single(45, 1.0f).single(46, 1.0f);
    Element face = static_image(3130, 0, 0, 0x4003);
    face.failures = {{FAILURE_NAV1_RECEIVER, 0}};
    return {
        face,
        icon(3070, 216, 138, 0x4083, VAR_NAV1_GLIDESLOPE_VALID, 1.0, vor_signal),
        icon(3100, 141, 176, 0x4083, VAR_NAV1_TO_FROM, 1.0, vor_signal),
        icon(3090, 141, 130, 0x4083, VAR_NAV1_TO_FROM, 1.0, vor_signal),
        icon(3080, 129, 220, 0x4083, VAR_NAV1_TO_FROM, 1.0, vor_signal),
        {48, course_bar.map, {42}, vor_signal, {}},
        {48, gs_bar.map, {43}, vor_signal, {}},
        {88, card.map, {}, {}, {}},
        static_image(3040, 0, 0, 0x3),
        icon(3030, 77, 18, 0x7, VAR_MARKER_BEACON, 1.0, vor_signal),
        icon(3020, 196, 18, 0x7, VAR_MARKER_BEACON, 1.0, vor_signal),
        icon(3010, 136, 4, 0x7, VAR_MARKER_BEACON, 1.0, vor_signal),
        needle(3000, 32, 270, 30, 30, 0x83, VAR_NAV1_SELECTED_COURSE, {{32, 250, 0}, {32, 290, 30}},
               {}, false),
    };
}

const Failures xpdr_panel = {{FAILURE_AVIONICS, 3}};
const Failures xpdr_text = {
    {FAILURE_ELECTRICAL, 3}, {FAILURE_AVIONICS, 3}, {FAILURE_TRANSPONDER, 0}};

std::vector<Element> xpdr_chain() {
    return {
        static_image(3210, 0, 0, 0x3),
        icon(3220, 58, 14, 0x4003, 0, 0, xpdr_panel, false),
        icon(3280, 91, 76, 0x4003, VAR_PANEL_LIGHTING, 1.0, xpdr_panel),
        icon(3270, 200, 76, 0x4003, VAR_PANEL_LIGHTING, 1.0, xpdr_panel),
        icon(3260, 164, 20, 0x4003, VAR_PANEL_LIGHTING, 1.0, xpdr_panel),
        display_text(223, 15, 0x7, {}, 26, 19, 3, 0x1E1E1E, 0x1E1E1E, xpdr_text),
        display_text(72, 15, 0x7, {VAR_TRANSPONDER_CODE}, 52, 19, 4, 0x1E1E1E, 0x1E1E1E, xpdr_text),
        display_text(
            248, 15, 0x7,
            {VAR_FLIGHT_LEVEL_REFRESH_A, VAR_KOHLSMAN_SETTING_MB, VAR_FLIGHT_LEVEL_REFRESH_B}, 48,
            19, 3, 0x1E1E1E, 0x1E1E1E, xpdr_text),
        icon(3240, 91, 76, 0x3, VAR_PANEL_LIGHTING, 1.0, {}),
        icon(3250, 91, 76, 0x7, VAR_PANEL_LIGHTING, 1.0, xpdr_panel),
        icon(3230, 171, 50, 0x7, 0, 1.0, xpdr_panel),
        icon(3220, 58, 14, 0x3, 0, 0, xpdr_panel),
    };
}

std::vector<Element> dme_chain() {
    const Failures hidden = {{FAILURE_AVIONICS, 3}};
    auto red = [&](int32_t x, int32_t y, uint32_t source, uint32_t w, uint32_t h, uint32_t n) {
        return display_text(x, y, 0x7, {source, VAR_DME_DISTANCE}, w, h, n, 0x0000FF, 0x00FFFF,
                            hidden);
    };
    return {
        static_image(1190, 0, 0, 0x3),
        icon(1200, 68, 41, 0x3, VAR_DME_SOURCE, 1.0, {}, true, 3),
        red(120, 21, VAR_DME_TIME, 27, 10, 3),
        red(86, 21, VAR_DME_SPEED, 18, 10, 4),
        red(35, 21, VAR_DME_DISTANCE, 18, 10, 2),
        red(122, 7, VAR_DME_TIME, 24, 14, 2),
        red(71, 7, VAR_DME_SPEED, 48, 14, 4),
        red(20, 7, VAR_DME_DISTANCE, 48, 14, 4),
        icon(1210, 7, 7, 0x3, 0, 0.0, {}), // the display's cover: scale 0, as the other covers
    };
}

std::vector<Element> hsi_chain() {
    const Failures hidden = {
        {FAILURE_ELECTRICAL, 3}, {FAILURE_AVIONICS, 3}, {FAILURE_NAV1_RECEIVER, 3}};
    WordList bar = common(6, 1100, 48, 42, 0x4083, 151, 145);
    bar.word(15, VAR_HSI_LATERAL_DEVIATION)
        .number(23, -36.0)
        .number(33, 1.0)
        .word(35, VAR_HSI_COURSE)
        .number(43, -1.0);
    bar.single(45, 1.0f).single(46, 1.0f);
    WordList gs = common(3, 1120, 260, 138, 0x4083);
    gs.word(15, VAR_HSI_GLIDESLOPE_VALID)
        .number(23, 1.0)
        .word(26, VAR_HSI_VERTICAL_DEVIATION)
        .number(34, 40.0);
    Element heading_knob = needle(1140, 259, 266, 24, 24, 0x83, VAR_HEADING_BUG, {}, {}, false);
    heading_knob.words[13] = 0x2;
    return {
        static_image(1050, 0, 0, 0x4003),
        needle(1060, 151, 145, 103, 103, 0x4083, VAR_HEADING_INDICATOR, {},
               {{FAILURE_ELECTRICAL, 1}, {FAILURE_COMPASS_SYSTEM, 1}, {FAILURE_HEADING_GYRO, 1}},
               true),
        needle(1080, 151, 145, 10, 103, 0x4083, VAR_HEADING_BUG, {}, {}, true),
        needle(1070, 151, 145, 11, 32, 0x4083, VAR_HSI_TO_FROM, {}, hidden, true),
        icon(1130, 0, 0, 0x4003, VAR_HSI_COURSE_VALID, 1.0, {}),
        needle(1090, 151, 145, 103, 103, 0x4083, VAR_HSI_COURSE, {},
               {{FAILURE_ELECTRICAL, 1}, {FAILURE_AVIONICS, 2}}, true),
        {88,
         bar.map,
         {79, 81},
         {{FAILURE_ELECTRICAL, 2}, {FAILURE_AVIONICS, 2}, {FAILURE_NAV1_RECEIVER, 2}},
         {}},
        icon(1180, 157, 28, 0x4003, VAR_HEADING_GYRO_FAILED, 1.0, {}),
        {48, gs.map, {43}, hidden, {}},
        icon(1110, 244, 114, 0x4003, VAR_HSI_GLIDESLOPE_VALID, 1.0, {}),
        static_image(1150, 32, 31, 0x4003),
        static_image(1160, 0, 0, 0x3),
        needle(1170, 43, 266, 24, 24, 0x83, VAR_NAV1_SELECTED_COURSE, {}, {}, false),
        heading_knob,
    };
}

std::vector<Element> rmi_chain() {
    WordList card = common(6, 1380, 35, 35, 0x4083, 150, 150);
    card.word(35, VAR_HEADING_INDICATOR).number(43, 1.0).single(45, 1.0f).single(46, 1.0f);
    const std::vector<Row> table = {{150, 50, 0}, {150, 250, 180}};
    return {
        static_image(1370, 0, 0, 0x4003),
        {88, card.map, {}, {{FAILURE_ELECTRICAL, 1}, {FAILURE_COMPASS_SYSTEM, 0}}, {}},
        needle(1410, 150, 150, 85, 14, 0x4083, VAR_NAV2_BEARING, table,
               {{FAILURE_ELECTRICAL, 1},
                {FAILURE_ADF_RECEIVER, 0},
                {FAILURE_NAV2_RECEIVER, 0},
                {FAILURE_AVIONICS, 0}},
               true),
        needle(1420, 150, 150, 87, 9, 0x4083, VAR_NAV1_BEARING, table,
               {{FAILURE_ELECTRICAL, 1},
                {FAILURE_ADF_RECEIVER, 0},
                {FAILURE_NAV1_RECEIVER, 0},
                {FAILURE_AVIONICS, 0}},
               true),
        static_image(1430, 0, 0, 0x3),
        icon(1400, 35, 206, 0x3, 0, 1.0, {}, true, 2),
        icon(1390, 206, 206, 0x3, 0, 1.0, {}, true, 2),
    };
}

constexpr uint32_t either = 0xA0200000, held_left = 0x20200000, left = 0x20000000;

// The transponder's four code digits, each a knob of two halves: up above, down below.
std::vector<Mouse> xpdr_mouse() {
    std::vector<Mouse> list = {whole_gauge(), help_entry(0x3180), click(91, 76, 25, 19, 5, left),
                               click(200, 76, 25, 19, 5, left)};
    for (int32_t digit_x : {68, 84, 100, 116}) {
        list.push_back(click(digit_x, 26, 16, 26, 2, held_left));
        list.push_back(click(digit_x, 0, 16, 26, 1, held_left));
    }
    list.insert(list.end(), {area_end, list_end});
    return list;
}

const std::map<std::string, std::vector<Mouse>> mouse_lists = {
    {"Becker_IN3303_VOR1",
     {whole_gauge(0xAB72), area(2, 240, 60, 60, 0xAB73), click(0, 0, 30, 60, 2, either),
      click(30, 0, 30, 60, 1, either), area_end, area_end, list_end}},
    {"Becker_ATC3401_XPDR", xpdr_mouse()},
    {"Bendix_KD1572_DME",
     {whole_gauge(), area(0, 0, 180, 32), help_entry(0x317A), area_end, area(66, 32, 50, 31),
      help_entry(0x317C), area_end, click(63, 42, 20, 25, 3, left), click(83, 42, 20, 25, 4, left),
      area_end, list_end}},
    {"HSI",
     {whole_gauge(), help_entry(0x3094), area(19, 242, 48, 48, 0xAB38), area_end,
      area(235, 242, 48, 48, 0xAB33), area_end, click(235, 242, 24, 48, 2, either),
      click(259, 242, 24, 48, 1, either), click(19, 242, 24, 48, 2, either),
      click(43, 242, 24, 48, 1, either), area_end, list_end}},
    {"Collins_RMI",
     {whole_gauge(0xAB5A), click(35, 206, 59, 59, 5, left), click(206, 206, 59, 59, 5, left),
      area_end, list_end}},
};

#endif // GAUGE_ABI_32BIT

struct NavGauge {
    const char* name;
    uint32_t size_mm;
    bool gauge_callback;
};

class NavRecords : public MarlowWordsTest<::testing::TestWithParam<NavGauge>> {
  protected:
#if GAUGE_ABI_32BIT
    std::vector<Element> chain_of(const std::string& name) {
        if (name == "Becker_IN3303_VOR1") return vor_chain();
        if (name == "Becker_ATC3401_XPDR") return xpdr_chain();
        if (name == "Bendix_KD1572_DME") return dme_chain();
        if (name == "HSI") return hsi_chain();
        return rmi_chain();
    }
#endif
};

TEST_P(NavRecords, Words) {
#if GAUGE_ABI_32BIT
    const NavGauge& gauge = GetParam();
    expect_published(
        linkage, gauge.name,
        {gauge.size_mm, gauge.gauge_callback, chain_of(gauge.name), mouse_lists.at(gauge.name)});
#endif
}

INSTANTIATE_TEST_SUITE_P(NavigationDisplays, NavRecords,
                         ::testing::Values(NavGauge{"Becker_IN3303_VOR1", 100, false},
                                           NavGauge{"Becker_ATC3401_XPDR", 100, true},
                                           NavGauge{"Bendix_KD1572_DME", 100, true},
                                           NavGauge{"HSI", 150, false},
                                           NavGauge{"Collins_RMI", 100, true}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

class NavRegistry : public MarlowWordsTest<> {};

TEST_F(NavRegistry, PublishedInRegistryOrder) {
#if GAUGE_ABI_32BIT
    const Publication order(linkage);
    EXPECT_LT(order.at("Becker_ATC3401_XPDR"), order.at("Turn_Coordinator"));
    EXPECT_LT(order.at("Airspeed"), order.at("HSI"));
    EXPECT_LT(order.at("HSI"), order.at("Bendix_KD1572_DME"));
    EXPECT_LT(order.at("Bendix_KD1572_DME"), order.at("Collins_RMI"));
    EXPECT_LT(order.at("Collins_RMI"), order.at("Becker_IN3303_VOR1"));
    EXPECT_LT(order.at("Becker_IN3303_VOR1"), order.at("Fuel_Qty_Left_Main"));
#endif
}

} // namespace
