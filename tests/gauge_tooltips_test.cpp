// What the pointer shows over the gauges whose mouse areas nest or lie side by
// side: the innermost area under the point that carries help or a tooltip gives
// it, whether or not it encloses the clickable area there (a knob's help area sits
// beside its click areas, which belong to the whole gauge).
#include "mouse_map.hpp"
#include "placed_gauges.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace panelhost;

namespace {

struct Expected {
    const char* gauge;
    double x, y;
    const char* tooltip; // or null, and then:
    uint32_t help_id;
};

constexpr Expected expected[] = {
    {"Becker_AR3202_COM1", 100, 85, "COM1 radio main switch", 0},
    {"Becker_AR3202_COM1", 240, 15, nullptr, 0x3160}, // the frequency knob's click area
    {"Becker_AR3202_COM1", 300, 100, nullptr, 0x3160},
    {"Becker_NR3320_NAV1", 100, 85, "NAV1 radio main switch", 0},
    {"Becker_NR3320_NAV1", 136, 85, "NAV1 radio Ident switch", 0},
    {"Becker_NR3320_NAV2", 100, 85, "NAV2 radio main switch", 0},
    {"Becker_AD3502_ADF", 100, 85, "ADF1 radio main switch", 0},
    {"Becker_AD3502_ADF", 209, 85, "ADF1 radio Ident switch", 0},
    {"HSI", 30, 260, nullptr, 0xAB38},              // course knob, down half
    {"HSI", 55, 260, nullptr, 0xAB38},              // course knob, up half
    {"HSI", 245, 260, nullptr, 0xAB33},             // heading knob
    {"HSI", 150, 150, nullptr, 0x3094},             // the face
    {"Bendix_KD1572_DME", 50, 15, nullptr, 0x317A}, // display
    {"Bendix_KD1572_DME", 70, 50, nullptr, 0x317C}, // knob, left click half
    {"Bendix_KD1572_DME", 95, 50, nullptr, 0x317C}, // knob, right click half
    {"Altimeter", 240, 250, nullptr, 0x3051},       // the setting knob
    {"Collins_RMI", 60, 230, nullptr, 0xAB5A},      // a selector
};

class GaugeTooltips : public PlacedGauges<> {};

TEST_F(GaugeTooltips, TheInnermostAreaWithHelpGivesThePointersTip) {
    for (const Expected& e : expected) {
        const PointerInfo info = pointer_info(place(e.gauge).mouse_map(), e.x, e.y);
        const std::string where = std::string(e.gauge) + " at " + std::to_string(int(e.x)) + "," +
                                  std::to_string(int(e.y));
        if (e.tooltip) {
            EXPECT_STREQ(info.tooltip ? info.tooltip : "(none)", e.tooltip) << where;
        } else {
            EXPECT_EQ(info.tooltip, nullptr) << where;
            EXPECT_EQ(info.help_id, e.help_id) << where;
        }
    }
}

} // namespace
