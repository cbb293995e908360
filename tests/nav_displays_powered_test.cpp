// The navigation displays with their receivers switched on the way a pilot does
// it: the NAV1, NAV2 and ADF heads are placed beside the displays and their ON
// buttons clicked, so the displays read the power flags the heads set. The cases
// of receivers switched off are in nav_gauges_test.
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace panelhost;

namespace {

constexpr double on_button_x = 100, on_button_y = 85; // on every radio head
constexpr size_t head_lamp = 10;                      // NAV and ADF heads

class PoweredDisplays : public PlacedGauges<> {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlacedGauges::SetUp());
        nav1 = &place("Becker_NR3320_NAV1");
        nav2 = &place("Becker_NR3320_NAV2");
        adf = &place("Becker_AD3502_ADF");
    }

    bool lamp_lit(GaugeInstance& head) {
        host.update();
        return head.elements().at(head_lamp).icon.has_value();
    }

    // Clicks the head's ON button until its lamp says it is `on`.
    void power(GaugeInstance& head, bool on) {
        if (lamp_lit(head) != on) host.click(head, on_button_x, on_button_y, MOUSE_LEFT_BUTTON);
        ASSERT_EQ(lamp_lit(head), on);
    }

    const std::vector<ElementState>& updated(GaugeInstance& gauge) {
        host.update();
        return gauge.elements();
    }

    GaugeInstance* nav1 = nullptr;
    GaugeInstance* nav2 = nullptr;
    GaugeInstance* adf = nullptr;
};

// VOR indicator elements: 1 GS flag, 2 FROM, 3 TO, 4 VOR/LOC flag, 5 course bar,
// 6 glide-slope bar, 9-11 marker lamps A (white), M (amber), O (blue).
class VorIndicator : public PoweredDisplays {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PoweredDisplays::SetUp());
        vor = &place("Becker_IN3303_VOR1");
    }
    GaugeInstance* vor = nullptr;
};

TEST_F(VorIndicator, BarsFollowAFullDeviationWithTheirLagOnceNav1IsOn) {
    set(VAR_NAV1_COURSE_DEVIATION, 127);
    set(VAR_NAV1_GLIDESLOPE_DEVIATION, 127);
    updated(*vor);
    EXPECT_EQ(vor->elements()[5].value_x, 0) << "NAV1 off: centred whatever the deviation";
    power(*nav1, true); // one update of the bars inside
    const auto& e = vor->elements();
    EXPECT_NEAR(e[5].value_x, 36.0005, 1e-3);
    EXPECT_NEAR(e[6].value_y, 36.0005, 1e-3);
    EXPECT_NEAR(e[5].shift_x, 36.0005 * 60 / 127, 1e-3) << "127 would move it 60 pixels";
    EXPECT_NEAR(e[6].shift_y, 36.0005 * 0.5, 1e-3);
    EXPECT_NEAR(updated(*vor)[5].value_x, 61.796, 1e-3);
    EXPECT_NEAR(e[6].value_y, 61.796, 1e-3);
    EXPECT_NEAR(updated(*vor)[5].value_x, 80.279, 1e-3);
    EXPECT_NEAR(e[6].value_y, 80.279, 1e-3);
    for (int i = 0; i < 100; ++i)
        host.update();
    EXPECT_NEAR(e[5].shift_x, 60, 1e-6);

    power(*nav1, false);
    EXPECT_EQ(e[5].value_x, 0) << "switching off snaps the bar to centre";
    EXPECT_EQ(e[6].value_y, 0);
    power(*nav1, true);
    EXPECT_NEAR(e[5].value_x, 36.0005, 1e-3) << "and the lag starts again from 0";
}

TEST_F(VorIndicator, ArrowsAndFlagsFollowTheSignal) {
    power(*nav1, true);
    set(VAR_NAV1_GLIDESLOPE_VALID, 1);
    set(VAR_NAV1_TO_FROM, 1);
    const auto& e = updated(*vor);
    EXPECT_EQ(e[3].icon, 0u) << "TO";
    EXPECT_FALSE(e[2].icon) << "FROM";
    EXPECT_FALSE(e[4].icon) << "VOR/LOC flag away with a signal";
    EXPECT_FALSE(e[1].icon) << "GS flag away with a glide slope";
    set(VAR_NAV1_TO_FROM, 2);
    updated(*vor);
    EXPECT_FALSE(e[3].icon);
    EXPECT_EQ(e[2].icon, 0u) << "FROM";
    EXPECT_FALSE(e[4].icon);
    set(VAR_NAV1_TO_FROM, 0);
    set(VAR_NAV1_GLIDESLOPE_VALID, 0);
    updated(*vor);
    EXPECT_FALSE(e[3].icon);
    EXPECT_FALSE(e[2].icon);
    EXPECT_EQ(e[4].icon, 0u) << "no station: VOR/LOC flag";
    EXPECT_EQ(e[1].icon, 0u) << "no glide slope: GS flag";
}

TEST_F(VorIndicator, MarkerLampsOneAtATime) {
    power(*nav1, true);
    constexpr size_t a_lamp = 9, m_lamp = 10, o_lamp = 11;
    struct Case {
        double marker;
        std::optional<size_t> lit;
    };
    for (Case c : {Case{0, {}}, {1, o_lamp}, {2, m_lamp}, {3, a_lamp}, {4, {}}}) {
        SCOPED_TRACE(c.marker);
        set(VAR_MARKER_BEACON, c.marker);
        const auto& e = updated(*vor);
        for (size_t lamp : {a_lamp, m_lamp, o_lamp})
            EXPECT_EQ(e[lamp].icon.has_value(), c.lit == lamp) << lamp;
    }
    set(VAR_MARKER_BEACON, 1);
    power(*nav1, false);
    EXPECT_FALSE(vor->elements()[o_lamp].icon) << "dark with NAV1 off";
}

// DME elements: 1 knob, 2-4 labels MIN, KT, NM, 5 time, 6 speed, 7 distance,
// 8 cover. Knob halves: left (70,55), right (90,55).
class Dme : public PoweredDisplays {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PoweredDisplays::SetUp());
        dme = &place("Bendix_KD1572_DME");
        for (int i = 0; i < 2; ++i)
            host.click(*dme, 70, 55, MOUSE_LEFT_BUTTON); // to OFF
        ASSERT_EQ(updated(*dme)[1].icon, 0u);
    }

    std::string texts() {
        const auto& e = updated(*dme);
        return e[7].text + " " + e[6].text + " " + e[5].text;
    }

    void knob_right() { host.click(*dme, 90, 55, MOUSE_LEFT_BUTTON); }

    GaugeInstance* dme = nullptr;
};

TEST_F(Dme, ReadsTheSelectedReceiverOnlyWhileItIsOn) {
    power(*nav1, true);
    knob_right(); // N1
    set(VAR_DME_DISTANCE, 12.34);
    set(VAR_DME_SPEED, 95);
    set(VAR_DME_TIME, 5);
    EXPECT_EQ(texts(), "12.3 095 05");
    knob_right(); // N2, NAV2 still off
    EXPECT_EQ(texts(), "---- ---- --");
    power(*nav2, true);
    EXPECT_EQ(texts(), "12.3 095 05");
    power(*nav1, false);
    EXPECT_EQ(texts(), "12.3 095 05") << "N2 does not look at NAV1";
    set(VAR_DME_DISTANCE, -1);
    EXPECT_EQ(texts(), "---- ---- --") << "no signal";
}

TEST_F(Dme, DistanceFormatSwitchesAt100Miles) {
    power(*nav1, true);
    knob_right();
    set(VAR_DME_SPEED, 7.4);
    set(VAR_DME_TIME, 0.4);
    struct Case {
        double miles;
        const char* shown;
    };
    for (Case c : {Case{99.94, "99.9 007 00"},
                   {99.9, "99.9 007 00"},
                   {100, "0100 007 00"},
                   {100.2, "0100 007 00"},
                   {5, "5.0  007 00"},
                   {0, "0.0  007 00"}}) {
        set(VAR_DME_DISTANCE, c.miles);
        EXPECT_EQ(texts(), c.shown) << c.miles;
    }
    EXPECT_FALSE(dme->elements()[8].icon) << "no cover at N1";
}

// Transponder elements: 6 code, 7 flight level, 10 lamp, 11 cover.
TEST_F(PoweredDisplays, TransponderFlightLevelFromAltitudeAndSettingInView) {
    GaugeInstance& xpdr = place("Becker_ATC3401_XPDR");
    if (!updated(xpdr)[10].icon) host.click(xpdr, on_button_x, on_button_y, MOUSE_LEFT_BUTTON);
    ASSERT_EQ(updated(xpdr)[10].icon, 0u) << "lamp lit";
    // 10 mb above standard: the pressure altitude is 270 ft below the altitude.
    set(VAR_KOHLSMAN_SETTING_MB, 1023.25);
    struct Case {
        double altitude;
        const char* level;
    };
    for (Case c : {Case{1819, "015"}, {1820, "016"}, {270, "000"}, {220, "000"}, {219, "-01"}}) {
        set(VAR_INDICATED_ALTITUDE, c.altitude);
        const auto& e = updated(xpdr);
        EXPECT_EQ(e[7].text, c.level) << c.altitude;
        EXPECT_TRUE(e[7].drawn);
        EXPECT_FALSE(e[11].icon) << "window not covered";
    }
}

// HSI elements: 1 card, 2 bug, 3 TO/FROM, 5 course pointer, 6 deviation bar,
// 8 glideslope pointer.
class Hsi : public PoweredDisplays {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PoweredDisplays::SetUp());
        hsi = &place("HSI");
    }
    // Two updates: the arrow takes the course pointer's angle of the update before.
    const std::vector<ElementState>& settled() {
        host.update();
        return updated(*hsi);
    }
    GaugeInstance* hsi = nullptr;
};

TEST_F(Hsi, HeadingAndCourseNinetyWithNav1On) {
    power(*nav1, true);
    set(VAR_HEADING_INDICATOR, 90);
    set(VAR_HSI_COURSE, 90);
    set(VAR_HSI_TO_FROM, 1);
    const auto& e = settled();
    EXPECT_EQ(e[1].value_x, -90) << "card";
    EXPECT_EQ(e[5].value_x, 0) << "course pointer straight up";
    EXPECT_EQ(e[3].value_x, 0) << "TO: arrow along the course";
    set(VAR_HSI_TO_FROM, -1);
    settled();
    EXPECT_EQ(e[3].value_x, 180) << "FROM: arrow reversed";
    set(VAR_HSI_TO_FROM, 0);
    settled();
    EXPECT_EQ(e[3].value_x, 90) << "neither: across the course";
    set(VAR_HSI_TO_FROM, 1);
    power(*nav1, false);
    settled();
    EXPECT_EQ(e[3].value_x, 90) << "NAV1 off: across the course whatever the signal";
}

TEST_F(Hsi, DeviationBarSlidesAcrossTheCourseAndTurnsWithIt) {
    power(*nav1, true);
    set(VAR_HEADING_INDICATOR, 90);
    set(VAR_HSI_COURSE, 120);
    set(VAR_HSI_LATERAL_DEVIATION, 1.5);
    const auto& e = settled();
    EXPECT_EQ(e[5].value_x, 30);
    EXPECT_EQ(e[6].value_x, 1.5);
    EXPECT_EQ(e[6].shift_x, -54) << "36 pixels a unit";
    EXPECT_EQ(e[6].shift_y, 0);
    EXPECT_EQ(e[6].value_rotation, 30);
    EXPECT_EQ(e[6].rotation, -30) << "counterclockwise -30: clockwise with the pointer";
    power(*nav1, false);
    EXPECT_EQ(e[6].shift_x, 0) << "NAV1 off: centred";
    EXPECT_EQ(e[6].rotation, -30) << "still along the course";
}

TEST_F(Hsi, GlideslopePointerShownWithAGlideslopeAndNav1On) {
    const auto& e = hsi->elements();
    set(VAR_HSI_GLIDESLOPE_VALID, 1);
    set(VAR_HSI_VERTICAL_DEVIATION, 0.5);
    power(*nav1, true);
    settled();
    EXPECT_TRUE(e[8].drawn);
    EXPECT_FALSE(e[8].record->image_flags & IMAGE_FLAG_HIDDEN);
    EXPECT_EQ(e[8].shift_y, 20) << "40 pixels a unit";
    set(VAR_HSI_GLIDESLOPE_VALID, 0);
    settled();
    EXPECT_FALSE(e[8].drawn) << "no glideslope";
    set(VAR_HSI_GLIDESLOPE_VALID, 1);
    settled();
    EXPECT_TRUE(e[8].drawn);
    power(*nav1, false);
    settled();
    EXPECT_FALSE(e[8].drawn) << "NAV1 off";
}

// RMI elements: 1 card, 2 double bar, 3 single bar, 5 left selector, 6 right.
// Selectors: left (64,235), right (235,235).
class Rmi : public PoweredDisplays {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PoweredDisplays::SetUp());
        rmi = &place("Collins_RMI");
        // Both selectors on their VOR receivers.
        if (updated(*rmi)[5].icon == 1u) host.click(*rmi, 64, 235, MOUSE_LEFT_BUTTON);
        if (rmi->elements()[6].icon == 1u) host.click(*rmi, 235, 235, MOUSE_LEFT_BUTTON);
        set(VAR_NAV1_BEARING, 30);
        set(VAR_NAV2_BEARING, 200);
        set(VAR_ADF_BEARING, 45);
    }
    double single_bar() { return updated(*rmi)[3].value_x; }
    double double_bar() { return updated(*rmi)[2].value_x; }
    GaugeInstance* rmi = nullptr;
};

TEST_F(Rmi, PointersShowTheirBearingsOnlyWhileTheReceiversAreOn) {
    EXPECT_EQ(single_bar(), 90) << "parked: NAV1 off";
    EXPECT_EQ(double_bar(), 90) << "parked: NAV2 off";
    const auto& e = rmi->elements();
    EXPECT_NEAR(std::remainder(e[3].needle_angle, 360), 0, 1e-9) << "parked pointing right";
    power(*nav1, true);
    power(*nav2, true);
    EXPECT_EQ(single_bar(), 30);
    EXPECT_EQ(double_bar(), 200);
    set(VAR_NAV1_STATION_CODE, 0x80);
    EXPECT_EQ(single_bar(), 90) << "no bearing from the NAV1 station";
    EXPECT_EQ(double_bar(), 200);
    set(VAR_NAV1_STATION_CODE, 0x7F);
    set(VAR_NAV2_STATION_CODE, 0x81);
    EXPECT_EQ(single_bar(), 30);
    EXPECT_EQ(double_bar(), 90) << "no bearing from the NAV2 station";
    set(VAR_NAV2_STATION_CODE, 0);
    power(*nav2, false);
    EXPECT_EQ(double_bar(), 90);
    EXPECT_EQ(single_bar(), 30);
}

TEST_F(Rmi, SelectorTakesTheAdfBearingOneUpdateLater) {
    power(*nav2, true);
    power(*adf, true);
    EXPECT_EQ(double_bar(), 200);
    host.click(*rmi, 235, 235, MOUSE_LEFT_BUTTON); // VOR2 -> ADF
    EXPECT_EQ(double_bar(), 200) << "the update that retargets still shows NAV2";
    EXPECT_EQ(rmi->elements()[6].icon, 1u);
    EXPECT_EQ(double_bar(), 45) << "then the ADF";
    power(*adf, false);
    EXPECT_EQ(double_bar(), 90) << "parked: ADF off";
    power(*adf, true);
    host.click(*rmi, 235, 235, MOUSE_LEFT_BUTTON); // back to VOR2
    EXPECT_EQ(double_bar(), 45);
    EXPECT_EQ(double_bar(), 200);
    EXPECT_EQ(single_bar(), 90) << "NAV1 still off";
    host.click(*rmi, 64, 235, MOUSE_LEFT_BUTTON); // VOR1 -> ADF
    updated(*rmi);
    EXPECT_EQ(single_bar(), 45) << "the single bar on the ADF";
}

} // namespace
