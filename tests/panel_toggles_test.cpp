// The panel toggle buttons of the real module, placed and clicked through the host:
// the key events and window toggles their parameter strings ask for, their faces
// and tooltips.
#include "mouse_map.hpp"
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace panelhost;

namespace {

std::vector<KeyEvent> repeated(uint32_t event, size_t times) {
    return std::vector<KeyEvent>(times, KeyEvent{event, 0});
}

class PanelToggles : public PlacedGauges<> {
  protected:
    // The key events one click in the middle of the button sends.
    std::vector<KeyEvent> click(GaugeInstance& toggle) {
        host.simulation().clear_logs();
        EXPECT_TRUE(host.click(toggle, 9, 9, MOUSE_LEFT_BUTTON));
        return host.simulation().key_events();
    }

    // The key events that a click on Radios_Toggle with these parameters sends.
    std::vector<KeyEvent> click_with(const std::string& parameters) {
        return click(place("Radios_Toggle", parameters));
    }

    uint32_t face(const GaugeInstance& toggle) {
        return toggle.elements().at(0).record->resource_id;
    }
    uint32_t help_id(const GaugeInstance& toggle) { return toggle.header().mouse_areas[0].help_id; }
};

TEST_F(PanelToggles, WithoutParametersAClickTogglesTheMainPanelWindow) {
    GaugeInstance& radios = place("Radios_Toggle");
    EXPECT_TRUE(host.simulation().key_events().empty()) << "installation sends nothing";
    EXPECT_EQ(face(radios), 100u);
    EXPECT_EQ(help_id(radios), 0xAB86u);
    EXPECT_TRUE(click(radios).empty());
    EXPECT_EQ(host.simulation().window_toggles(), std::vector<uint32_t>{0});
}

TEST_F(PanelToggles, AStringWithoutOptionsMakesAClickDoNothing) {
    EXPECT_TRUE(click_with("   ").empty());
    EXPECT_TRUE(host.simulation().window_toggles().empty());
}

TEST_F(PanelToggles, OpenCloseAndToggleInThatOrderWhateverTheirOrderInTheString) {
    EXPECT_EQ(click_with("t75 c50 o10 oGPS_PANEL tOVERHEAD_PANEL"),
              (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_OPEN, 10},
                                     {KEY_PANEL_WINDOW_OPEN, 225},
                                     {KEY_PANEL_WINDOW_CLOSE, 50},
                                     {KEY_PANEL_WINDOW_TOGGLE, 75},
                                     {KEY_PANEL_WINDOW_TOGGLE, 250}}));
    EXPECT_TRUE(host.simulation().window_toggles().empty());
}

TEST_F(PanelToggles, OptionsAfterACommentMarkAreIgnored) {
    EXPECT_EQ(click_with("tGPS_PANEL/oMAIN_PANEL"),
              (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_TOGGLE, 225}}));
    EXPECT_EQ(click_with("o50 #c50"), (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_OPEN, 50}}));
    EXPECT_EQ(click_with("o50 'p2"), (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_OPEN, 50}}));
}

TEST_F(PanelToggles, WindowValuesMustFollowTheirKeyDirectly) {
    EXPECT_EQ(click_with("o RADIO_STACK_PANEL"),
              (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_OPEN, 0}}))
        << "a spaced name reads as the number 0";
    EXPECT_TRUE(click_with("o-5").empty()) << "negative windows are skipped";
    EXPECT_EQ(click_with("c50 o"), (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_CLOSE, 50}}))
        << "an o at the very end has no value";
    EXPECT_EQ(click_with("oANNUNCIATOR2_PANEL"),
              (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_OPEN, 150}}));
}

TEST_F(PanelToggles, ViewStepsFollowTheFirstP) {
    EXPECT_EQ(click_with("p-3"), repeated(KEY_VIEW_PREVIOUS, 3));
    EXPECT_EQ(click_with("p2 p-1"), repeated(KEY_VIEW_NEXT, 2));
    EXPECT_EQ(click_with("p0"), repeated(KEY_VIEW_RESET, 1));
    EXPECT_EQ(click_with("pX"), repeated(KEY_VIEW_RESET, 1));
    EXPECT_EQ(click_with("p"), repeated(KEY_VIEW_RESET, 1));
    EXPECT_EQ(click_with("o50 p1"),
              (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_OPEN, 50}, {KEY_VIEW_NEXT, 0}}));
}

TEST_F(PanelToggles, HugeViewStepCountsAreHeldAtOneHundred) {
    EXPECT_EQ(click_with("p99999999999"), repeated(KEY_VIEW_NEXT, 100));
    EXPECT_EQ(click_with("p-2147483648"), repeated(KEY_VIEW_PREVIOUS, 100));
}

TEST_F(PanelToggles, CloseAtStartHappensOnlyAtTheFirstInstallation) {
    GaugeInstance& close = place("Close_Subpanel", "aGPS_PANEL cGPS_PANEL");
    EXPECT_EQ(host.simulation().key_events(),
              (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_CLOSE, 225}}));
    EXPECT_EQ(close.header().user_word, 1u);
    host.simulation().clear_logs();
    host.reinstall(close);
    EXPECT_TRUE(host.simulation().key_events().empty());
    EXPECT_EQ(click(close), (std::vector<KeyEvent>{{KEY_PANEL_WINDOW_CLOSE, 225}}))
        << "the click options are unaffected";

    host.simulation().clear_logs();
    place("Throttle_Toggle", "a-1");
    place("Throttle_Toggle", "a");
    EXPECT_TRUE(host.simulation().key_events().empty()) << "no usable window, nothing closed";
}

TEST_F(PanelToggles, FaceAndHelpAreAppliedAtEveryInstallation) {
    GaugeInstance& radios = place("Radios_Toggle", "b150 hTOGGLE_GPS_WINDOW");
    EXPECT_EQ(face(radios), 150u) << "the black face";
    EXPECT_EQ(help_id(radios), 0xAB87u);
    EXPECT_EQ(pointer_info(radios.mouse_map(), 1, 1).help_id, 0xAB87u)
        << "the host shows the new help id";

    // Whatever the records hold before it, a new installation applies both again.
    radios.header().element_list[0]->resource_id = 100;
    radios.header().mouse_areas[0].help_id = 0;
    host.reinstall(radios);
    EXPECT_EQ(face(radios), 150u);
    EXPECT_EQ(help_id(radios), 0xAB87u);
}

TEST_F(PanelToggles, AFaceOutsideTheElevenSkipsTheHelpIdToo) {
    for (const char* parameters : {"b95 h43911", "b105 h43911", "b210 h43911", "b h43911"}) {
        GaugeInstance& throttle = place("Throttle_Toggle", parameters);
        EXPECT_EQ(face(throttle), 120u) << parameters;
        EXPECT_EQ(help_id(throttle), 0xAB88u) << parameters;
    }
    GaugeInstance& lowest = place("Throttle_Toggle", "b100 h43911");
    EXPECT_EQ(face(lowest), 100u);
    EXPECT_EQ(help_id(lowest), 0xAB87u);
}

TEST_F(PanelToggles, HelpIdsFromNumbersBelow0xA000AreZero) {
    EXPECT_EQ(help_id(place("GPS_Toggle", "h12345")), 0u);
    EXPECT_EQ(help_id(place("GPS_Toggle", "h43910")), 0xAB86u);
    EXPECT_EQ(help_id(place("Invisible_Toggle", "hTOGGLE_COMPASS_WINDOW")), 0xAB89u);
}

TEST_F(PanelToggles, ThreeButtonsHaveTheHostSendTheirKeyEvent) {
    EXPECT_EQ(click(place("ATC_Toggle", "o50")), (std::vector<KeyEvent>{{KEY_ATC_WINDOW, 0}}))
        << "and read no options";
    EXPECT_EQ(click(place("Kneeboard_Toggle")), (std::vector<KeyEvent>{{KEY_KNEEBOARD_WINDOW, 0}}));
    GaugeInstance& map = place("Map_Toggle");
    host.simulation().clear_logs();
    EXPECT_TRUE(host.click(map, 6, 6, MOUSE_LEFT_BUTTON)) << "inside its 12 x 12 face";
    EXPECT_EQ(host.simulation().key_events(), (std::vector<KeyEvent>{{KEY_MAP_WINDOW, 0}}));
    EXPECT_TRUE(host.simulation().window_toggles().empty());
}

TEST_F(PanelToggles, OnlyTheMiddleOfTheButtonTakesLeftClicks) {
    GaugeInstance& compass = place("Compass_Toggle", "tCOMPASS_PANEL");
    EXPECT_FALSE(host.click(compass, 1, 1, MOUSE_LEFT_BUTTON)) << "outside the click box";
    EXPECT_FALSE(host.click(compass, 9, 9, MOUSE_RIGHT_BUTTON));
    EXPECT_TRUE(host.simulation().key_events().empty());
    EXPECT_EQ(pointer_info(compass.mouse_map(), 9, 9).cursor, CURSOR_HAND);
}

TEST_F(PanelToggles, ThreeButtonsCarryTooltipTexts) {
    const std::pair<const char*, const char*> tooltips[] = {
        {"Close_Subpanel", "Close subpanel window"},
        {"Landing_View_Toggle", "Switch normal view / landing view"},
        {"Electricity_Toggle", "Display/Hide electricity subpanel"}};
    for (auto [gauge, text] : tooltips) {
        PointerInfo info = pointer_info(place(gauge).mouse_map(), 1, 1);
        ASSERT_NE(info.tooltip, nullptr) << gauge;
        EXPECT_STREQ(info.tooltip, text);
    }
}

TEST_F(PanelToggles, ALongParameterStringDoesNoHarm) {
    std::string parameters(1000, 'o');
    EXPECT_EQ(click_with(parameters).size(), 999u) << "every o but the last opens window 0";
    EXPECT_EQ(click_with(std::string(1000, 'X')).size(), 0u);
}

} // namespace
