// The navigation displays of the real module, placed, updated and clicked through
// the host. The radios' power flags are off after loading (only the radio heads
// switch them), so these cases are those of receivers switched off; the displays
// with their receivers switched on at the heads are in nav_displays_powered_test,
// the arithmetic on its own in nav_logic_test.
#include "effects/navigation_effects.hpp"
#include "panel_host.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace panelhost;

namespace {

class NavGauges : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.load_module(MARLOW_MODULE_PATH, error)) << error;
    }

    GaugeInstance& place(const char* name) {
        std::string error;
        GaugeInstance* instance = host.place("Marlow_Instr", name, std::nullopt, error);
        EXPECT_TRUE(instance) << error;
        return *instance;
    }

    const ElementState& after_update(GaugeInstance& gauge, size_t index) {
        host.update();
        return gauge.elements().at(index);
    }

    // The last key event, after a click at (x, y).
    std::optional<KeyEvent> click(GaugeInstance& gauge, double x, double y, uint32_t buttons) {
        const size_t before = host.simulation().key_events().size();
        host.click(gauge, x, y, buttons);
        if (host.simulation().key_events().size() == before) return std::nullopt;
        return host.simulation().key_events().back();
    }

    Simulation& sim() { return host.simulation(); }

    PanelHost host;
};

void expect_event(std::optional<KeyEvent> event, uint32_t number, uint32_t value) {
    ASSERT_TRUE(event);
    EXPECT_EQ(event->event, number);
    EXPECT_EQ(event->value, value);
}

// VOR indicator elements: 1 GS flag, 2 FROM, 3 TO, 4 VOR/LOC flag, 5 course bar,
// 6 glide-slope bar, 9-11 marker lamps A, M, O.
TEST_F(NavGauges, VorWithNav1OffShowsBothFlagsAndCentresTheBars) {
    GaugeInstance& vor = place("Becker_IN3303_VOR1");
    sim().set(43, 1);
    sim().set(44, 1);
    sim().set(40, 127);
    sim().set(41, -127);
    sim().set(354, 2);
    host.update();
    const auto& e = vor.elements();
    EXPECT_EQ(e[1].icon, 0u) << "GS flag";
    EXPECT_EQ(e[4].icon, 0u) << "VOR/LOC flag";
    EXPECT_FALSE(e[2].icon) << "FROM arrow dark";
    EXPECT_FALSE(e[3].icon) << "TO arrow dark";
    EXPECT_EQ(e[5].value_x, 0) << "course bar centred";
    EXPECT_EQ(e[6].value_y, 0) << "glide-slope bar centred";
    for (size_t lamp : {9, 10, 11}) EXPECT_FALSE(e[lamp].icon) << lamp;
}

TEST_F(NavGauges, VorObsKnobStepsAndWrapsTheSelectedCourse) {
    GaugeInstance& vor = place("Becker_IN3303_VOR1");
    const double down_x = 15, up_x = 45, y = 270; // the knob's halves
    sim().set(45, 0);
    expect_event(click(vor, down_x, y, MOUSE_LEFT_BUTTON), 0x100B4, 359);
    EXPECT_EQ(sim().get(45), 359) << "the host takes the course";
    EXPECT_EQ(sim().get(854), 359) << "and the HSI shows it";
    expect_event(click(vor, up_x, y, MOUSE_LEFT_BUTTON), 0x100B4, 0);
    sim().set(45, 5);
    expect_event(click(vor, down_x, y, MOUSE_RIGHT_BUTTON), 0x100B4, 355);
    sim().set(45, 350);
    expect_event(click(vor, up_x, y, MOUSE_RIGHT_BUTTON), 0x100B4, 0);
    sim().set(45, 359.7);
    expect_event(click(vor, up_x, y, MOUSE_LEFT_BUTTON), 0x100B4, 0);
    EXPECT_FALSE(click(vor, 150, 150, MOUSE_LEFT_BUTTON)) << "off the knob";
}

// Transponder elements: 5 FL label, 6 code, 7 flight level, 9 ON lit, 10 lamp,
// 11 cover. Clicks: ON (100,85), VFR (210,85), thousands up (75,10) / down (75,40).
class Transponder : public NavGauges {
protected:
    bool is_on(GaugeInstance& xpdr) { return after_update(xpdr, 10).icon.has_value(); }

    void switch_to(GaugeInstance& xpdr, bool on) {
        if (is_on(xpdr) != on) host.click(xpdr, 100, 85, MOUSE_LEFT_BUTTON);
        ASSERT_EQ(is_on(xpdr), on);
    }
};

TEST_F(Transponder, OffIgnoresDigitsAndVfrButOnStillSwitches) {
    GaugeInstance& xpdr = place("Becker_ATC3401_XPDR");
    switch_to(xpdr, false);
    EXPECT_EQ(after_update(xpdr, 11).icon, 0u) << "windows covered";
    EXPECT_FALSE(xpdr.elements()[10].icon) << "lamp dark";
    for (double x : {75, 90, 106, 122})
        for (double y : {10, 40}) EXPECT_FALSE(click(xpdr, x, y, MOUSE_LEFT_BUTTON));
    EXPECT_FALSE(click(xpdr, 210, 85, MOUSE_LEFT_BUTTON)) << "VFR";
    switch_to(xpdr, true);
    EXPECT_FALSE(xpdr.elements()[11].icon) << "windows uncovered";
    EXPECT_EQ(xpdr.elements()[10].icon, 0u) << "lamp lit";
    sim().set(10, 0);
    EXPECT_EQ(after_update(xpdr, 8).icon, 0u) << "unlit ON face";
    EXPECT_FALSE(xpdr.elements()[9].icon);
    EXPECT_FALSE(xpdr.elements()[2].icon) << "no lit strip";
    sim().set(10, 1);
    EXPECT_EQ(after_update(xpdr, 9).icon, 0u) << "lit ON face";
    EXPECT_FALSE(xpdr.elements()[8].icon);
    EXPECT_EQ(xpdr.elements()[2].icon, 0u) << "lit strip";
    switch_to(xpdr, false);
}

TEST_F(Transponder, DigitsStepOneColumnEachAndWrapWithinZeroToSeven) {
    GaugeInstance& xpdr = place("Becker_ATC3401_XPDR");
    switch_to(xpdr, true);
    sim().set(38, 0x7707);
    expect_event(click(xpdr, 75, 10, MOUSE_LEFT_BUTTON), 0x10073, 0);
    EXPECT_EQ(sim().get(38), 0x0707) << "thousands 7 up to 0, no carry";
    expect_event(click(xpdr, 106, 40, MOUSE_LEFT_BUTTON), 0x10399, 0);
    EXPECT_EQ(sim().get(38), 0x0777) << "tens 0 down to 7";
    click(xpdr, 90, 10, MOUSE_LEFT_BUTTON);
    click(xpdr, 122, 40, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(sim().get(38), 0x0076);
    expect_event(click(xpdr, 210, 85, MOUSE_LEFT_BUTTON), 0x100B3, 0x1200);
    EXPECT_EQ(after_update(xpdr, 6).text, "1200");
    sim().set(38, 0x0007);
    EXPECT_EQ(after_update(xpdr, 6).text, "0007");
    switch_to(xpdr, false);
}

TEST_F(Transponder, FlightLevelFollowsAltitudeAndPressureSetting) {
    GaugeInstance& xpdr = place("Becker_ATC3401_XPDR");
    sim().set(75, 1013.25);
    sim().set(74, 1549);
    EXPECT_EQ(after_update(xpdr, 7).text, "015");
    sim().set(74, 1550);
    EXPECT_EQ(after_update(xpdr, 7).text, "016");
    sim().set(74, -51);
    EXPECT_EQ(after_update(xpdr, 7).text, "-01");
    sim().set(74, 1000);
    sim().set(75, 1003.25); // 10 mb below standard: 270 ft higher
    EXPECT_EQ(after_update(xpdr, 7).text, "013");
    sim().set(74, 200000);
    EXPECT_EQ(after_update(xpdr, 7).text, "200") << "cut to the element's three characters";
    EXPECT_EQ(after_update(xpdr, 5).text, "FL");
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
        ASSERT_EQ(after_update(dme, 1).icon, 0u);
    }
};

TEST_F(Dme, KnobMovesOnePositionAClickAndSelectsTheReceiver) {
    GaugeInstance& dme = place("Bendix_KD1572_DME");
    to_off(dme);
    EXPECT_EQ(after_update(dme, 8).icon, 0u) << "cover over the display at OFF";
    EXPECT_FALSE(click(dme, 70, 55, MOUSE_LEFT_BUTTON)) << "already OFF";
    expect_event(click(dme, 90, 55, MOUSE_LEFT_BUTTON), 0x100FB, 0);
    EXPECT_EQ(after_update(dme, 1).icon, 1u);
    EXPECT_FALSE(dme.elements()[8].icon) << "cover gone";
    expect_event(click(dme, 90, 55, MOUSE_LEFT_BUTTON), 0x100FC, 0);
    EXPECT_EQ(sim().get(355), 2) << "the host feeds the DME from NAV2";
    EXPECT_FALSE(click(dme, 90, 55, MOUSE_LEFT_BUTTON)) << "already N2";
    EXPECT_EQ(after_update(dme, 1).icon, 2u);
    expect_event(click(dme, 70, 55, MOUSE_LEFT_BUTTON), 0x100FB, 0);
    EXPECT_FALSE(click(dme, 70, 55, MOUSE_LEFT_BUTTON)) << "N1 to OFF sends nothing";
    EXPECT_EQ(after_update(dme, 1).icon, 0u);
}

TEST_F(Dme, DashesWhileTheSelectedReceiverIsOff) {
    GaugeInstance& dme = place("Bendix_KD1572_DME");
    to_off(dme);
    host.click(dme, 90, 55, MOUSE_LEFT_BUTTON); // N1, NAV1 off
    sim().set(372, 12.34);
    sim().set(373, 95);
    sim().set(374, 5);
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
    sim().set(372, -1);
    host.update();
    EXPECT_EQ(e[7].text, "----") << "no signal";
}

// HSI elements: 1 card, 2 bug, 3 TO/FROM, 4 NAV flag, 5 course pointer, 6 bar,
// 7 HDG flag, 8 glideslope pointer, 9 VERT flag.
TEST_F(NavGauges, HsiTurnsCardAndPointersWithTheHeading) {
    GaugeInstance& hsi = place("HSI");
    sim().set(84, 90);
    sim().set(854, 90);
    sim().set(855, 120);
    sim().set(853, 1);
    sim().set(849, 1.5);
    host.update();
    host.update(); // the arrow uses the pointer's angle of the update before
    const auto& e = hsi.elements();
    EXPECT_EQ(e[1].value_x, -90) << "card";
    EXPECT_EQ(e[2].value_x, 30) << "bug";
    EXPECT_EQ(e[5].value_x, 0) << "course pointer straight up";
    EXPECT_EQ(e[3].value_x, 90) << "NAV1 off: arrow across the course";
    EXPECT_EQ(e[6].value_x, 0) << "NAV1 off: bar centred";
    EXPECT_EQ(e[6].value_rotation, 0) << "bar turns with the pointer";
    sim().set(852, 1);
    host.update();
    EXPECT_FALSE(e[8].drawn) << "NAV1 off: glideslope pointer hidden";
    EXPECT_TRUE(e[8].record->image_flags & IMAGE_FLAG_HIDDEN);
}

TEST_F(NavGauges, HsiFlags) {
    GaugeInstance& hsi = place("HSI");
    const auto& e = hsi.elements();
    sim().set(851, 1);
    sim().set(852, 1);
    host.update();
    EXPECT_FALSE(e[7].icon) << "HDG flag away";
    EXPECT_FALSE(e[4].icon) << "NAV flag away";
    EXPECT_FALSE(e[9].icon) << "VERT flag away";
    sim().set(755, 19.9);
    host.update();
    EXPECT_EQ(e[4].icon, 0u) << "low supply: NAV";
    EXPECT_EQ(e[9].icon, 0u) << "low supply: VERT";
    sim().set(755, 20.0);
    host.update();
    EXPECT_FALSE(e[4].icon);
    EXPECT_FALSE(e[9].icon);
    sim().set(848, 1);
    sim().set(755, 0);
    host.update();
    EXPECT_EQ(e[9].icon, 0u) << "alternate source: VERT always in view";
    EXPECT_FALSE(e[4].icon) << "alternate source: NAV follows 851 alone";
    sim().set(851, 0);
    host.update();
    EXPECT_EQ(e[4].icon, 0u);
    sim().set(848, 0);
    sim().set(755, 28);
    sim().set(851, 1);
    sim().set(288, 1);
    host.update();
    EXPECT_EQ(e[7].icon, 0u) << "HDG flag";
    sim().set(288, 0);
    sim().set(279, 1);
    host.update();
    EXPECT_EQ(e[7].icon, 0u);
    EXPECT_EQ(e[4].icon, 0u);
    EXPECT_EQ(e[9].icon, 0u);
}

TEST_F(NavGauges, HsiKnobsStepTheBugAndTheCourse) {
    GaugeInstance& hsi = place("HSI");
    const double bug_down = 245, bug_up = 270, course_down = 30, course_up = 55, y = 266;
    sim().set(855, 359);
    expect_event(click(hsi, bug_up, y, MOUSE_LEFT_BUTTON), 0x101FA, 0);
    EXPECT_EQ(sim().get(855), 0);
    sim().set(855, 355);
    expect_event(click(hsi, bug_up, y, MOUSE_RIGHT_BUTTON), 0x101FA, 5);
    sim().set(855, 5);
    expect_event(click(hsi, bug_down, y, MOUSE_RIGHT_BUTTON), 0x101FA, 355);
    sim().set(855, 0);
    expect_event(click(hsi, bug_down, y, MOUSE_LEFT_BUTTON), 0x101FA, 359);
    sim().set(855, 12.8);
    expect_event(click(hsi, bug_down, y, MOUSE_LEFT_BUTTON), 0x101FA, 11);
    // The course knob's halves start from different variables.
    sim().set(854, 100);
    sim().set(45, 200);
    expect_event(click(hsi, course_down, y, MOUSE_LEFT_BUTTON), 0x100B4, 99);
    sim().set(854, 100);
    sim().set(45, 200);
    expect_event(click(hsi, course_up, y, MOUSE_LEFT_BUTTON), 0x100B4, 201);
}

// RMI elements: 1 card, 2 double bar, 3 single bar, 5 left selector, 6 right.
TEST_F(NavGauges, RmiParksPointersOfReceiversSwitchedOff) {
    GaugeInstance& rmi = place("Collins_RMI");
    sim().set(550, 30);
    sim().set(59, 200);
    sim().set(39, 45);
    sim().set(84, 90);
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
    if (e[5].icon == 1u) host.click(rmi, 64, 235, MOUSE_LEFT_BUTTON); // back to VOR1
    if (e[6].icon == 1u) host.click(rmi, 235, 235, MOUSE_LEFT_BUTTON); // back to VOR2
    host.update();
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[3].record)->source.id, 550u);
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[2].record)->source.id, 59u);
    host.click(rmi, 235, 235, MOUSE_LEFT_BUTTON);
    host.update();
    EXPECT_EQ(e[6].icon, 1u) << "right selector on ADF";
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[2].record)->source.id, 39u);
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[3].record)->source.id, 550u);
    EXPECT_EQ(e[2].value_x, 90) << "ADF off: parked";
    host.click(rmi, 235, 235, MOUSE_LEFT_BUTTON);
    host.update();
    EXPECT_EQ(e[6].icon, 0u);
    EXPECT_EQ(reinterpret_cast<NeedleRecord*>(e[2].record)->source.id, 59u);
}

} // namespace
