// The power switches the host reads from the gauges themselves, as scenarios that
// say the state they want rely on: off after loading, on after the ON button's
// click, off after the next.
#include "panel_host.hpp"
#include "switch_states.hpp"

#include <gtest/gtest.h>

using namespace panelhost;

TEST(SwitchStates, EachHeadsPowerSwitchReadsFromItsLamp) {
    struct Head {
        const char* gauge;
        double on_x, on_y;
    };
    for (Head head : {Head{"Becker_AR3202_COM1", 100, 85}, Head{"Becker_NR3320_NAV1", 100, 85},
                      Head{"Becker_NR3320_NAV2", 100, 85}, Head{"Becker_AD3502_ADF", 100, 85},
                      Head{"Becker_ATC3401_XPDR", 103, 85}}) {
        PanelHost host; // a fresh load: every set switched off
        std::string error;
        ASSERT_TRUE(host.load_module(MARLOW_MODULE_PATH, error)) << error;
        GaugeInstance* gauge = host.place("Marlow_Instr", head.gauge, std::nullopt, error);
        ASSERT_TRUE(gauge) << error;
        host.update();
        EXPECT_EQ(switch_is_on(*gauge), false) << head.gauge;
        host.click(*gauge, head.on_x, head.on_y, MOUSE_LEFT_BUTTON);
        host.update();
        EXPECT_EQ(switch_is_on(*gauge), true) << head.gauge;
        host.click(*gauge, head.on_x, head.on_y, MOUSE_LEFT_BUTTON);
        host.update();
        EXPECT_EQ(switch_is_on(*gauge), false) << head.gauge;
    }
    PanelHost host;
    std::string error;
    ASSERT_TRUE(host.load_module(MARLOW_MODULE_PATH, error)) << error;
    GaugeInstance* airspeed = host.place("Marlow_Instr", "Airspeed", std::nullopt, error);
    ASSERT_TRUE(airspeed) << error;
    EXPECT_EQ(switch_is_on(*airspeed), std::nullopt) << "no switch the host can read";
}
