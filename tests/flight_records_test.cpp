// The altimeter's, attitude indicator's and turn coordinator's exported records,
// read word by word as the host reads the 32-bit format: every listed word holds
// its value, pointers lead to the right tables and lists, and every word the
// format does not list is zero.
#include "chain_words.hpp"
#include "gauge_abi.h"
#include "module_library.hpp"
#include "record_words.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace panelhost;

namespace {

#if GAUGE_ABI_32BIT

using namespace chain_words;

Element drum(uint32_t strip, int32_t x, int32_t y, uint32_t variable, double cycle,
             Failures failures) {
    WordList w = common(5, strip, x, y, 0x4083);
    w.word(28, variable).number(36, 0).number(38, cycle);
    return {67, w.map, {62}, failures, {}};
}

const Failures altitude_failures = {{FAILURE_PITOT_STATIC, 1}, {FAILURE_ALTIMETER, 1}};
const Failures gyro_failures = {
    {FAILURE_ATTITUDE, 0}, {FAILURE_ENGINE_SYSTEMS, 0}, {FAILURE_HEADING_GYRO, 0}};

Gauge altimeter() {
    std::vector<Element> chain = {static_image(310, 0, 0, 0x4003)};
    struct Drum {
        uint32_t strip;
        int32_t x, y;
        uint32_t variable;
        double cycle;
    };
    const uint32_t inches = VAR_KOHLSMAN_SETTING_HG, millibars = VAR_KOHLSMAN_SETTING_MB,
                   feet = VAR_INDICATED_ALTITUDE;
    const Drum drums[] = {
        {340, 204, 179, inches, 0.1},    {340, 193, 179, inches, 1},
        {340, 182, 179, inches, 10},     {340, 171, 179, inches, 100},
        {340, 118, 179, millibars, 10},  {340, 107, 179, millibars, 100},
        {340, 96, 179, millibars, 1000}, {340, 85, 179, millibars, 10000},
        {350, 163, 96, feet, 100},       {360, 141, 96, feet, 1000},
        {360, 114, 96, feet, 10000},     {380, 92, 96, feet, 100000},
    };
    for (const Drum& d : drums)
        chain.push_back(drum(d.strip, d.x, d.y, d.variable, d.cycle,
                             d.variable == feet ? altitude_failures : Failures{}));
    chain.push_back(icon(370, 114, 96, 0x4083, VAR_INDICATED_ALTITUDE, 0, altitude_failures));
    chain.push_back(icon(390, 99, 102, 0x4083, VAR_INDICATED_ALTITUDE, 0, {}));
    chain.push_back(needle(320, 151, 150, 12, 12, 0x4083, VAR_INDICATED_ALTITUDE,
                           {{151, 70, 0}, {151, 230, 500}}, altitude_failures, false));
    chain.push_back(static_image(330, 0, 0, 0x3));
    chain.push_back(needle(400, 261, 253, 29, 29, 0x83, VAR_KOHLSMAN_SETTING_MB,
                           {{290, 253, 1013}, {232, 253, 1070}}, {}, false));
    return {100,
            false,
            chain,
            {whole_gauge(0xAB07), help_entry(0x3051),
             key_click(232, 224, 14, 58, 2, 0x20200000, KEY_KOHLSMAN_DEC),
             key_click(261, 224, 14, 58, 1, 0x20200000, KEY_KOHLSMAN_INC), area_end, list_end}};
}

Gauge attitude() {
    WordList card = common(6, 420, 1, 2, 0x4083, 150, 150);
    card.word(25, VAR_PITCH).number(33, 1.25).word(35, VAR_BANK).number(43, -1.0);
    card.single(45, 1.0f).single(46, 0.9f);
    WordList ring = common(6, 430, 1, 2, 0x4083, 149, 148);
    ring.number(33, 1.0).word(35, VAR_BANK).number(43, -1.0).single(45, 1.0f).single(46, 1.0f);
    WordList symbol = common(3, 440, 79, 141, 0x3);
    symbol.word(26, VAR_ATTITUDE_SYMBOL_HEIGHT).number(34, -0.4);
    return {100,
            false,
            {
                static_image(410, 0, 0, 0x4003),
                {88, card.map, {80}, gyro_failures, {}},
                {88, ring.map, {}, gyro_failures, {}},
                icon(460, 44, 44, 0x4003, 0, 1.0, {}),
                {48, symbol.map, {}, {}, {}},
                static_image(450, 0, 0, 0x3),
            },
            {whole_gauge(), help_entry(0x3092),
             key_click(121, 243, 25, 50, 2, 0x20200000, KEY_ATTITUDE_SYMBOL_DOWN),
             key_click(146, 243, 25, 50, 1, 0x20200000, KEY_ATTITUDE_SYMBOL_UP), area_end,
             list_end}};
}

Gauge turn_coordinator() {
    WordList ball = common(3, 270, 133, 159, 0x4083);
    ball.word(15, VAR_TURN_COORDINATOR_BALL)
        .number(23, 0.6640625)
        .word(26, VAR_TURN_COORDINATOR_BALL)
        .number(34, -0.00030517578125);
    return {100,
            false,
            {
                static_image(250, 0, 0, 0x4003),
                {48, ball.map, {43}, {}, {}},
                static_image(280, 121, 147, 0x3),
                icon(290, 192, 62, 0x4003, VAR_MAIN_BUS_VOLTAGE, 1.0, {}),
                needle(260, 151, 253, 24, 14, 0x4083, VAR_TURN_RATE,
                       {{118, 220, -5.0}, {118, 220, -4.5}, {184, 220, 4.5}, {184, 220, 5.0}},
                       {{FAILURE_TURN_COORDINATOR, 1}, {FAILURE_ELECTRICAL, 2}}, true),
                static_image(300, 0, 0, 0x3),
            },
            {whole_gauge(), area(0, 0, 300, 200, 0xAB71), area_end, area(0, 200, 300, 100, 0xAB61),
             area_end, area_end, list_end}};
}

#endif // GAUGE_ABI_32BIT

class FlightRecords : public MarlowWordsTest<> {};

TEST_F(FlightRecords, AltimeterWords) {
#if GAUGE_ABI_32BIT
    auto elements = expect_published(linkage, "Altimeter", altimeter());
    ASSERT_EQ(elements.size(), 18u);
    // One drum function serves all twelve drums; the hatch and flag have their own.
    for (size_t i = 2; i <= 12; ++i)
        EXPECT_EQ(elements[i][62], elements[1][62]) << i;
    EXPECT_NE(elements[13][33], elements[14][33]);
    EXPECT_NE(elements[13][33], elements[1][62]);
#endif
}

TEST_F(FlightRecords, AttitudeWords) {
#if GAUGE_ABI_32BIT
    auto elements = expect_published(linkage, "Attitude", attitude());
    ASSERT_EQ(elements.size(), 6u);
    EXPECT_EQ(elements[1][11], elements[2][11]) << "card and ring share one failure list";
    EXPECT_NE(elements[3][33], 0u) << "the GYRO flag's callback";
#endif
}

TEST_F(FlightRecords, TurnCoordinatorWords) {
#if GAUGE_ABI_32BIT
    auto elements = expect_published(linkage, "Turn_Coordinator", turn_coordinator());
    ASSERT_EQ(elements.size(), 6u);
#endif
}

TEST_F(FlightRecords, PublishedBeforeTheVerticalSpeedIndicator) {
#if GAUGE_ABI_32BIT
    const Publication order(linkage);
    EXPECT_EQ(order.at("Altimeter"), order.at("Turn_Coordinator") + 1);
    EXPECT_EQ(order.at("Attitude"), order.at("Altimeter") + 1);
    EXPECT_EQ(order.at("Vertical_Speed"), order.at("Attitude") + 1);
#endif
}

} // namespace
