// Reading panel configuration files: windows, gauges with their parameter strings,
// and bad lines reported by file and line while the rest still loads.
#include "panel_config.hpp"

#include <gtest/gtest.h>

#include <sstream>

using namespace panelhost;

namespace {

PanelConfig read(const std::string& text) {
    std::istringstream in(text);
    return read_panel_config(in, "test.cfg");
}

TEST(PanelConfig, ReadsWindowsAndGauges) {
    PanelConfig config = read(R"([Window Titles]
Window00=Main panel
Window01=Radio stack

[Window00]
size_mm=1024,768
ident=MAIN_PANEL          ; a name of the window table
visible=1
gauge00=Marlow_Instr!Airspeed, 20, 40, 150
gauge01=Marlow_Instr!Torque,  200, 40, 150, 150, 2

[Window01]
size_mm=400,300
ident=50
visible=0
gauge00=Marlow_Instr!Registration, 0, 0, 150, , tD-IMAR r255,g0;b0

[Aircraft]
atc_id=D-IMAR
)");
    EXPECT_TRUE(config.errors.empty()) << config.errors.front();
    ASSERT_EQ(config.windows.size(), 2u);
    const PanelWindow& main = config.windows[0];
    EXPECT_EQ(main.title, "Main panel");
    EXPECT_EQ(main.width, 1024);
    EXPECT_EQ(main.height, 768);
    EXPECT_EQ(main.ident, 0);
    EXPECT_TRUE(main.visible);
    ASSERT_EQ(main.gauges.size(), 2u);
    EXPECT_EQ(main.gauges[0].module, "Marlow_Instr");
    EXPECT_EQ(main.gauges[0].gauge, "Airspeed");
    EXPECT_EQ(main.gauges[0].x, 20);
    EXPECT_EQ(main.gauges[0].width, 150);
    EXPECT_FALSE(main.gauges[0].height);
    EXPECT_FALSE(main.gauges[0].parameters) << "no fifth comma: no parameter string";
    EXPECT_EQ(main.gauges[1].height, 150);
    EXPECT_EQ(main.gauges[1].parameters, "2");
    EXPECT_EQ(main.gauges[1].line, 10);

    const PanelWindow& radios = config.windows[1];
    EXPECT_EQ(radios.title, "Radio stack");
    EXPECT_EQ(radios.ident, 50);
    EXPECT_FALSE(radios.visible);
    ASSERT_EQ(radios.gauges.size(), 1u);
    EXPECT_FALSE(radios.gauges[0].height) << "an empty height keeps the proportions";
    EXPECT_EQ(radios.gauges[0].parameters, "tD-IMAR r255,g0;b0")
        << "the parameter string keeps its commas and semicolons";
    EXPECT_EQ(config.atc_id, "D-IMAR");
}

TEST(PanelConfig, BadLinesAreReportedAndSkipped) {
    PanelConfig config = read(R"(gauge00=Marlow_Instr!Airspeed, 0, 0, 100
[Window00]
size_mm=1024
ident=NO_SUCH_PANEL
gauge00=Marlow_Instr!Airspeed, 20, 40, 150
gauge01=Airspeed, 20, 40, 150
gauge02=Marlow_Instr!Airspeed, x, 40, 150
gauge03=Marlow_Instr!Airspeed, 20, 40, -5
gauge04=Marlow_Instr!Airspeed, 20, 40
just some words
[Mystery]
anything=goes
[Window00
gauge05=Marlow_Instr!Vertical_Speed, 200, 40, 150
)");
    ASSERT_EQ(config.windows.size(), 1u);
    ASSERT_EQ(config.windows[0].gauges.size(), 1u) << "the good gauge still loads";
    EXPECT_EQ(config.windows[0].gauges[0].gauge, "Airspeed");
    std::vector<std::string> want = {
        "test.cfg:1: line before any [section]",
        "test.cfg:3: size_mm needs two positive numbers, as size_mm=1024,768",
        "test.cfg:4: ident NO_SUCH_PANEL is neither a window name nor a number",
        "test.cfg:6: gauge name \"Airspeed\" is not of the form Module!Gauge",
        "test.cfg:7: gauge position must be two whole numbers",
        "test.cfg:8: gauge width must be a positive whole number",
        "test.cfg:9: a gauge needs Module!Gauge, x, y, width[, height][, parameters]",
        "test.cfg:10: expected key=value or [section]",
        "test.cfg:11: unknown section [Mystery]; its lines are skipped",
        "test.cfg:13: section header without closing ]",
    };
    EXPECT_EQ(config.errors, want);
}

TEST(PanelConfig, AMissingFileIsOneError) {
    PanelConfig config = load_panel_config("/nonexistent/panel.cfg");
    EXPECT_TRUE(config.windows.empty());
    ASSERT_EQ(config.errors.size(), 1u);
    EXPECT_EQ(config.errors[0], "/nonexistent/panel.cfg: cannot open the panel file");
}

TEST(PanelConfig, WindowNamesHaveTheirNumbers) {
    EXPECT_EQ(window_number_of("RADIO_STACK_PANEL"), 50);
    EXPECT_EQ(window_number_of("ANNUNCIATOR2_PANEL"), 150);
    EXPECT_EQ(window_number_of("OVERHEAD_PANEL"), 250);
    EXPECT_FALSE(window_number_of("main_panel"));
}

} // namespace
