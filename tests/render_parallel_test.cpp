// Drawing a frame's changed gauges side by side on several threads: the lanes run
// every job once and hand back a job's failure, and the example panel's windows come
// out the same, pixel for pixel, on one lane as on several.
#include "panel.hpp"
#include "render/drawing_lanes.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <stdexcept>

using namespace panelhost;

namespace {

const std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();

TEST(DrawingLanes, RunEveryJobOnceOnALaneOfTheirOwn) {
    for (int lanes : {1, 2, 3}) {
        DrawingLanes drawing_lanes(lanes);
        EXPECT_EQ(drawing_lanes.lanes(), lanes);
        for (size_t jobs : {0u, 1u, 2u, 57u}) {
            std::vector<std::atomic<int>> runs(jobs);
            std::atomic<bool> lane_in_range = true;
            drawing_lanes.run(jobs, [&](size_t index, int lane) {
                runs[index] += 1;
                if (lane < 0 || lane >= lanes) lane_in_range = false;
            });
            for (size_t index = 0; index < jobs; ++index)
                EXPECT_EQ(runs[index], 1)
                    << "job " << index << " of " << jobs << ", " << lanes << " lanes";
            EXPECT_TRUE(lane_in_range);
        }
    }
}

TEST(DrawingLanes, HandBackAJobsFailureAfterTheOtherJobsAndServeTheNextBatch) {
    DrawingLanes lanes(2);
    std::atomic<int> ran = 0;
    auto failing = [&](size_t index, int) {
        ran += 1;
        if (index == 3) throw std::runtime_error("job 3 failed");
    };
    EXPECT_THROW(lanes.run(20, failing), std::runtime_error);
    EXPECT_EQ(ran, 20);
    ran = 0;
    lanes.run(5, [&](size_t, int) { ran += 1; });
    EXPECT_EQ(ran, 5);
}

// The example panel with every variable a step further through its range each frame,
// so that every gauge has something new to draw.
class ExampleFrames : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(use_panel_fonts(error)) << error;
    }

    void move_everything(double phase) {
        for (const VariableInfo& info : variable_catalog()) {
            double span = info.high > info.low ? info.high - info.low : 100.0;
            host.simulation().set(info.id, info.low + span * phase);
        }
        host.update();
    }

    PanelHost host;
    Panel panel{host, load_panel_config(PANEL_EXAMPLE), module_dir};
};

::testing::AssertionResult same_pixels(cairo_surface_t* seen, cairo_surface_t* wanted) {
    const int width = cairo_image_surface_get_width(wanted);
    const int height = cairo_image_surface_get_height(wanted);
    if (cairo_image_surface_get_width(seen) != width ||
        cairo_image_surface_get_height(seen) != height)
        return ::testing::AssertionFailure() << "the pictures differ in size";
    cairo_surface_flush(seen);
    cairo_surface_flush(wanted);
    for (int y = 0; y < height; ++y) {
        const unsigned char* seen_row =
            cairo_image_surface_get_data(seen) + y * cairo_image_surface_get_stride(seen);
        const unsigned char* wanted_row =
            cairo_image_surface_get_data(wanted) + y * cairo_image_surface_get_stride(wanted);
        if (std::memcmp(seen_row, wanted_row, size_t(width) * 4) != 0)
            return ::testing::AssertionFailure() << "row " << y << " differs";
    }
    return ::testing::AssertionSuccess();
}

TEST_F(ExampleFrames, AreTheSameOnSeveralLanesAsOnOne) {
    PanelRenderer one_lane(host, {}, 1);
    PanelRenderer two_lanes(host, {}, 2);
    PanelRenderer three_lanes(host, {}, 3);
    // Frames drawn whole and frames drawn again only where gauges changed, at the
    // configured size and enlarged.
    for (double zoom : {1.0, 1.5}) {
        for (int frame = 0; frame < 8; ++frame) {
            move_everything(frame / 8.0);
            for (const PlacedWindow& window : panel.windows()) {
                FrameStats stats;
                SurfacePtr wanted = one_lane.render_window(window, zoom, &stats);
                SCOPED_TRACE(window.title + ", zoom " + std::to_string(zoom) + ", frame " +
                             std::to_string(frame) + ", " + std::to_string(stats.gauges_drawn) +
                             " gauges drawn");
                EXPECT_TRUE(same_pixels(two_lanes.render_window(window, zoom).get(), wanted.get()));
                EXPECT_TRUE(
                    same_pixels(three_lanes.render_window(window, zoom).get(), wanted.get()));
            }
        }
    }
}

TEST_F(ExampleFrames, GiveTheSameGaugePicturesAskedTogetherAsOneByOne) {
    PanelRenderer together(host, {}, 2);
    PanelRenderer one_by_one(host, {}, 1);
    move_everything(0.3);
    std::vector<PanelRenderer::GaugeAtZoom> wanted;
    for (const PlacedGauge& gauge : panel.windows()[0].gauges)
        wanted.push_back({&gauge, 1.25});
    std::vector<PanelRenderer::GaugePicture> pictures = together.pictures_of(wanted);
    ASSERT_EQ(pictures.size(), wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i) {
        PanelRenderer::GaugePicture alone = one_by_one.picture_of(*wanted[i].gauge, 1.25);
        SCOPED_TRACE(wanted[i].gauge->label);
        EXPECT_EQ(pictures[i].redrawn, alone.redrawn);
        ASSERT_EQ(pictures[i].surface != nullptr, alone.surface != nullptr);
        if (alone.surface) {
            EXPECT_TRUE(same_pixels(pictures[i].surface, alone.surface));
        }
    }
}

} // namespace
