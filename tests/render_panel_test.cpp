// The real module's gauges placed from a panel file and drawn: the pictures put
// needles and cards where their values say, a broken panel line costs only that
// line, windows show their background bitmaps over their background colours, and
// gauges that cannot run here show as placeholder boxes.
#include "bmp_files.hpp"
#include "panel.hpp"
#include "render/drawing_signature.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"
#include "render/png_output.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace panelhost;

namespace {

const std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();

struct Rgb {
    int red, green, blue;
    int brightness() const { return (red + green + blue) / 3; }
    bool operator==(const Rgb&) const = default;
};

::testing::AssertionResult near(Rgb seen, Rgb wanted, int tolerance = 3) {
    if (std::abs(seen.red - wanted.red) <= tolerance &&
        std::abs(seen.green - wanted.green) <= tolerance &&
        std::abs(seen.blue - wanted.blue) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << seen.red << ", " << seen.green << ", " << seen.blue << ") instead of ("
           << wanted.red << ", " << wanted.green << ", " << wanted.blue << ")";
}

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

    host.simulation().set(VAR_AIRSPEED, 120);
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
        host.simulation().set(VAR_AIRSPEED, knots);
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
    host.simulation().set(VAR_VERTICAL_SPEED, 1300);
    host.update();
    renderer.render_panel(panel, 1.0, &third);
    EXPECT_EQ(first.gauges_drawn, 2);
    EXPECT_EQ(second.gauges_drawn, 0);
    EXPECT_EQ(second.gauges_reused, 2);
    EXPECT_EQ(third.gauges_drawn, 1) << "only the vertical speed changed";
}

// The renderer keeps each window's picture and draws again only the boxes of the
// gauges that changed: the result is, pixel for pixel, the window drawn whole.
TEST_F(RenderedPanel, AWindowDrawnAgainWhereItChangedIsTheWindowDrawnWhole) {
    Panel panel = place(PANEL_EXAMPLES_DIR "/panel.cfg");
    const PlacedWindow& main_window = panel.windows()[0];
    PanelRenderer kept(host);
    host.update();
    kept.render_window(main_window, 1.25);
    host.simulation().set(VAR_AIRSPEED, 140);         // the airspeed indicators
    host.simulation().set(VAR_HEADING_INDICATOR, 75); // everything that shows the heading
    host.update();
    FrameStats stats;
    SurfacePtr again = kept.render_window(main_window, 1.25, &stats);
    EXPECT_GE(stats.gauges_drawn, 3);
    EXPECT_GT(stats.gauges_reused, 20);
    PanelRenderer fresh(host);
    SurfacePtr whole = fresh.render_window(main_window, 1.25);
    const int width = cairo_image_surface_get_width(whole.get());
    const int height = cairo_image_surface_get_height(whole.get());
    ASSERT_EQ(cairo_image_surface_get_width(again.get()), width);
    ASSERT_EQ(cairo_image_surface_get_height(again.get()), height);
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            differing += pixel(again.get(), x, y) != pixel(whole.get(), x, y);
    EXPECT_EQ(differing, 0);
}

// A panel folder as an aircraft carries it: panel.cfg and the window's background
// bitmap, 240 x 180 pixels stretched to a window 480 wide (so 360 high). The bitmap
// is black, which is transparent, but for an ochre strip along the bottom and a grey
// column on the right; the background colour is blue.
class PanelFolder : public RenderedPanel {
  protected:
    static constexpr Rgb blue{40, 90, 160}, ochre{190, 160, 70}, grey{110, 120, 130};
    static constexpr Rgb outline{255, 0, 255};

    void SetUp() override {
        RenderedPanel::SetUp();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("render_panel_test_" + std::string(test->name()));
        std::filesystem::create_directories(dir);
        bmp_files::write_file(dir / "background.bmp",
                              bmp_files::bmp_file(240, 180, [](uint32_t x, uint32_t y) {
                                  if (y >= 140) return 0xBEA046u;
                                  return x >= 200 ? 0x6E7882u : 0u;
                              }));
        std::ofstream(dir / "panel.cfg") << R"([Window00]
size_mm=480
file=background.bmp
background_color=40,90,160
gauge00=Marlow_Instr!Airspeed, 10, 10
gauge01=Foreign_Gauges!Fuel Selector, 330, 20, 80, 80
gauge02=Some Vendor Gauges!Fuel Selector Knob, 330, 120, 60, 60
htmlgauge00=Generic/Radios/COM/com.html?Index=1, 330, 200, 140, 60
)";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    Panel place_folder() { return place((dir / "panel.cfg").string()); }

    std::filesystem::path dir;
};

// Light pixels, as the placeholders' text draws them, inside a box.
int light_pixels(cairo_surface_t* surface, int left, int top, int width, int height) {
    int count = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            count += pixel(surface, x, y).brightness() > 170;
    return count;
}

// Where the pictures of a test go to be looked at: the build directory.
std::string picture_path(const std::string& name) {
#ifdef PANEL_PICTURES_DIR
    return std::string(PANEL_PICTURES_DIR) + "/" + name;
#else
    return module_dir + "/" + name;
#endif
}

TEST_F(PanelFolder, TheBackgroundBitmapIsStretchedOverTheBackgroundColour) {
    Panel panel = place_folder();
    const PlacedWindow& window = panel.windows().at(0);
    EXPECT_EQ(window.width, 480);
    EXPECT_EQ(window.height, 360) << "the bitmap's proportions";
    PanelRenderer renderer(host);
    SurfacePtr picture = renderer.render_window(window);
    EXPECT_EQ(cairo_image_surface_get_height(picture.get()), 360);
    EXPECT_TRUE(near(pixel(picture.get(), 320, 150), blue)) << "black is transparent";
    EXPECT_TRUE(near(pixel(picture.get(), 100, 330), ochre));
    EXPECT_TRUE(near(pixel(picture.get(), 450, 60), grey));
    EXPECT_TRUE(near(pixel(picture.get(), 0, 359), ochre)) << "the corner does not fade";

    SurfacePtr zoomed = renderer.render_window(window, 2.0);
    EXPECT_EQ(cairo_image_surface_get_width(zoomed.get()), 960);
    EXPECT_EQ(cairo_image_surface_get_height(zoomed.get()), 720);
    EXPECT_TRUE(near(pixel(zoomed.get(), 640, 300), blue));
    EXPECT_TRUE(near(pixel(zoomed.get(), 200, 660), ochre));
    EXPECT_TRUE(near(pixel(zoomed.get(), 900, 120), grey));
}

TEST_F(PanelFolder, TheBackgroundIsStretchedOnceForEachZoom) {
    Panel panel = place_folder();
    PanelRenderer renderer(host);
    FrameStats first, second, zoomed;
    renderer.render_panel(panel, 1.0, &first);
    renderer.render_panel(panel, 1.0, &second);
    renderer.render_panel(panel, 2.0, &zoomed);
    EXPECT_EQ(first.backgrounds_scaled, 1);
    EXPECT_EQ(second.backgrounds_scaled, 0);
    EXPECT_EQ(zoomed.backgrounds_scaled, 1);
}

TEST_F(PanelFolder, AGaugeWithOnlyAPositionIsDrawnAtItsDesignSize) {
    Panel panel = place_folder();
    const PlacedGauge& airspeed = panel.windows().at(0).gauges.at(0);
    ASSERT_TRUE(airspeed.instance);
    EXPECT_EQ(airspeed.width, 300);
    EXPECT_EQ(airspeed.height, 300);
    host.simulation().set(VAR_AIRSPEED, 120);
    host.update();
    PanelRenderer renderer(host);
    SurfacePtr picture = renderer.render_window(panel.windows()[0]);
    // The needle at 120 knots points right from the dial's centre (10 + 150, 10 + 150),
    // reaching as far as its design length.
    EXPECT_GT(pixel(picture.get(), 160 + 82, 160).brightness(), 180) << "needle";
    EXPECT_LT(pixel(picture.get(), 160, 160 - 82).brightness(), 80) << "dial face";
    EXPECT_FALSE(near(pixel(picture.get(), 300, 160), blue, 20)) << "the dial reaches x = 310";
    EXPECT_TRUE(near(pixel(picture.get(), 320, 160), blue)) << "and ends there";
}

TEST_F(PanelFolder, GaugesThatCannotRunAreDrawnAsPlaceholders) {
    Panel panel = place_folder();
    const PlacedWindow& window = panel.windows().at(0);
    ASSERT_EQ(window.gauges.size(), 4u);
    EXPECT_FALSE(window.gauges[1].instance);
    EXPECT_EQ(window.gauges[1].missing, "module not found");
    EXPECT_EQ(window.gauges[3].missing, "a newer kind of gauge");
    host.update();
    PanelRenderer renderer(host);
    FrameStats stats;
    SurfacePtr picture = renderer.render_window(window, 1.0, &stats);
    std::string error;
    EXPECT_TRUE(write_png(picture.get(), picture_path("placeholders_panel.png"), error)) << error;
    EXPECT_EQ(stats.placeholders, 3);
    EXPECT_EQ(stats.gauges_drawn, 1);

    // The 80-unit box at (330, 20): its outline at all four corners, the right ones
    // over the grey of the bitmap, and its dark fill letting the blue show through.
    for (auto [x, y] : {std::pair{331, 21}, {408, 21}, {331, 98}, {408, 98}, {370, 21}})
        EXPECT_TRUE(near(pixel(picture.get(), x, y), outline)) << x << ", " << y;
    Rgb fill = pixel(picture.get(), 335, 25);
    EXPECT_LT(fill.brightness(), 50);
    EXPECT_GT(fill.blue, fill.red + 15) << "translucent";
    EXPECT_GT(light_pixels(picture.get(), 334, 24, 72, 72), 80) << "its label";
    // The 60-unit box at (330, 120) and the wide one of the newer kind at (330, 200).
    EXPECT_TRUE(near(pixel(picture.get(), 331, 121), outline));
    EXPECT_GT(light_pixels(picture.get(), 334, 124, 52, 52), 60);
    EXPECT_TRUE(near(pixel(picture.get(), 468, 201), outline));
    EXPECT_GT(light_pixels(picture.get(), 334, 204, 132, 52), 60);
    // Outside the boxes, the background as it was.
    EXPECT_TRUE(near(pixel(picture.get(), 325, 60), blue));
    EXPECT_TRUE(near(pixel(picture.get(), 440, 60), grey));
}

TEST(PlaceholderLabels, AreTheModuleAndTheGaugeOrAPathsLastPart) {
    EXPECT_EQ(placeholder_label("Some Vendor Gauges!Fuel Selector Knob"),
              (PlaceholderLabel{"Some Vendor Gauges", "Fuel Selector Knob"}));
    EXPECT_EQ(placeholder_label("Foreign_Gauges!"), (PlaceholderLabel{"Foreign_Gauges", ""}));
    EXPECT_EQ(placeholder_label("Generic/Radios/COM/com.html?Index=1"),
              (PlaceholderLabel{"", "com.html?Index=1"}));
    EXPECT_EQ(placeholder_label("Panel\\Gauges\\gps.html?path=a/b"),
              (PlaceholderLabel{"", "gps.html?path=a/b"}));
    EXPECT_EQ(placeholder_label("Foreign_Gauges"), (PlaceholderLabel{"", "Foreign_Gauges"}));
}

// A picture drawn after one update may show what a gauge's callback computed from a
// later element before that update (the HSI's TO/FROM arrow follows its course
// pointer); updates go on until nothing would be drawn differently.
TEST_F(RenderedPanel, PicturesAreDrawnOnceTheGaugesHaveSettled) {
    std::string error;
    ASSERT_TRUE(host.load_module(MARLOW_MODULE_PATH, error)) << error;
    GaugeInstance* hsi = host.place("Marlow_Instr", "HSI", std::nullopt, error);
    ASSERT_TRUE(hsi) << error;
    host.simulation().set(VAR_HSI_COURSE, 180); // the course
    host.simulation().set(VAR_HSI_TO_FROM, 1);  // TO
    host.update();
    DrawingSignature after_one = drawing_signature(*hsi);
    host.update();
    EXPECT_NE(drawing_signature(*hsi), after_one) << "the second update still changes the HSI";

    host.simulation().set(VAR_HSI_COURSE, 270);
    host.update();
    EXPECT_GT(update_until_settled(host), 1);
    DrawingSignature settled = drawing_signature(*hsi);
    for (int cycle = 0; cycle < 3; ++cycle)
        host.update();
    EXPECT_EQ(drawing_signature(*hsi), settled);
}

// A user names a window as the workbench's addresses do: by its ident (a name in any
// case, or a number no window's place in the panel has), its place, its section or
// its title; the windows named are drawn whether they are open or not.
TEST_F(RenderedPanel, WindowsNamedAreFoundAndDrawnOpenOrNot) {
    Panel panel = place(PANEL_EXAMPLES_DIR "/panel.cfg");
    ASSERT_EQ(panel.windows()[2].section, "Window02");
    for (const char* radio_stack :
         {"RADIO_STACK_PANEL", "radio_stack_panel", "50", "2", "window02", " Radio stack "})
        EXPECT_EQ(panel.find_window(radio_stack), 2u) << radio_stack;
    EXPECT_EQ(panel.find_window("GPS_PANEL"), 4u);
    EXPECT_EQ(panel.find_window("engine INSTRUMENTS"), 3u);
    for (const char* nowhere : {"COLLECTIVE_PANEL", "Nope", "", "99999999999999999999"})
        EXPECT_FALSE(panel.find_window(nowhere)) << nowhere;

    host.update();
    const PlacedWindow& radios = panel.windows()[2];
    ASSERT_FALSE(panel.window_visible(radios)) << "the radio stack opens from a toggle";
    PanelRenderer renderer(host);
    SurfacePtr open = renderer.render_panel(panel);
    SurfacePtr named = renderer.render_windows(panel, {2, 0});
    const int main_width = panel.windows()[0].width;
    EXPECT_EQ(cairo_image_surface_get_width(named.get()),
              radios.width + cairo_image_surface_get_width(open.get()) - panel.windows()[1].width)
        << "the radio stack and the main panel, not the compass";
    EXPECT_EQ(cairo_image_surface_get_height(named.get()),
              std::max(radios.height, panel.windows()[0].height));
    // Left, the radio stack as it is drawn alone; right of it, after the gap, the
    // main panel as the open windows show it.
    SurfacePtr radios_alone = renderer.render_window(radios);
    for (int y : {radios.height / 4, radios.height / 2})
        EXPECT_EQ(pixel(named.get(), radios.width / 2, y),
                  pixel(radios_alone.get(), radios.width / 2, y));
    const int gap = cairo_image_surface_get_width(named.get()) - radios.width - main_width;
    EXPECT_EQ(pixel(named.get(), radios.width + gap + main_width / 2, 100),
              pixel(open.get(), main_width / 2, 100));
}

} // namespace
