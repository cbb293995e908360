// Panel windows in the host: the window key events and the toggle_window service
// show and hide windows by number, a panel's windows start as its file says, and
// a toggle button's click shows or hides its window.
#include "panel.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

using namespace panelhost;

namespace {

constexpr uint32_t compass_panel = 75;

const std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();

TEST(WindowState, KeyEventsOpenCloseAndToggleWindowsByNumber) {
    Simulation simulation;
    EXPECT_FALSE(simulation.window_visible(50)) << "a window nobody showed is hidden";
    simulation.trigger_key_event(KEY_PANEL_WINDOW_OPEN, 50);
    EXPECT_TRUE(simulation.window_visible(50));
    simulation.trigger_key_event(KEY_PANEL_WINDOW_OPEN, 50);
    EXPECT_TRUE(simulation.window_visible(50)) << "opening an open window keeps it open";
    simulation.trigger_key_event(KEY_PANEL_WINDOW_TOGGLE, 50);
    EXPECT_FALSE(simulation.window_visible(50));
    simulation.trigger_key_event(KEY_PANEL_WINDOW_TOGGLE, 50);
    EXPECT_TRUE(simulation.window_visible(50));
    simulation.trigger_key_event(KEY_PANEL_WINDOW_CLOSE, 50);
    EXPECT_FALSE(simulation.window_visible(50));
    EXPECT_EQ(simulation.key_events().size(), 5u);
    EXPECT_TRUE(simulation.window_toggles().empty());
}

TEST(WindowState, TheToggleWindowServiceIsRecordedAndFlipsTheWindow) {
    Simulation simulation;
    simulation.set_window_visible(0, true);
    simulation.toggle_window(0);
    EXPECT_FALSE(simulation.window_visible(0));
    simulation.toggle_window(0);
    EXPECT_TRUE(simulation.window_visible(0));
    EXPECT_EQ(simulation.window_toggles(), (std::vector<uint32_t>{0, 0}));
    EXPECT_TRUE(simulation.key_events().empty());
}

// A main panel with a compass toggle, and a compass window.
std::string two_window_panel(const std::string& toggle_parameters, bool compass_visible) {
    return "[Window00]\nsize_mm=100,60\nident=MAIN_PANEL\nvisible=1\n"
           "gauge00=Marlow_Instr!Compass_Toggle, 10, 10, 38, , " +
           toggle_parameters +
           "\n"
           "[Window01]\nsize_mm=160,160\nident=COMPASS_PANEL\nvisible=" +
           (compass_visible ? "1" : "0") +
           "\n"
           "gauge00=Marlow_Instr!Magnetic_Compass, 5, 5, 150\n"
           "[Window02]\nsize_mm=50,50\nvisible=0\n";
}

Panel place(PanelHost& host, const std::string& text) {
    std::istringstream file(text);
    Panel panel(host, read_panel_config(file, "windows.cfg"), module_dir);
    EXPECT_TRUE(panel.problems().empty()) << panel.problems().front();
    return panel;
}

TEST(PanelWindows, WindowsStartAsThePanelFileSays) {
    PanelHost host;
    Panel panel = place(host, two_window_panel("tCOMPASS_PANEL", false));
    ASSERT_EQ(panel.windows().size(), 3u);
    EXPECT_TRUE(panel.window_visible(panel.windows()[0]));
    EXPECT_FALSE(panel.window_visible(panel.windows()[1]));
    EXPECT_FALSE(panel.window_visible(panel.windows()[2])) << "a window without a number";
    EXPECT_TRUE(host.simulation().window_visible(0));
    EXPECT_FALSE(host.simulation().window_visible(compass_panel));
}

TEST(PanelWindows, AToggleClickShowsAndHidesItsWindow) {
    PanelHost host;
    Panel panel = place(host, two_window_panel("tCOMPASS_PANEL", false));
    GaugeInstance& toggle = *panel.windows()[0].gauges.at(0).instance;
    const PlacedWindow& compass = panel.windows()[1];
    ASSERT_TRUE(host.click(toggle, 9, 9, MOUSE_LEFT_BUTTON));
    EXPECT_TRUE(panel.window_visible(compass));
    ASSERT_TRUE(host.click(toggle, 9, 9, MOUSE_LEFT_BUTTON));
    EXPECT_FALSE(panel.window_visible(compass));
}

TEST(PanelWindows, AGaugeMayCloseAWindowWhenItIsInstalled) {
    PanelHost host;
    Panel panel = place(host, two_window_panel("aCOMPASS_PANEL", true));
    EXPECT_FALSE(panel.window_visible(panel.windows()[1]))
        << "the file's visible=1 is applied before the gauges are installed";
}

// The example panel places every gauge of both modules, and nothing is refused.
TEST(PanelWindows, TheExamplePanelPlacesEveryGaugeOfBothModules) {
    PanelHost host;
    Panel panel(host, load_panel_config(PANEL_EXAMPLES_DIR "/panel.cfg"), module_dir);
    for (const std::string& problem : panel.problems())
        ADD_FAILURE() << problem;

    std::set<std::string> placed;
    for (const PlacedWindow& window : panel.windows())
        for (const PlacedGauge& gauge : window.gauges)
            if (gauge.instance) placed.insert(gauge.module + "!" + gauge.instance->name());
    std::set<std::string> published;
    for (const auto& [name, module] : host.modules())
        for (const GaugeHeader* header : module->gauges())
            published.insert(name + "!" + header->name);
    EXPECT_EQ(published.size(), 42u);
    EXPECT_EQ(placed, published);
}

// The simulator cuts a window's gauges off at its edges: placements that reach past
// them, or lie wholly outside, are reported once per window with their lines, and
// the rest of the panel places as before. A window sized by its gauges cuts none.
TEST(PanelWindows, PlacementsPastAWindowsEdgesAreReportedOncePerWindow) {
    PanelHost host;
    std::istringstream file("[Window00]\nsize_mm=300,200\n"
                            "gauge00=Marlow_Instr!Airspeed, 0, 0, 150\n"
                            "gauge01=Marlow_Instr!Altimeter, 200, 0, 150\n"
                            "gauge02=Marlow_Instr!HSI, -10, 100, 150\n"
                            "gauge03=Marlow_Instr!Attitude, 300, 0, 100\n"
                            // a unit past the bottom: not counted
                            "gauge04=Marlow_Instr!Vertical_Speed, 150, 50, 150, 151\n"
                            "[Window01]\n"
                            "gauge00=Marlow_Instr!Airspeed, 500, 500, 150\n");
    Panel panel(host, read_panel_config(file, "edges.cfg"), module_dir);
    EXPECT_EQ(panel.problems(),
              (std::vector<std::string>{
                  "edges.cfg:4: 2 placements (lines 4 and 5) reach past the edges of [Window00] "
                  "(300 by 200 units) and are cut off there",
                  "edges.cfg:6: Marlow_Instr!Attitude lies wholly outside [Window00] (300 by 200 "
                  "units) and is not shown"}));
    EXPECT_EQ(panel.windows()[0].gauges.size(), 5u);
    EXPECT_TRUE(panel.windows()[0].gauges[3].instance) << "placed all the same";
}

} // namespace
