// The radio stack of the example panel, worked as a pilot works it: the radio
// window opened by its toggle button, each head switched on by its ON button and
// tuned with its knobs from the frequency it starts with to a new one, then
// transferred. The host's active frequency follows only through the key events the
// heads send, and the rendered ACTIVE windows show the new frequencies exactly as
// they show the same frequencies set in the simulation.
#include "panel.hpp"
#include "simulator_numbers.h"
#ifdef RADIO_STACK_WITH_RENDER
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"
#include "render/png_output.hpp"
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace panelhost;

namespace {

constexpr int main_window = 0, radio_window = 2;

struct Spot {
    double x, y;
};

// Areas of the heads, on their 350 x 115 faces.
constexpr Spot on_button{100, 85}, transfer_button{172, 28};
constexpr Spot knob_whole_up{280, 66}, knob_whole_down{280, 92}, knob_fraction_up{305, 66},
    knob_fraction_down{305, 92};
constexpr Spot window_whole_up{230, 12}, window_fraction_up{275, 12};

struct Turn {
    Spot spot;
    int times;
    uint32_t buttons = MOUSE_LEFT_BUTTON;
};

struct Active {
    uint32_t variable;
    uint32_t value;
};

// One head's run: where it sits in the radio window, the knob turns from the
// frequency it starts with to the target, and what the host holds afterwards.
struct HeadRun {
    const char* name;
    size_t gauge; // in the radio window
    std::vector<Turn> turns;
    std::map<uint32_t, int> events; // key event -> times sent, the transfer included
    std::vector<Active> active;     // the host's active frequency after the transfer
    std::string start_text, target_text;
    double window_y; // top of the ACTIVE window on the face
};

const std::vector<HeadRun>& runs() {
    static const std::vector<HeadRun> all = {
        {"Becker_AR3202_COM1",
         0,
         {{knob_whole_up, 3}, {window_fraction_up, 14}},
         {{KEY_COM_WHOLE_INC, 3}, {KEY_COM_FRACTION_INC, 14}, {KEY_COM_STANDBY_SWAP, 1}},
         {{VAR_COM_FREQUENCY, 0x2485}},
         "118.00",
         "124.85",
         16},
        {"Becker_NR3320_NAV1",
         1,
         {{knob_whole_down, 4}, {knob_fraction_down, 14}},
         {{KEY_NAV1_WHOLE_DEC, 4}, {KEY_NAV1_FRACTION_DEC, 14}, {KEY_NAV1_STANDBY_SWAP, 1}},
         {{VAR_NAV1_FREQUENCY, 0x0920}},
         "110.50",
         "109.20",
         16},
        // The fraction wraps inside its megahertz: 116.90, 116.95, 116.00, 116.05.
        {"Becker_NR3320_NAV2",
         2,
         {{window_whole_up, 3}, {knob_fraction_up, 3}},
         {{KEY_NAV2_WHOLE_INC, 3}, {KEY_NAV2_FRACTION_INC, 3}, {KEY_NAV2_STANDBY_SWAP, 1}},
         {{VAR_NAV2_FREQUENCY, 0x1605}},
         "110.50",
         "116.05",
         16},
        // The ADF holds its preset itself: hundreds with the right button, single
        // kilohertz with the left, then tenths; only the transfer reaches the host.
        {"Becker_AD3502_ADF",
         3,
         {{knob_whole_up, 10, MOUSE_RIGHT_BUTTON}, {window_whole_up, 34}, {knob_fraction_up, 5}},
         {{KEY_ADF_FREQUENCY_HIGH_SET, 1}},
         {{VAR_ADF_FREQUENCY, 0x234}, {VAR_ADF_FREQUENCY_TENTHS, 0x105}},
         "0350.0",
         "1234.5",
         15},
    };
    return all;
}

class RadioStackRun : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string module_dir =
            std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();
        panel = std::make_unique<Panel>(host, load_panel_config(PANEL_EXAMPLES_DIR "/panel.cfg"),
                                        module_dir);
        ASSERT_TRUE(panel->problems().empty()) << panel->problems().front();
        host.update();

        // The stack's window opens from its toggle button; each head's ON button
        // switches it on.
        const PlacedGauge* toggle = nullptr;
        for (const PlacedGauge& gauge : window(main_window).gauges)
            if (gauge.instance && gauge.instance->name() == "Radios_Toggle") toggle = &gauge;
        ASSERT_TRUE(toggle) << "the main panel has a Radios_Toggle";
        ASSERT_FALSE(panel->window_visible(window(radio_window)));
        click_window(window(main_window), toggle->x + toggle->width / 2,
                     toggle->y + toggle->height / 2, MOUSE_LEFT_BUTTON);
        ASSERT_TRUE(panel->window_visible(window(radio_window)));
        for (const HeadRun& run : runs())
            click_head(run, on_button);
    }

    PlacedWindow& window(int index) { return panel->windows().at(index); }
    PlacedGauge& head(const HeadRun& run) { return window(radio_window).gauges.at(run.gauge); }

    // A click at a point of a window, as the user makes it: the topmost gauge under
    // the point takes it, in its own design pixels. One update follows, as the next
    // frame would.
    void click_window(PlacedWindow& in, double x, double y, uint32_t buttons) {
        for (auto g = in.gauges.rbegin(); g != in.gauges.rend(); ++g) {
            if (x < g->x || y < g->y || x >= g->x + g->width || y >= g->y + g->height) continue;
            host.click(*g->instance, (x - g->x) / g->scale_x, (y - g->y) / g->scale_y, buttons);
            break;
        }
        host.update();
    }

    void click_head(const HeadRun& run, Spot spot, uint32_t buttons = MOUSE_LEFT_BUTTON) {
        const PlacedGauge& g = head(run);
        click_window(window(radio_window), g.x + spot.x * g.scale_x, g.y + spot.y * g.scale_y,
                     buttons);
    }

    // The knob turns of the run, then the transfer.
    void tune(const HeadRun& run) {
        for (const Turn& turn : run.turns)
            for (int i = 0; i < turn.times; ++i)
                click_head(run, turn.spot, turn.buttons);
        click_head(run, transfer_button);
    }

    std::string active_text(const HeadRun& run) {
        return head(run).instance->elements().at(5).text;
    }

    PanelHost host;
    std::unique_ptr<Panel> panel;
};

TEST_F(RadioStackRun, EachHeadTunedByItsKnobsSetsTheHostsActiveFrequency) {
    Simulation& sim = host.simulation();
    for (const HeadRun& run : runs()) {
        SCOPED_TRACE(run.name);
        EXPECT_EQ(active_text(run), run.start_text);
        sim.clear_logs();
        tune(run);
        std::map<uint32_t, int> sent;
        for (const KeyEvent& key : sim.key_events())
            ++sent[key.event];
        EXPECT_EQ(sent, run.events) << "every step went to the host as a key event";
        for (const Active& a : run.active)
            EXPECT_EQ(uint32_t(sim.get(a.variable)), a.value);
        EXPECT_EQ(active_text(run), run.target_text);
    }
    EXPECT_EQ(sim.key_events().back().value, 0x2345u) << "the ADF's transfer carries its preset";
}

#ifdef RADIO_STACK_WITH_RENDER
// Values of the same frequencies as the heads' runs leave them, and of others.
const std::vector<Active> targets_set_directly = {
    {23, 0x2485}, {24, 0x0920}, {27, 0x1605}, {16, 0x234}, {18, 0x105}};
const std::vector<Active> other_frequencies = {
    {23, 0x2480}, {24, 0x0925}, {27, 0x1650}, {16, 0x235}, {18, 0x105}};

class RadioStackPicture : public RadioStackRun {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(use_panel_fonts(error)) << error;
        RadioStackRun::SetUp();
        renderer = std::make_unique<PanelRenderer>(host);
    }

    SurfacePtr render_radio_window() {
        host.update();
        return renderer->render_window(window(radio_window));
    }

    // The pixels of a head's ACTIVE window (78 x 19 at x 58 on the face).
    std::vector<uint32_t> active_window_pixels(cairo_surface_t* picture, const HeadRun& run) {
        cairo_surface_flush(picture);
        const PlacedGauge& g = head(run);
        const int x0 = int(g.x + 58 * g.scale_x), y0 = int(g.y + run.window_y * g.scale_y);
        const int stride = cairo_image_surface_get_stride(picture);
        const unsigned char* data = cairo_image_surface_get_data(picture);
        std::vector<uint32_t> pixels;
        for (int y = y0; y < y0 + 19; ++y)
            for (int x = x0; x < x0 + 78; ++x)
                pixels.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x]);
        return pixels;
    }

    void set_all(const std::vector<Active>& values) {
        for (const Active& a : values)
            host.simulation().set(a.variable, a.value);
    }

    std::unique_ptr<PanelRenderer> renderer;
};

TEST_F(RadioStackPicture, ActiveWindowsShowTheTunedFrequencies) {
    // Pictures with the target frequencies set directly in the simulation, with
    // other frequencies, and with the frequencies the heads start from.
    std::vector<Active> start;
    for (const Active& a : targets_set_directly)
        start.push_back({a.variable, uint32_t(host.simulation().get(a.variable))});
    set_all(targets_set_directly);
    SurfacePtr set_directly = render_radio_window();
    set_all(other_frequencies);
    SurfacePtr other = render_radio_window();
    set_all(start);
    SurfacePtr before = render_radio_window();

    for (const HeadRun& run : runs())
        tune(run);
    SurfacePtr tuned = render_radio_window();
    std::string error;
    const std::string saved = std::string(PANEL_PICTURES_DIR) + "/radio_stack_tuned.png";
    EXPECT_TRUE(write_png(tuned.get(), saved, error)) << error;
    for (const HeadRun& run : runs()) {
        SCOPED_TRACE(run.name);
        EXPECT_EQ(active_text(run), run.target_text);
        const auto shown = active_window_pixels(tuned.get(), run);
        EXPECT_EQ(shown, active_window_pixels(set_directly.get(), run));
        EXPECT_NE(shown, active_window_pixels(other.get(), run));
        EXPECT_NE(shown, active_window_pixels(before.get(), run));
    }
}
#endif

} // namespace
