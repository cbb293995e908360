// The navigation displays of the real module, placed, updated and clicked through
// the host. The radios' power flags are off after loading (only the radio heads
// switch them), so these cases are those of receivers switched off; the displays
// with their receivers switched on at the heads are in nav_displays_powered_test,
// the arithmetic on its own in nav_logic_test.
#include "effects/navigation_effects.hpp"
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

using namespace panelhost;

namespace {

void expect_event(std::optional<KeyEvent> event, uint32_t number, uint32_t value) {
    ASSERT_TRUE(event);
    EXPECT_EQ(event->event, number);
    EXPECT_EQ(event->value, value);
}

// One click on a knob's half: the value the knob starts from, where (x) and with
// which button it is clicked, and the value the key event must carry.
struct KnobStep {
    double from;
    double x;
    uint32_t buttons;
    uint32_t sent;
};

class NavGauges : public PlacedGauges<> {
  protected:
    // The last key event, after a click at (x, y).
    std::optional<KeyEvent> click(GaugeInstance& gauge, double x, double y, uint32_t buttons) {
        const size_t before = host.simulation().key_events().size();
        host.click(gauge, x, y, buttons);
        if (host.simulation().key_events().size() == before) return std::nullopt;
        return host.simulation().key_events().back();
    }

    // Each step: `variable` set to where the knob starts, a click on the knob (at
    // height y), and the key event `key` it sends.
    void expect_steps(GaugeInstance& gauge, uint32_t variable, double y, uint32_t key,
                      std::initializer_list<KnobStep> steps) {
        for (const KnobStep& step : steps) {
            SCOPED_TRACE("from " + std::to_string(step.from) + " at x " + std::to_string(step.x));
            set(variable, step.from);
            expect_event(click(gauge, step.x, y, step.buttons), key, step.sent);
        }
    }
};

// VOR indicator elements: 1 GS flag, 2 FROM, 3 TO, 4 VOR/LOC flag, 5 course bar,
// 6 glide-slope bar, 9-11 marker lamps A, M, O.
TEST_F(NavGauges, VorWithNav1OffShowsBothFlagsAndCentresTheBars) {
    GaugeInstance& vor = place("Becker_IN3303_VOR1");
    set(VAR_NAV1_TO_FROM, 1);
    set(VAR_NAV1_GLIDESLOPE_VALID, 1);
    set(VAR_NAV1_COURSE_DEVIATION, 127);
    set(VAR_NAV1_GLIDESLOPE_DEVIATION, -127);
    set(VAR_MARKER_BEACON, 2);
    host.update();
    const auto& e = vor.elements();
    EXPECT_EQ(e[1].icon, 0u) << "GS flag";
    EXPECT_EQ(e[4].icon, 0u) << "VOR/LOC flag";
    EXPECT_FALSE(e[2].icon) << "FROM arrow dark";
    EXPECT_FALSE(e[3].icon) << "TO arrow dark";
    EXPECT_EQ(e[5].value_x, 0) << "course bar centred";
    EXPECT_EQ(e[6].value_y, 0) << "glide-slope bar centred";
    for (size_t lamp : {9, 10, 11})
        EXPECT_FALSE(e[lamp].icon) << lamp;
}

TEST_F(NavGauges, VorObsKnobStepsAndWrapsTheSelectedCourse) {
    GaugeInstance& vor = place("Becker_IN3303_VOR1");
    const double down_x = 15, up_x = 45, y = 270; // the knob's halves
    expect_steps(vor, VAR_NAV1_SELECTED_COURSE, y, KEY_NAV1_COURSE_SET,
                 {{0, down_x, MOUSE_LEFT_BUTTON, 359}});
    EXPECT_EQ(get(VAR_NAV1_SELECTED_COURSE), 359) << "the host takes the course";
    EXPECT_EQ(get(VAR_HSI_COURSE), 359) << "and the HSI shows it";
    expect_event(click(vor, up_x, y, MOUSE_LEFT_BUTTON), KEY_NAV1_COURSE_SET, 0);
    expect_steps(vor, VAR_NAV1_SELECTED_COURSE, y, KEY_NAV1_COURSE_SET,
                 {{5, down_x, MOUSE_RIGHT_BUTTON, 355},
                  {350, up_x, MOUSE_RIGHT_BUTTON, 0},
                  {359.7, up_x, MOUSE_LEFT_BUTTON, 0}});
    EXPECT_FALSE(click(vor, 150, 150, MOUSE_LEFT_BUTTON)) << "off the knob";
}

// Transponder elements: 5 FL label, 6 code, 7 flight level, 9 ON lit, 10 lamp,
// 11 cover. Clicks: ON (100,85), VFR (210,85), thousands up (75,10) / down (75,40).
class Transponder : public NavGauges {
  protected:
    bool is_on(GaugeInstance& xpdr) { return element(xpdr, 10).icon.has_value(); }

    void switch_to(GaugeInstance& xpdr, bool on) {
        if (is_on(xpdr) != on) host.click(xpdr, 100, 85, MOUSE_LEFT_BUTTON);
        ASSERT_EQ(is_on(xpdr), on);
    }
};

TEST_F(Transponder, OffIgnoresDigitsAndVfrButOnStillSwitches) {
    GaugeInstance& xpdr = place("Becker_ATC3401_XPDR");
    switch_to(xpdr, false);
    EXPECT_EQ(element(xpdr, 11).icon, 0u) << "windows covered";
    EXPECT_FALSE(xpdr.elements()[10].icon) << "lamp dark";
    for (double x : {75, 90, 106, 122})
        for (double y : {10, 40})
            EXPECT_FALSE(click(xpdr, x, y, MOUSE_LEFT_BUTTON));
    EXPECT_FALSE(click(xpdr, 210, 85, MOUSE_LEFT_BUTTON)) << "VFR";
    switch_to(xpdr, true);
    EXPECT_FALSE(xpdr.elements()[11].icon) << "windows uncovered";
    EXPECT_EQ(xpdr.elements()[10].icon, 0u) << "lamp lit";
    set(VAR_PANEL_LIGHTING, 0);
    EXPECT_EQ(element(xpdr, 8).icon, 0u) << "unlit ON face";
    EXPECT_FALSE(xpdr.elements()[9].icon);
    EXPECT_FALSE(xpdr.elements()[2].icon) << "no lit strip";
    set(VAR_PANEL_LIGHTING, 1);
    EXPECT_EQ(element(xpdr, 9).icon, 0u) << "lit ON face";
    EXPECT_FALSE(xpdr.elements()[8].icon);
    EXPECT_EQ(xpdr.elements()[2].icon, 0u) << "lit strip";
    switch_to(xpdr, false);
}

TEST_F(Transponder, DigitsStepOneColumnEachAndWrapWithinZeroToSeven) {
    GaugeInstance& xpdr = place("Becker_ATC3401_XPDR");
    switch_to(xpdr, true);
    set(VAR_TRANSPONDER_CODE, 0x7707);
    expect_event(click(xpdr, 75, 10, MOUSE_LEFT_BUTTON), KEY_XPDR_1000_INC, 0);
    EXPECT_EQ(get(VAR_TRANSPONDER_CODE), 0x0707) << "thousands 7 up to 0, no carry";
    expect_event(click(xpdr, 106, 40, MOUSE_LEFT_BUTTON), KEY_XPDR_10_DEC, 0);
    EXPECT_EQ(get(VAR_TRANSPONDER_CODE), 0x0777) << "tens 0 down to 7";
    click(xpdr, 90, 10, MOUSE_LEFT_BUTTON);
    click(xpdr, 122, 40, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(get(VAR_TRANSPONDER_CODE), 0x0076);
    expect_event(click(xpdr, 210, 85, MOUSE_LEFT_BUTTON), KEY_XPDR_CODE_SET, 0x1200);
    EXPECT_EQ(element(xpdr, 6).text, "1200");
    set(VAR_TRANSPONDER_CODE, 0x0007);
    EXPECT_EQ(element(xpdr, 6).text, "0007");
    switch_to(xpdr, false);
}

TEST_F(Transponder, FlightLevelFollowsAltitudeAndPressureSetting) {
    GaugeInstance& xpdr = place("Becker_ATC3401_XPDR");
    set(VAR_KOHLSMAN_SETTING_MB, 1013.25);
    set(VAR_INDICATED_ALTITUDE, 1549);
    EXPECT_EQ(element(xpdr, 7).text, "015");
    set(VAR_INDICATED_ALTITUDE, 1550);
    EXPECT_EQ(element(xpdr, 7).text, "016");
    set(VAR_INDICATED_ALTITUDE, -51);
    EXPECT_EQ(element(xpdr, 7).text, "-01");
    set(VAR_INDICATED_ALTITUDE, 1000);
    set(VAR_KOHLSMAN_SETTING_MB, 1003.25); // 10 mb below standard: 270 ft higher
    EXPECT_EQ(element(xpdr, 7).text, "013");
    set(VAR_INDICATED_ALTITUDE, 200000);
    EXPECT_EQ(element(xpdr, 7).text, "200") << "cut to the element's three characters";
    EXPECT_EQ(element(xpdr, 5).text, "FL");
}

TEST(NavigationEffects, PressureAltitudeAndCodeDigits) {
    using namespace navigation;
    EXPECT_DOUBLE_EQ(pressure_altitude(1000, 1013.25), 1000);
    EXPECT_DOUBLE_EQ(pressure_altitude(1000, 1023.25), 730);
    EXPECT_DOUBLE_EQ(pressure_altitude(1000, std::nan("")), 1000);
    EXPECT_EQ(step_code_digit(0x1200, 3, -1), 0x1207u);
    EXPECT_EQ(step_code_digit(0x1277, 2, 1), 0x1207u);
    EXPECT_EQ(step_code_digit(0x0000, 0, -1), 0x7000u);
}

// DME elements: 1 knob, 2-4 labels, 5 time, 6 speed, 7 distance, 8 cover.
// Knob halves: left (70,55), right (90,55).
class Dme : public NavGauges {
  protected:
    void to_off(GaugeInstance& dme) {
        host.click(dme, 70, 55, MOUSE_LEFT_BUTTON);
        host.click(dme, 70, 55, MOUSE_LEFT_BUTTON);
        ASSERT_EQ(element(dme, 1).icon, 0u);
    }
};

TEST_F(Dme, KnobMovesOnePositionAClickAndSelectsTheReceiver) {
    GaugeInstance& dme = place("Bendix_KD1572_DME");
    to_off(dme);
    EXPECT_EQ(element(dme, 8).icon, 0u) << "cover over the display at OFF";
    EXPECT_FALSE(click(dme, 70, 55, MOUSE_LEFT_BUTTON)) << "already OFF";
    expect_event(click(dme, 90, 55, MOUSE_LEFT_BUTTON), KEY_DME_FROM_NAV1, 0);
    EXPECT_EQ(element(dme, 1).icon, 1u);
    EXPECT_FALSE(dme.elements()[8].icon) << "cover gone";
    expect_event(click(dme, 90, 55, MOUSE_LEFT_BUTTON), KEY_DME_FROM_NAV2, 0);
    EXPECT_EQ(get(VAR_DME_SOURCE), 2) << "the host feeds the DME from NAV2";
    EXPECT_FALSE(click(dme, 90, 55, MOUSE_LEFT_BUTTON)) << "already N2";
    EXPECT_EQ(element(dme, 1).icon, 2u);
    expect_event(click(dme, 70, 55, MOUSE_LEFT_BUTTON), KEY_DME_FROM_NAV1, 0);
    EXPECT_FALSE(click(dme, 70, 55, MOUSE_LEFT_BUTTON)) << "N1 to OFF sends nothing";
    EXPECT_EQ(element(dme, 1).icon, 0u);
}

TEST_F(Dme, DashesWhileTheSelectedReceiverIsOff) {
    GaugeInstance& dme = place("Bendix_KD1572_DME");
    to_off(dme);
    host.click(dme, 90, 55, MOUSE_LEFT_BUTTON); // N1, NAV1 off
    set(VAR_DME_DISTANCE, 12.34);
    set(VAR_DME_SPEED, 95);
    set(VAR_DME_TIME, 5);
    host.update();
    const auto& e = dme.elements();
    EXPECT_EQ(e[7].text, "----");
    EXPECT_EQ(e[6].text, "----");
    EXPECT_EQ(e[5].text, "--");
    EXPECT_EQ(e[4].text, "NM");
    EXPECT_EQ(e[3].text, "KT");
    EXPECT_EQ(e[2].text, "MIN");
    to_off(dme);
    host.update();
    EXPECT_EQ(e[7].text, "12.3") << "OFF passes the signal rule under the cover";
    EXPECT_EQ(e[6].text, "095");
    EXPECT_EQ(e[5].text, "05");
    set(VAR_DME_DISTANCE, -1);
    host.update();
    EXPECT_EQ(e[7].text, "----") << "no signal";
}

// HSI elements: 1 card, 2 bug, 3 TO/FROM, 4 NAV flag, 5 course pointer, 6 bar,
// 7 HDG flag, 8 glideslope pointer, 9 VERT flag.
TEST_F(NavGauges, HsiTurnsCardAndPointersWithTheHeading) {
    GaugeInstance& hsi = place("HSI");
    set(VAR_HEADING_INDICATOR, 90);
    set(VAR_HSI_COURSE, 90);
    set(VAR_HEADING_BUG, 120);
    set(VAR_HSI_TO_FROM, 1);
    set(VAR_HSI_LATERAL_DEVIATION, 1.5);
    host.update();
    host.update(); // the arrow uses the pointer's angle of the update before
    const auto& e = hsi.elements();
    EXPECT_EQ(e[1].value_x, -90) << "card";
    EXPECT_EQ(e[2].value_x, 30) << "bug";
    EXPECT_EQ(e[5].value_x, 0) << "course pointer straight up";
    EXPECT_EQ(e[3].value_x, 90) << "NAV1 off: arrow across the course";
    EXPECT_EQ(e[6].value_x, 0) << "NAV1 off: bar centred";
    EXPECT_EQ(e[6].value_rotation, 0) << "bar turns with the pointer";
    set(VAR_HSI_GLIDESLOPE_VALID, 1);
    host.update();
    EXPECT_FALSE(e[8].drawn) << "NAV1 off: glideslope pointer hidden";
    EXPECT_TRUE(e[8].record->image_flags & IMAGE_FLAG_HIDDEN);
}

TEST_F(NavGauges, HsiFlags) {
    GaugeInstance& hsi = place("HSI");
    const auto& e = hsi.elements();
    set(VAR_HSI_COURSE_VALID, 1);
    set(VAR_HSI_GLIDESLOPE_VALID, 1);
    host.update();
    EXPECT_FALSE(e[7].icon) << "HDG flag away";
    EXPECT_FALSE(e[4].icon) << "NAV flag away";
    EXPECT_FALSE(e[9].icon) << "VERT flag away";
    set(VAR_HSI_SUPPLY, 19.9);
    host.update();
    EXPECT_EQ(e[4].icon, 0u) << "low supply: NAV";
    EXPECT_EQ(e[9].icon, 0u) << "low supply: VERT";
    set(VAR_HSI_SUPPLY, 20.0);
    host.update();
    EXPECT_FALSE(e[4].icon);
    EXPECT_FALSE(e[9].icon);
    set(VAR_HSI_ALTERNATE_SOURCE, 1);
    set(VAR_HSI_SUPPLY, 0);
    host.update();
    EXPECT_EQ(e[9].icon, 0u) << "alternate source: VERT always in view";
    EXPECT_FALSE(e[4].icon) << "alternate source: NAV follows the course signal alone";
    set(VAR_HSI_COURSE_VALID, 0);
    host.update();
    EXPECT_EQ(e[4].icon, 0u);
    set(VAR_HSI_ALTERNATE_SOURCE, 0);
    set(VAR_HSI_SUPPLY, 28);
    set(VAR_HSI_COURSE_VALID, 1);
    set(VAR_HEADING_SLAVING_FAILED, 1);
    host.update();
    EXPECT_EQ(e[7].icon, 0u) << "HDG flag";
    set(VAR_HEADING_SLAVING_FAILED, 0);
    set(VAR_INSTRUMENT_POWER_FAILED, 1);
    host.update();
    EXPECT_EQ(e[7].icon, 0u);
    EXPECT_EQ(e[4].icon, 0u);
    EXPECT_EQ(e[9].icon, 0u);
}

TEST_F(NavGauges, HsiKnobsStepTheBugAndTheCourse) {
    GaugeInstance& hsi = place("HSI");
    const double bug_down = 245, bug_up = 270, course_down = 30, course_up = 55, y = 266;
    expect_steps(hsi, VAR_HEADING_BUG, y, KEY_HEADING_BUG_SET,
                 {{359, bug_up, MOUSE_LEFT_BUTTON, 0}});
    EXPECT_EQ(get(VAR_HEADING_BUG), 0);
    expect_steps(hsi, VAR_HEADING_BUG, y, KEY_HEADING_BUG_SET,
                 {{355, bug_up, MOUSE_RIGHT_BUTTON, 5},
                  {5, bug_down, MOUSE_RIGHT_BUTTON, 355},
                  {0, bug_down, MOUSE_LEFT_BUTTON, 359},
                  {12.8, bug_down, MOUSE_LEFT_BUTTON, 11}});
    // The course knob's halves start from different variables.
    set(VAR_HSI_COURSE, 100);
    set(VAR_NAV1_SELECTED_COURSE, 200);
    expect_event(click(hsi, course_down, y, MOUSE_LEFT_BUTTON), KEY_NAV1_COURSE_SET, 99);
    set(VAR_HSI_COURSE, 100);
    set(VAR_NAV1_SELECTED_COURSE, 200);
    expect_event(click(hsi, course_up, y, MOUSE_LEFT_BUTTON), KEY_NAV1_COURSE_SET, 201);
}

// RMI elements: 1 card, 2 double bar, 3 single bar, 5 left selector, 6 right.
TEST_F(NavGauges, RmiParksPointersOfReceiversSwitchedOff) {
    GaugeInstance& rmi = place("Collins_RMI");
    set(VAR_NAV1_BEARING, 30);
    set(VAR_NAV2_BEARING, 200);
    set(VAR_ADF_BEARING, 45);
    set(VAR_HEADING_INDICATOR, 90);
    host.update();
    const auto& e = rmi.elements();
    EXPECT_EQ(e[1].value_rotation, 90) << "card turned by the heading";
    EXPECT_EQ(e[2].value_x, 90);
    EXPECT_EQ(e[3].value_x, 90);
}

TEST_F(NavGauges, RmiSelectorsRetargetThePointersForTheNextUpdate) {
    GaugeInstance& rmi = place("Collins_RMI");
    const auto& e = rmi.elements();
    host.update();
    if (e[5].icon == 1u) host.click(rmi, 64, 235, MOUSE_LEFT_BUTTON);  // back to VOR1
    if (e[6].icon == 1u) host.click(rmi, 235, 235, MOUSE_LEFT_BUTTON); // back to VOR2
    host.update();
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[3].record)->source.id, VAR_NAV1_BEARING);
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[2].record)->source.id, VAR_NAV2_BEARING);
    host.click(rmi, 235, 235, MOUSE_LEFT_BUTTON);
    host.update();
    EXPECT_EQ(e[6].icon, 1u) << "right selector on ADF";
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[2].record)->source.id, VAR_ADF_BEARING);
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[3].record)->source.id, VAR_NAV1_BEARING);
    EXPECT_EQ(e[2].value_x, 90) << "ADF off: parked";
    host.click(rmi, 235, 235, MOUSE_LEFT_BUTTON);
    host.update();
    EXPECT_EQ(e[6].icon, 0u);
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[2].record)->source.id, VAR_NAV2_BEARING);
}

} // namespace
