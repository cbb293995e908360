// A rendered panel shows only its visible windows: a toggle button's click brings
// its window into the picture and takes it out again.
#include "panel.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace panelhost;

namespace {

TEST(RenderedPanelWindows, ACompassToggleShowsAndHidesTheCompassWindow) {
    std::string error;
    ASSERT_TRUE(use_panel_fonts(error)) << error;
    std::istringstream file(R"([Window00]
size_mm=100,60
ident=MAIN_PANEL
gauge00=Marlow_Instr!Compass_Toggle, 10, 10, 38, , tCOMPASS_PANEL

[Window01]
size_mm=160,160
ident=COMPASS_PANEL
visible=0
gauge00=Marlow_Instr!Magnetic_Compass, 5, 5, 150
gauge01=Marlow_Instr!Close_Subpanel, 136, 136, 19, , cCOMPASS_PANEL
)");
    PanelHost host;
    std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();
    Panel panel(host, read_panel_config(file, "windows.cfg"), module_dir);
    ASSERT_TRUE(panel.problems().empty()) << panel.problems().front();
    GaugeInstance& toggle = *panel.windows()[0].gauges.at(0).instance;
    GaugeInstance& close = *panel.windows()[1].gauges.at(1).instance;
    PanelRenderer renderer(host);

    auto drawn = [&] {
        host.update();
        FrameStats stats;
        SurfacePtr picture = renderer.render_panel(panel, 1.0, &stats);
        return std::pair{cairo_image_surface_get_width(picture.get()),
                         stats.gauges_drawn + stats.gauges_reused};
    };
    const auto main_only = std::pair{100, 1};
    const auto with_compass = std::pair{100 + window_gap + 160, 3};

    EXPECT_EQ(drawn(), main_only);
    host.click(toggle, 9, 9, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(drawn(), with_compass);
    host.click(toggle, 9, 9, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(drawn(), main_only);
    host.click(toggle, 9, 9, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(drawn(), with_compass);
    host.click(close, 9, 9, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(drawn(), main_only) << "the compass window's own close button";
}

} // namespace
