// The navigation displays' arithmetic on its own: what the NAV1 power flag keeps
// out of reach through the host (it starts off and only the radios switch it) is
// checked here with the flag as an argument.
#include "nav/nav_logic.hpp"

#include "gauge_abi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using namespace gauge::nav;

namespace {

constexpr uint32_t left = MOUSE_LEFT_BUTTON;
constexpr uint32_t right = MOUSE_RIGHT_BUTTON;

TEST(BarSmoothing, FollowsADeviationWithALagOfThreeUpdates) {
    EXPECT_DOUBLE_EQ(bar_keep, std::exp(-1.0 / 3));
    EXPECT_DOUBLE_EQ(bar_keep + bar_follow, 1.0);
    double bar = 0;
    const double expected[] = {36.0005, 61.796, 80.279};
    for (double e : expected) {
        bar = smoothed_bar(bar, 127, true);
        EXPECT_NEAR(bar, e, 1e-3);
    }
    for (int i = 0; i < 100; ++i)
        bar = smoothed_bar(bar, 127, true);
    EXPECT_NEAR(bar, 127, 1e-9);
    EXPECT_EQ(smoothed_bar(bar, 127, false), 0) << "power off snaps to centre";
    EXPECT_NEAR(smoothed_bar(0, 127, true), 36.0005, 1e-3) << "and starts again from 0";
}

TEST(KnobStep, StepsOneOrTenDegreesAndWrapsBothWays) {
    EXPECT_EQ(knob_step(0, left, KnobTurn::Down), 359u);
    EXPECT_EQ(knob_step(359, left, KnobTurn::Up), 0u);
    EXPECT_EQ(knob_step(5, right, KnobTurn::Down), 355u);
    EXPECT_EQ(knob_step(355, right, KnobTurn::Up), 5u);
    EXPECT_EQ(knob_step(350, right, KnobTurn::Up), 0u);
    EXPECT_EQ(knob_step(10, right, KnobTurn::Down), 0u);
    EXPECT_EQ(knob_step(349, right, KnobTurn::Up), 359u);
    EXPECT_EQ(knob_step(12.8, left, KnobTurn::Down), 11u) << "truncated first";
    EXPECT_EQ(knob_step(359.7, left, KnobTurn::Up), 0u);
    EXPECT_EQ(knob_step(100, left | right, KnobTurn::Up), 101u) << "the left button wins";
    EXPECT_FALSE(knob_step(100, MOUSE_REPEAT, KnobTurn::Up)) << "neither button";
}

TEST(KnobStep, OddHostValuesStillGiveACourseOnTheDial) {
    EXPECT_EQ(knob_step(-5, left, KnobTurn::Up), 356u);
    EXPECT_EQ(knob_step(725, left, KnobTurn::Up), 6u);
    EXPECT_EQ(knob_step(std::nan(""), left, KnobTurn::Down), 359u);
    EXPECT_EQ(knob_step(1e300, left, KnobTurn::Up).value_or(999) < 360, true);
    EXPECT_EQ(knob_step(-std::numeric_limits<double>::infinity(), right, KnobTurn::Up), 10u);
}

TEST(SquawkCode, DecodesFourBcdDigitsUnvalidated) {
    EXPECT_EQ(decode_bcd_code(0x1200), 1200);
    EXPECT_EQ(decode_bcd_code(0x0007), 7);
    EXPECT_EQ(decode_bcd_code(0x7777), 7777);
    EXPECT_EQ(decode_bcd_code(0x0A00), 1000) << "a nibble of 10 adds in as 10 hundreds";
    char text[5];
    write_code_text(text, sizeof text, decode_bcd_code(0x0012));
    EXPECT_STREQ(text, "0012");
}

std::string level_text(double altitude) {
    char text[4 + 4];
    std::memset(text, '#', sizeof text);
    write_flight_level_text(text, 4, flight_level(altitude)); // a 3-character element
    EXPECT_EQ(text[4], '#') << "nothing past the buffer";
    return text;
}

TEST(FlightLevel, RoundsHalfUpAndFitsItsThreeCharacters) {
    EXPECT_EQ(level_text(1549), "015");
    EXPECT_EQ(level_text(1550), "016");
    EXPECT_EQ(level_text(0), "000");
    EXPECT_EQ(level_text(-50), "000");
    EXPECT_EQ(level_text(-51), "-01");
    EXPECT_EQ(level_text(12000), "120");
    EXPECT_EQ(level_text(std::nan("")), "000") << "an unset altitude counts as 0";
    EXPECT_EQ(level_text(std::numeric_limits<double>::infinity()), "000");
    EXPECT_EQ(level_text(99950), "100") << "level 1000 cut to the element";
    EXPECT_EQ(level_text(-1e12), "-10");
}

std::string dme(void (*write)(char*, size_t, double, bool), size_t chars, double value,
                bool shown = true) {
    char text[16];
    std::memset(text, '#', sizeof text);
    write(text, chars + 1, value, shown);
    EXPECT_EQ(text[chars + 1], '#') << "nothing past the buffer";
    return text;
}

TEST(DmeTexts, FormatsAndTheirSwitchAt100Miles) {
    EXPECT_EQ(dme(write_dme_distance, 4, 12.34), "12.3");
    EXPECT_EQ(dme(write_dme_distance, 4, 5), "5.0 ");
    EXPECT_EQ(dme(write_dme_distance, 4, 99.94), "99.9");
    EXPECT_EQ(dme(write_dme_distance, 4, 99.9), "99.9");
    EXPECT_EQ(dme(write_dme_distance, 4, 100), "0100");
    EXPECT_EQ(dme(write_dme_distance, 4, 100.2), "0100");
    EXPECT_EQ(dme(write_dme_distance, 4, 99.97), "100.") << "cut to four characters";
    EXPECT_EQ(dme(write_dme_speed, 4, 7.4), "007");
    EXPECT_EQ(dme(write_dme_speed, 4, 123456), "1234") << "cut";
    EXPECT_EQ(dme(write_dme_time, 2, 0.4), "00");
    EXPECT_EQ(dme(write_dme_time, 2, 5), "05");
    EXPECT_EQ(dme(write_dme_time, 2, 99.5), "10") << "cut";
}

TEST(DmeTexts, DashesWithoutASignal) {
    EXPECT_EQ(dme(write_dme_distance, 4, 12, false), "----");
    EXPECT_EQ(dme(write_dme_speed, 4, 120, false), "----");
    EXPECT_EQ(dme(write_dme_time, 2, 6, false), "--");
    write_dme_time(nullptr, 3, 6, true); // no buffer: nothing written, no crash
}

TEST(DmeSignal, NeedsADistanceAndTheSelectedReceiver) {
    EXPECT_FALSE(dme_signal_shown(-1, 1, true, true)) << "negative distance";
    EXPECT_TRUE(dme_signal_shown(0, 1, true, false));
    EXPECT_FALSE(dme_signal_shown(12, 1, false, true));
    EXPECT_FALSE(dme_signal_shown(12, 2, true, false)) << "N2 with NAV2 off";
    EXPECT_TRUE(dme_signal_shown(12, 2, false, true));
    EXPECT_TRUE(dme_signal_shown(12, 0, false, false)) << "OFF passes; the cover hides";
}

} // namespace
