// Pictures against their goldens: the comparison behind `panelhost gallery
// --golden`, on PNG files written and read back as the gallery does.
#include "render/cairo_handles.hpp"
#include "render/golden_pictures.hpp"
#include "render/png_output.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace panelhost;

namespace {

namespace fs = std::filesystem;
using Outcome = GoldenComparison::Outcome;

// A 300 x 300 picture like a gauge's: a shaded disc, then whatever `touch` adds.
std::string write_picture(const std::string& name,
                          const std::function<void(cairo_t*)>& touch = nullptr) {
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 300, 300));
    ContextPtr cr(cairo_create(surface.get()));
    cairo_pattern_t* shade = cairo_pattern_create_radial(120, 120, 10, 150, 150, 140);
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.8, 0.8, 0.7);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.1, 0.1, 0.2);
    cairo_set_source(cr.get(), shade);
    cairo_arc(cr.get(), 150, 150, 140, 0, 6.3);
    cairo_fill(cr.get());
    cairo_pattern_destroy(shade);
    if (touch) touch(cr.get());
    const std::string path = (fs::temp_directory_path() / name).string();
    std::string error;
    EXPECT_TRUE(write_png(surface.get(), path, error)) << error;
    return path;
}

TEST(GoldenPictures, AChangedPatchDiffersAndIsShownWhileBlendingNoiseDoesNot) {
    const std::string golden = write_picture("golden_base.png");
    EXPECT_EQ(compare_with_golden(write_picture("golden_same.png"), golden).outcome, Outcome::same);

    // A faint veil over everything: a few levels in every pixel, as another
    // machine's blending might leave.
    const std::string veiled = write_picture("golden_veiled.png", [](cairo_t* cr) {
        cairo_set_source_rgba(cr, 1, 1, 1, 0.02);
        cairo_paint(cr);
    });
    EXPECT_EQ(compare_with_golden(veiled, golden).outcome, Outcome::same);

    // A 10 x 10 patch of another colour, as a changed lamp or pointer bitmap gives.
    const std::string difference = (fs::temp_directory_path() / "golden_difference.png").string();
    fs::remove(difference);
    const std::string patched = write_picture("golden_patched.png", [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0.9, 0.2, 0.8);
        cairo_rectangle(cr, 200, 140, 10, 10);
        cairo_fill(cr);
    });
    const GoldenComparison result = compare_with_golden(patched, golden, difference);
    EXPECT_EQ(result.outcome, Outcome::differs);
    EXPECT_EQ(result.differing_pixels, 100u);
    EXPECT_EQ(result.allowed_pixels, 18u);
    EXPECT_EQ(result.reason, "100 pixels differ (18 allowed)");
    EXPECT_TRUE(fs::exists(difference)) << "the differing pixels are drawn for a look";
}

TEST(GoldenPictures, AMissingGoldenAnotherSizeOrABrokenFileIsSaidSo) {
    const std::string picture = write_picture("golden_picture.png");
    EXPECT_EQ(compare_with_golden(picture, "/nonexistent/golden.png").outcome, Outcome::no_golden);

    SurfacePtr small(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 150, 300));
    const std::string small_path = (fs::temp_directory_path() / "golden_small.png").string();
    std::string error;
    ASSERT_TRUE(write_png(small.get(), small_path, error)) << error;
    const GoldenComparison other_size = compare_with_golden(picture, small_path);
    EXPECT_EQ(other_size.outcome, Outcome::differs);
    EXPECT_EQ(other_size.reason, "300 x 300 instead of 150 x 300");

    const std::string broken = (fs::temp_directory_path() / "golden_broken.png").string();
    std::ofstream(broken) << "not a png";
    const GoldenComparison unreadable = compare_with_golden(picture, broken);
    EXPECT_EQ(unreadable.outcome, Outcome::unreadable);
    EXPECT_EQ(unreadable.reason, "cannot read " + broken + " as PNG");
}

} // namespace
