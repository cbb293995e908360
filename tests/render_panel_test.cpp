// The real module's gauges placed from a panel file and drawn: the pictures put
// needles and cards where their values say, and a broken panel line costs only
// that line.
#include "panel.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace panelhost;

namespace {

const std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();

struct Rgb {
    int red, green, blue;
    int brightness() const { return (red + green + blue) / 3; }
};

Rgb pixel(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    uint32_t argb = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
    return {int(argb >> 16 & 0xFF), int(argb >> 8 & 0xFF), int(argb & 0xFF)};
}

class RenderedPanel : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(use_panel_fonts(error)) << error;
    }

    Panel place(const std::string& panel_file) {
        return Panel(host, load_panel_config(panel_file), module_dir);
    }

    PanelHost host;
};

TEST_F(RenderedPanel, ABrokenLineIsReportedAndTheRestIsDrawn) {
    std::string file = PANEL_TEST_DATA "/panel_with_bad_line.cfg";
    Panel panel = place(file);
    ASSERT_EQ(panel.problems().size(), 2u);
    EXPECT_EQ(panel.problems()[0], file + ":7: gauge width must be a positive whole number");
    EXPECT_EQ(panel.problems()[1], file + ":6: module Marlow_Instr has no gauge named No_Such_Gauge"
                                          ": 1 placement (line 6) drawn as placeholders");
    ASSERT_EQ(panel.windows().size(), 1u);
    ASSERT_EQ(panel.windows()[0].gauges.size(), 3u) << "two gauges and a placeholder";
    EXPECT_FALSE(panel.windows()[0].gauges[1].instance);

    host.simulation().set(61, 120);
    host.update();
    PanelRenderer renderer(host);
    FrameStats stats;
    SurfacePtr picture = renderer.render_panel(panel, 1.0, &stats);
    EXPECT_EQ(stats.gauges_drawn, 2);
    EXPECT_EQ(stats.missing_elements, 0);
    // Both dials are drawn at two thirds of their design size: the airspeed needle
    // at 120 knots points right from the dial's centre (10 + 100, 10 + 100).
    EXPECT_GT(pixel(picture.get(), 110 + 55, 110).brightness(), 180) << "needle";
    EXPECT_LT(pixel(picture.get(), 110, 110 - 55).brightness(), 80) << "dial face";
}

TEST_F(RenderedPanel, NeedlesPointWhereTheirValuesSay) {
    Panel panel = place(PANEL_TEST_DATA "/panel_with_bad_line.cfg");
    PanelRenderer renderer(host);
    const PlacedGauge& airspeed = panel.windows()[0].gauges[0];
    auto draw = [&](double knots) {
        host.simulation().set(61, knots);
        host.update();
        return renderer.render_window(panel.windows()[0]);
    };
    // 60 knots straight up, 120 to the right; sample 40 panel pixels from the centre.
    double cx = airspeed.x + 100, cy = airspeed.y + 100;
    SurfacePtr up = draw(60);
    EXPECT_GT(pixel(up.get(), int(cx), int(cy - 40)).brightness(), 180);
    EXPECT_LT(pixel(up.get(), int(cx + 40), int(cy)).brightness(), 80);
    SurfacePtr right = draw(120);
    EXPECT_GT(pixel(right.get(), int(cx + 40), int(cy)).brightness(), 180);
    EXPECT_LT(pixel(right.get(), int(cx), int(cy - 40)).brightness(), 80);
}

TEST_F(RenderedPanel, OnlyChangedGaugesAreRedrawn) {
    Panel panel = place(PANEL_TEST_DATA "/panel_with_bad_line.cfg");
    PanelRenderer renderer(host);
    host.update();
    FrameStats first, second, third;
    renderer.render_panel(panel, 1.0, &first);
    host.update();
    renderer.render_panel(panel, 1.0, &second);
    host.simulation().set(65, 1300);
    host.update();
    renderer.render_panel(panel, 1.0, &third);
    EXPECT_EQ(first.gauges_drawn, 2);
    EXPECT_EQ(second.gauges_drawn, 0);
    EXPECT_EQ(second.gauges_reused, 2);
    EXPECT_EQ(third.gauges_drawn, 1) << "only the vertical speed changed";
}

} // namespace
