// The radio stack of the real module, placed, updated and clicked through the host:
// the frequency windows' texts, the knobs' step events and their limits, power
// gating, transfers and their light, ident mirroring, the ADF's own preset, and the
// host's effects of the events the heads send.
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace panelhost;

namespace {

using Events = std::vector<KeyEvent>;

Events one(uint32_t event, uint32_t value = 0) { return {KeyEvent{event, value}}; }
const Events none{};

// Element indices in drawing order.
namespace com_element {
constexpr size_t transfer_light = 3, preset = 4, active = 5, on_unlit = 6, on_lit = 7, lamp = 8,
                 cover = 9, lit_faces = 2;
}
namespace ident_element { // NAV and ADF heads
constexpr size_t lit_faces = 2, transfer_light = 3, preset = 4, active = 5, ident_unlit = 6,
                 ident_lit = 7, on_unlit = 8, on_lit = 9, lamp = 10, cover = 11;
}

// Click points inside the heads' areas.
struct Spot {
    double x, y;
};
constexpr Spot on_button{100, 85};
constexpr Spot voice_button{136, 85};
constexpr Spot adf_button{209, 85};
constexpr Spot transfer_button{172, 28};
constexpr Spot whole_up{280, 66}, whole_down{280, 92}, fraction_up{305, 66}, fraction_down{305, 92};
constexpr Spot window_whole_up{230, 10}, window_fraction_down{270, 35};

class Radios : public PlacedGauges<> {
  protected:
    // A head placed and updated once.
    GaugeInstance& place(const char* name,
                         std::source_location where = std::source_location::current()) {
        GaugeInstance& head = PlacedGauges::place(name, std::nullopt, where);
        host.update();
        return head;
    }

    // The key events one click sends (the gauge updated before it).
    Events click(GaugeInstance& gauge, Spot spot, uint32_t buttons = MOUSE_LEFT_BUTTON) {
        host.update();
        host.simulation().clear_logs();
        host.click(gauge, spot.x, spot.y, buttons);
        return host.simulation().key_events();
    }

    // Many clicks in a row, without updates in between.
    void clicks(GaugeInstance& gauge, Spot spot, int times) {
        for (int i = 0; i < times; ++i)
            host.click(gauge, spot.x, spot.y, MOUSE_LEFT_BUTTON);
    }

    Events click_with_preset(GaugeInstance& gauge, uint32_t variable, uint32_t bcd, Spot spot) {
        host.simulation().set(variable, bcd);
        return click(gauge, spot);
    }

    bool shown(GaugeInstance& gauge, size_t index) {
        const ElementState& state = element(gauge, index);
        return state.drawn && state.icon.has_value();
    }
    std::string text(GaugeInstance& gauge, size_t index) { return element(gauge, index).text; }

    double named(const char* name) {
        double value = -1;
        host.simulation().evaluate((std::string("(A:") + name + ")").c_str(), &value, nullptr,
                                   nullptr);
        return value;
    }
};

TEST_F(Radios, FrequencyTextsShowTheBcdDigits) {
    GaugeInstance& com = place("Becker_AR3202_COM1");
    GaugeInstance& nav = place("Becker_NR3320_NAV1");
    for (auto [bcd, shown_text] : {std::pair{0x1795u, "117.95"},
                                   {0x0800u, "108.00"},
                                   {0x3697u, "136.97"},
                                   {0x2350u, "123.50"}}) {
        host.simulation().set(VAR_COM_STANDBY_FREQUENCY, bcd);
        host.simulation().set(VAR_NAV1_FREQUENCY, bcd);
        EXPECT_EQ(text(com, com_element::preset), shown_text);
        EXPECT_EQ(text(nav, ident_element::active), shown_text);
    }
    // Digits out of range never write past the six characters of the window.
    host.simulation().set(VAR_COM_FREQUENCY, 4294967295.0);
    const ElementState& active = element(com, com_element::active);
    EXPECT_EQ(active.text, "1fffff");
    EXPECT_EQ(active.text_capacity, 7u);
}

TEST_F(Radios, ComAfterLoadIsCoveredAndSendsNothing) {
    GaugeInstance& com = place("Becker_AR3202_COM1");
    EXPECT_TRUE(shown(com, com_element::cover));
    EXPECT_FALSE(shown(com, com_element::lamp));
    EXPECT_EQ(text(com, com_element::active), "118.00") << "texts are written under the cover";
    EXPECT_EQ(text(com, com_element::preset), "121.50");
    for (Spot spot : {transfer_button, whole_up, whole_down, fraction_up, fraction_down})
        EXPECT_EQ(click(com, spot), none);

    EXPECT_EQ(click(com, on_button), none) << "the ON button sends no key event";
    EXPECT_FALSE(shown(com, com_element::cover));
    EXPECT_TRUE(shown(com, com_element::lamp));
    EXPECT_TRUE(shown(com, com_element::on_unlit));
    EXPECT_FALSE(shown(com, com_element::on_lit));
    click(com, on_button);
    EXPECT_TRUE(shown(com, com_element::cover));
    EXPECT_FALSE(shown(com, com_element::on_unlit));
}

TEST_F(Radios, ComKnobStopsAtTheBandEdges) {
    GaugeInstance& com = place("Becker_AR3202_COM1");
    auto with_preset = [&](uint32_t bcd, Spot spot) {
        return click_with_preset(com, VAR_COM_STANDBY_FREQUENCY, bcd, spot);
    };
    click(com, on_button);
    EXPECT_EQ(with_preset(0x3600, whole_up), none);
    EXPECT_EQ(with_preset(0x3600, whole_down), one(KEY_COM_WHOLE_DEC));
    EXPECT_EQ(with_preset(0x1800, whole_down), none);
    EXPECT_EQ(with_preset(0x1800, fraction_down), none);
    EXPECT_EQ(with_preset(0x1800, fraction_up), one(KEY_COM_FRACTION_INC));
    EXPECT_EQ(with_preset(0x3697, fraction_up), one(KEY_COM_FRACTION_INC));
    EXPECT_EQ(with_preset(0x1802, fraction_down), one(KEY_COM_FRACTION_DEC));
    EXPECT_EQ(with_preset(0x3500, whole_up), one(KEY_COM_WHOLE_INC));
    EXPECT_EQ(with_preset(0x3500, window_whole_up), one(KEY_COM_WHOLE_INC));
    EXPECT_EQ(with_preset(0x1805, window_fraction_down), one(KEY_COM_FRACTION_DEC));
}

TEST_F(Radios, ComHeldWholeUpStepsThroughTheHostUntil136) {
    GaugeInstance& com = place("Becker_AR3202_COM1");
    click(com, on_button);
    host.simulation().set(VAR_COM_STANDBY_FREQUENCY, 0x3025);
    size_t sent = 0;
    for (int i = 0; i < 20; ++i)
        sent += click(com, window_whole_up).size();
    EXPECT_EQ(sent, 6u);
    EXPECT_EQ(text(com, com_element::preset), "136.25");
}

TEST_F(Radios, ComTransferSwapsAndLightsTheButtonFor15Updates) {
    GaugeInstance& com = place("Becker_AR3202_COM1");
    host.simulation().set(VAR_PANEL_LIGHTING, 0);
    click(com, on_button);
    EXPECT_FALSE(shown(com, com_element::transfer_light));
    EXPECT_EQ(click(com, transfer_button), one(KEY_COM_STANDBY_SWAP));
    EXPECT_EQ(text(com, com_element::active), "121.50") << "the host swapped the two";
    EXPECT_EQ(text(com, com_element::preset), "118.00");
    int lit = 0;
    for (int i = 0; i < 30; ++i)
        lit += shown(com, com_element::transfer_light);
    // The update inside `text` above already used two of the fifteen.
    EXPECT_EQ(lit, 13);

    host.simulation().set(VAR_PANEL_LIGHTING, 1);
    EXPECT_TRUE(shown(com, com_element::transfer_light)) << "lit panel";
    EXPECT_TRUE(shown(com, com_element::lit_faces));
    EXPECT_TRUE(shown(com, com_element::on_lit));
    EXPECT_FALSE(shown(com, com_element::on_unlit));
}

TEST_F(Radios, ComFailuresHideTheWindowsAndLamp) {
    GaugeInstance& com = place("Becker_AR3202_COM1");
    click(com, on_button);
    set_failure(FAILURE_AVIONICS, true);
    EXPECT_FALSE(element(com, com_element::active).drawn);
    EXPECT_FALSE(element(com, com_element::lamp).drawn);
    EXPECT_TRUE(element(com, com_element::on_unlit).drawn) << "no failure pair";
    set_failure(FAILURE_AVIONICS, false);
    set_failure(FAILURE_COM_RADIO, true);
    EXPECT_TRUE(element(com, com_element::active).drawn) << "action 0 does nothing";
}

TEST_F(Radios, NavKnobLimitsAndEachReceiverItsOwnEvents) {
    GaugeInstance& nav1 = place("Becker_NR3320_NAV1");
    GaugeInstance& nav2 = place("Becker_NR3320_NAV2");
    auto nav1_with_preset = [&](uint32_t bcd, Spot spot) {
        return click_with_preset(nav1, VAR_NAV1_STANDBY_FREQUENCY, bcd, spot);
    };
    auto nav2_with_preset = [&](uint32_t bcd, Spot spot) {
        return click_with_preset(nav2, VAR_NAV2_STANDBY_FREQUENCY, bcd, spot);
    };
    EXPECT_EQ(click(nav1, fraction_up), none) << "off";
    click(nav1, on_button);
    EXPECT_EQ(click(nav2, whole_up), none) << "NAV2 is still off";
    EXPECT_EQ(nav1_with_preset(0x1795, fraction_up), none);
    EXPECT_EQ(nav1_with_preset(0x1790, fraction_up), one(KEY_NAV1_FRACTION_INC));
    EXPECT_EQ(nav1_with_preset(0x0805, fraction_down), one(KEY_NAV1_FRACTION_DEC));
    EXPECT_EQ(nav1_with_preset(0x0800, fraction_down), none);
    EXPECT_EQ(nav1_with_preset(0x1700, whole_up), none);
    EXPECT_EQ(nav1_with_preset(0x0800, whole_down), none);
    EXPECT_EQ(nav1_with_preset(0x0995, whole_up), one(KEY_NAV1_WHOLE_INC));
    EXPECT_EQ(nav1_with_preset(0x0995, whole_down), one(KEY_NAV1_WHOLE_DEC));
    EXPECT_EQ(click(nav1, transfer_button), one(KEY_NAV1_STANDBY_SWAP));

    click(nav2, on_button);
    EXPECT_EQ(nav2_with_preset(0x1795, fraction_up), none);
    EXPECT_EQ(nav2_with_preset(0x1790, fraction_up), one(KEY_NAV2_FRACTION_INC));
    EXPECT_EQ(nav2_with_preset(0x0805, fraction_down), one(KEY_NAV2_FRACTION_DEC));
    EXPECT_EQ(nav2_with_preset(0x1000, whole_up), one(KEY_NAV2_WHOLE_INC));
    EXPECT_EQ(nav2_with_preset(0x1000, whole_down), one(KEY_NAV2_WHOLE_DEC));
    EXPECT_EQ(click(nav2, transfer_button), one(KEY_NAV2_STANDBY_SWAP));
}

TEST_F(Radios, NavIdentIsMirroredToTheHost) {
    host.simulation().clear_logs();
    GaugeInstance& nav1 = place("Becker_NR3320_NAV1");
    EXPECT_EQ(host.simulation().key_events(), one(KEY_NAV1_IDENT_OFF)) << "silent at installation";
    EXPECT_EQ(click(nav1, voice_button), none) << "off";
    EXPECT_EQ(click(nav1, on_button), none);
    EXPECT_EQ(click(nav1, voice_button), one(KEY_NAV1_IDENT_ON));
    EXPECT_EQ(named("NAV SOUND:1,bool"), 1);
    EXPECT_TRUE(shown(nav1, ident_element::ident_unlit));
    EXPECT_FALSE(shown(nav1, ident_element::ident_lit));
    host.simulation().set(VAR_PANEL_LIGHTING, 1);
    EXPECT_TRUE(shown(nav1, ident_element::ident_lit));
    EXPECT_EQ(click(nav1, on_button), one(KEY_NAV1_IDENT_OFF)) << "switching off silences it";
    EXPECT_EQ(named("NAV SOUND:1,bool"), 0);
    EXPECT_FALSE(shown(nav1, ident_element::ident_unlit));
    EXPECT_EQ(click(nav1, voice_button), none);

    GaugeInstance& nav2 = place("Becker_NR3320_NAV2");
    click(nav2, on_button);
    EXPECT_EQ(click(nav2, voice_button), one(KEY_NAV2_IDENT_ON));
    EXPECT_EQ(click(nav2, voice_button), one(KEY_NAV2_IDENT_OFF));
    EXPECT_FALSE(shown(nav1, ident_element::lamp)) << "NAV2 never touches NAV1";
}

TEST_F(Radios, HostStepsWrapInsideTheBands) {
    Simulation& sim = host.simulation();
    auto after = [&](uint32_t variable, uint32_t bcd, uint32_t event) {
        sim.set(variable, bcd);
        sim.trigger_key_event(event, 0);
        return uint32_t(sim.get(variable));
    };
    EXPECT_EQ(after(VAR_COM_STANDBY_FREQUENCY, 0x3697, KEY_COM_FRACTION_INC), 0x3600u)
        << "fraction wraps inside its MHz";
    EXPECT_EQ(after(VAR_COM_STANDBY_FREQUENCY, 0x3600, KEY_COM_FRACTION_DEC), 0x3697u);
    EXPECT_EQ(after(VAR_COM_STANDBY_FREQUENCY, 0x1800, KEY_COM_FRACTION_INC), 0x1802u)
        << "118.025 shows 118.02";
    EXPECT_EQ(after(VAR_COM_STANDBY_FREQUENCY, 0x1802, KEY_COM_FRACTION_INC), 0x1805u);
    EXPECT_EQ(after(VAR_COM_STANDBY_FREQUENCY, 0x1807, KEY_COM_FRACTION_INC), 0x1810u);
    EXPECT_EQ(after(VAR_COM_STANDBY_FREQUENCY, 0x3650, KEY_COM_WHOLE_INC), 0x1850u)
        << "136 up wraps to 118";
    EXPECT_EQ(after(VAR_COM_STANDBY_FREQUENCY, 0x1850, KEY_COM_WHOLE_DEC), 0x3650u);
    EXPECT_EQ(after(VAR_NAV1_STANDBY_FREQUENCY, 0x1795, KEY_NAV1_FRACTION_INC), 0x1700u);
    EXPECT_EQ(after(VAR_NAV1_STANDBY_FREQUENCY, 0x0800, KEY_NAV1_FRACTION_DEC), 0x0895u);
    EXPECT_EQ(after(VAR_NAV1_STANDBY_FREQUENCY, 0x1750, KEY_NAV1_WHOLE_INC), 0x0850u);
    EXPECT_EQ(after(VAR_NAV2_STANDBY_FREQUENCY, 0x0950, KEY_NAV2_WHOLE_INC), 0x1050u);
    EXPECT_EQ(after(VAR_NAV1_STANDBY_FREQUENCY, 0x0950, KEY_NAV2_WHOLE_INC), 0x0950u)
        << "NAV2's event leaves NAV1 alone";

    sim.set(VAR_NAV2_FREQUENCY, 0x1050);
    sim.set(VAR_NAV2_STANDBY_FREQUENCY, 0x1390);
    sim.trigger_key_event(KEY_NAV2_STANDBY_SWAP, 0);
    EXPECT_EQ(sim.get(VAR_NAV2_FREQUENCY), 0x1390);
    EXPECT_EQ(sim.get(VAR_NAV2_STANDBY_FREQUENCY), 0x1050);

    sim.trigger_key_event(KEY_ADF_FREQUENCY_SET, 0x3445);
    EXPECT_EQ(sim.get(VAR_ADF_FREQUENCY), 0x344);
    EXPECT_EQ(sim.get(VAR_ADF_FREQUENCY_TENTHS), 5);
    sim.trigger_key_event(KEY_ADF_FREQUENCY_HIGH_SET, 0x2345);
    EXPECT_EQ(sim.get(VAR_ADF_FREQUENCY), 0x234);
    EXPECT_EQ(sim.get(VAR_ADF_FREQUENCY_TENTHS), 0x105);
}

TEST_F(Radios, AdfPresetStepsWithinItsRange) {
    GaugeInstance& adf = place("Becker_AD3502_ADF");
    EXPECT_EQ(text(adf, ident_element::preset), "0200.0");
    click(adf, fraction_up);
    EXPECT_EQ(text(adf, ident_element::preset), "0200.0") << "off";
    EXPECT_EQ(click(adf, on_button), none);
    for (Spot spot : {fraction_down, whole_down})
        click(adf, spot);
    EXPECT_EQ(text(adf, ident_element::preset), "0200.0");
    for (int i = 0; i < 3; ++i)
        click(adf, fraction_up);
    EXPECT_EQ(text(adf, ident_element::preset), "0200.3");

    click(adf, whole_up, MOUSE_RIGHT_BUTTON);
    click(adf, whole_up);
    EXPECT_EQ(text(adf, ident_element::preset), "0301.3");
    click(adf, whole_down, MOUSE_RIGHT_BUTTON);
    EXPECT_EQ(text(adf, ident_element::preset), "0201.3");
    click(adf, whole_down, MOUSE_RIGHT_BUTTON);
    EXPECT_EQ(text(adf, ident_element::preset), "0201.3") << "below 300";
    click(adf, whole_down);
    EXPECT_EQ(text(adf, ident_element::preset), "0200.3");

    // Up to the top in tenths: exact after thousands of steps.
    clicks(adf, fraction_up, 20000);
    EXPECT_EQ(text(adf, ident_element::preset), "1799.9");
    clicks(adf, fraction_down, 16000);
    EXPECT_EQ(text(adf, ident_element::preset), "0200.0");
    clicks(adf, fraction_up, 14989);
    EXPECT_EQ(text(adf, ident_element::preset), "1698.9");
    click(adf, whole_up);
    EXPECT_EQ(text(adf, ident_element::preset), "1698.9") << "above 1698.0";
    clicks(adf, fraction_down, 9);
    EXPECT_EQ(text(adf, ident_element::preset), "1698.0");
    click(adf, whole_up, MOUSE_RIGHT_BUTTON);
    EXPECT_EQ(text(adf, ident_element::preset), "1798.0");
}

TEST_F(Radios, AdfTransferSendsThePresetAndTakesBackTheActive) {
    GaugeInstance& adf = place("Becker_AD3502_ADF");
    host.simulation().set(VAR_ADF_FREQUENCY, 0x0344);
    host.simulation().set(VAR_ADF_FREQUENCY_TENTHS, 0x0005);
    EXPECT_EQ(text(adf, ident_element::active), "0344.5");
    EXPECT_EQ(click(adf, transfer_button), none) << "off";
    click(adf, on_button);
    for (int i = 0; i < 3; ++i)
        click(adf, fraction_up);
    EXPECT_EQ(click(adf, transfer_button), one(KEY_ADF_FREQUENCY_SET, 0x2003));
    EXPECT_EQ(text(adf, ident_element::preset), "0344.5");
    EXPECT_EQ(text(adf, ident_element::active), "0200.3") << "the host applied it";

    host.simulation().set(VAR_ADF_FREQUENCY, 0x0234);
    host.simulation().set(VAR_ADF_FREQUENCY_TENTHS, 0x0105);
    EXPECT_EQ(text(adf, ident_element::active), "1234.5");
    EXPECT_EQ(click(adf, transfer_button), one(KEY_ADF_FREQUENCY_SET, 0x3445));
    EXPECT_EQ(text(adf, ident_element::preset), "1234.5");
    EXPECT_EQ(click(adf, transfer_button), one(KEY_ADF_FREQUENCY_HIGH_SET, 0x2345));
    EXPECT_EQ(text(adf, ident_element::active), "1234.5");
}

TEST_F(Radios, AdfIdentAndPower) {
    GaugeInstance& adf = place("Becker_AD3502_ADF");
    EXPECT_EQ(host.simulation().key_events(), none) << "nothing sent at installation";
    EXPECT_EQ(click(adf, adf_button), none) << "off";
    click(adf, on_button);
    EXPECT_EQ(click(adf, adf_button), one(KEY_ADF_IDENT_ON));
    EXPECT_EQ(named("ADF SOUND,bool"), 1);
    EXPECT_TRUE(shown(adf, ident_element::ident_unlit));
    EXPECT_EQ(click(adf, adf_button), one(KEY_ADF_IDENT_OFF));
    click(adf, adf_button);
    EXPECT_EQ(click(adf, on_button), one(KEY_ADF_IDENT_OFF));
    EXPECT_FALSE(shown(adf, ident_element::ident_unlit));
    EXPECT_TRUE(shown(adf, ident_element::cover));
}

} // namespace
