// The renderer on small gauges made in the test: where each element kind lands,
// turns and shows through, by the colour of known pixels.
#include "gauge_tables.hpp"
#include "render/gauge_cache.hpp"
#include "render/gauge_renderer.hpp"
#include "render/panel_fonts.hpp"
#include "render/png_output.hpp"
#include "render/string_drawing.hpp"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cmath>

#include <cstdio>
#include <functional>
#include <map>
#include <numbers>

using namespace panelhost;

namespace {

constexpr uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
constexpr uint32_t black = 0;
constexpr uint32_t value_var = 5000, angle_var = 5001, shift_var = 5002;

// A pixel as Cairo stores it: 0xAARRGGBB, colour premultiplied by alpha.
constexpr uint32_t opaque(uint32_t rgb) { return 0xFF000000u | rgb; }

using RgbAt = std::function<uint32_t(int x, int y)>;

RgbAt solid(uint32_t rgb) {
    return [rgb](int, int) { return rgb; };
}

void put_le(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

// A 24-bit bottom-up BMP file; rgb(x, y) gives 0xRRGGBB with y counted from the top.
std::vector<uint8_t> bmp_file(int width, int height, const RgbAt& rgb) {
    int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> file{'B', 'M'};
    put_le(file, uint32_t(54 + stride * height), 4);
    put_le(file, 0, 4);
    put_le(file, 54, 4);
    for (uint32_t field : {40u, uint32_t(width), uint32_t(height)})
        put_le(file, field, 4);
    put_le(file, 1, 2);
    put_le(file, 24, 2);
    for (int i = 0; i < 6; ++i)
        put_le(file, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            put_le(file, rgb(x, y), 3);
        file.resize(file.size() + size_t(stride - width * 3));
    }
    return file;
}

uint32_t pixel_at(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x];
}

// The largest difference between two pixels' channels.
int channel_difference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8)
        largest = std::max(largest, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return largest;
}

ElementRecord element(uint32_t kind, uint32_t bitmap, gauge::Point position,
                      gauge::Point offset = {}) {
    return gauge::element({.kind = kind, .bitmap = bitmap, .position = position, .offset = offset},
                          nullptr, nullptr);
}

double GAUGE_CALL write_digits(ElementRecord* record) {
    auto* string = reinterpret_cast<StringRecord*>(record);
    std::snprintf(string->text, string->char_count + 1, "%s", "888");
    return 0;
}

double GAUGE_CALL write_letters(ElementRecord* record) {
    auto* string = reinterpret_cast<StringRecord*>(record);
    std::snprintf(string->text, string->char_count + 1, "%s", "KT");
    return 0;
}

class Render : public ::testing::Test {
  protected:
    void add_bitmap(uint32_t number, int width, int height, const RgbAt& rgb) {
        files_[number] = bmp_file(width, height, rgb);
    }

    const BitmapSurfaces& bitmaps() {
        if (!bitmaps_) {
            std::vector<ResourceEntry> entries;
            for (const auto& [number, file] : files_)
                entries.push_back(
                    {RESOURCE_TYPE_BITMAP, number, file.data(), file.data() + file.size()});
            ResourceIndex index{uint32_t(entries.size()), entries.data()};
            bitmaps_.emplace(ModuleResources(&index));
        }
        return *bitmaps_;
    }

    GaugeInstance& place(std::vector<ElementRecord*> roots, DesignSize size = {100, 100}) {
        roots.push_back(nullptr);
        GaugeHeader header = gauge::gauge_header("Test", roots.data(), 0, nullptr);
        gauges_.push_back(make_gauge_instance(header, std::nullopt, 0, size));
        gauges_.back()->install(sim);
        gauges_.back()->update(sim);
        return *gauges_.back();
    }

    // A red needle 40 pixels long from its pivot at the middle of a 100-unit gauge,
    // turned by angle_var.
    GaugeInstance& place_red_needle() {
        add_bitmap(1, 41, 5, solid(red));
        needle_ = gauge::needle(
            {.bitmap = 1, .pivot = {50, 50}, .needle_offset = {0, 2}, .source = angle_var}, nullptr,
            nullptr);
        return place({&needle_.common});
    }

    // The gauge drawn on a transparent canvas of its design size times `scale`.
    SurfacePtr draw(const GaugeInstance& gauge, double scale = 1, int* missing = nullptr) {
        SurfacePtr canvas(cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                                     int(gauge.design_size().width * scale),
                                                     int(gauge.design_size().height * scale)));
        ContextPtr cr(cairo_create(canvas.get()));
        int count = draw_gauge(cr.get(), gauge, bitmaps(), scale);
        EXPECT_EQ(cairo_status(cr.get()), CAIRO_STATUS_SUCCESS);
        if (missing) *missing = count;
        return canvas;
    }

    Simulation sim;

  private:
    std::map<uint32_t, std::vector<uint8_t>> files_;
    std::optional<BitmapSurfaces> bitmaps_;
    std::vector<std::unique_ptr<GaugeInstance>> gauges_;
    NeedleRecord needle_{};
};

TEST_F(Render, BlackPixelsOfAnUpperImageLeaveTheFaceVisible) {
    add_bitmap(1, 20, 20, solid(blue));
    add_bitmap(2, 20, 20, [](int x, int y) { return x / 4 == 2 && y / 4 == 2 ? white : black; });
    StaticImageRecord face = gauge::static_image(1, {0, 0}, 0, nullptr, nullptr);
    StaticImageRecord cover = gauge::static_image(2, {0, 0}, 0, nullptr, nullptr);
    SurfacePtr canvas = draw(place({&face.common, &cover.common}, {20, 20}));
    EXPECT_EQ(pixel_at(canvas.get(), 2, 2), opaque(blue));
    EXPECT_EQ(pixel_at(canvas.get(), 9, 9), opaque(white));
}

// A red needle 40 pixels long from its pivot, turned to each quarter.
TEST_F(Render, NeedlesTurnClockwiseAboutTheirPivot) {
    GaugeInstance& gauge = place_red_needle();
    const std::pair<int, int> tips[] = {{86, 50}, {50, 86}, {14, 50}, {50, 14}};
    for (int quarter = 0; quarter < 4; ++quarter) {
        sim.set(angle_var, 90.0 * quarter);
        gauge.update(sim);
        SurfacePtr canvas = draw(gauge);
        for (int other = 0; other < 4; ++other) {
            auto [x, y] = tips[other];
            EXPECT_EQ(pixel_at(canvas.get(), x, y), other == quarter ? opaque(red) : 0u)
                << "angle " << 90 * quarter << ", tip " << x << "," << y;
        }
    }
}

TEST_F(Render, IconsShowTheirIndexAndSlidersMoveByTheirShift) {
    const uint32_t colours[] = {red, green, blue};
    for (uint32_t i = 0; i < 3; ++i)
        add_bitmap(10 + i, 4, 4, solid(colours[i]));
    IconRecord icon{};
    icon.common = element(ELEMENT_ICON, 10, {0, 0});
    icon.source = gauge::variable(value_var);
    icon.icon_count = 3;
    SliderRecord slider{};
    slider.common = element(ELEMENT_SLIDER, 10, {0, 10});
    slider.x_source = gauge::variable(shift_var);
    slider.x_scale = 2;
    sim.set(value_var, 2);
    sim.set(shift_var, 5);
    SurfacePtr canvas = draw(place({&icon.common, &slider.common}, {20, 20}));
    EXPECT_EQ(pixel_at(canvas.get(), 1, 1), opaque(blue));
    EXPECT_EQ(pixel_at(canvas.get(), 11, 11), opaque(red));
    EXPECT_EQ(pixel_at(canvas.get(), 1, 11), 0u);
}

// A strip of four 10-pixel bands behind a window whose right half is black.
TEST_F(Render, MovingImagesShowTheirStripOnlyThroughTheWindow) {
    const uint32_t bands[] = {red, green, blue, white};
    add_bitmap(1, 10, 40, [&](int, int y) { return bands[y / 10]; });
    add_bitmap(2, 10, 10, [](int x, int) { return x < 5 ? white : black; });
    MovingImageRecord image = gauge::moving_image(
        {.bitmap = 1, .position = {5, 5}, .y_source = value_var, .y_range_end = 3}, nullptr,
        nullptr);
    sim.set(value_var, 2); // two thirds of the travel: band 2 in the window
    SurfacePtr canvas = draw(place({&image.common}, {20, 30}));
    EXPECT_EQ(pixel_at(canvas.get(), 7, 9), opaque(blue));
    EXPECT_EQ(pixel_at(canvas.get(), 12, 9), 0u) << "black window pixels hide the strip";
    EXPECT_EQ(pixel_at(canvas.get(), 7, 17), 0u) << "nothing shows outside the window";
}

// A bar, green to the left of its centre and red to the right, shifted 10 pixels along
// its own x, stretched twice along it and turned a quarter counterclockwise: red
// now runs up from 10 pixels above the turning point.
TEST_F(Render, SpritesTurnCounterclockwiseAndShiftInTheirOwnFrame) {
    add_bitmap(1, 40, 4, [](int x, int) { return x < 20 ? green : red; });
    add_bitmap(2, 100, 100, solid(white));
    SpriteRecord sprite{};
    sprite.common = element(ELEMENT_SPRITE, 1, {0, 0}, {50, 50});
    sprite.x_source = gauge::variable(shift_var);
    sprite.x_scale = 1;
    sprite.rotation_source = gauge::variable(angle_var);
    sprite.rotation_scale = 1;
    sprite.texture_scale_x = 2;
    sprite.texture_scale_y = 1;
    sim.set(shift_var, 10);
    sim.set(angle_var, 90);
    SurfacePtr canvas = draw(place({&sprite.common}));
    EXPECT_EQ(pixel_at(canvas.get(), 50, 5), opaque(red));
    EXPECT_EQ(pixel_at(canvas.get(), 50, 75), opaque(green));
    EXPECT_EQ(pixel_at(canvas.get(), 50, 85), 0u);
    EXPECT_EQ(pixel_at(canvas.get(), 85, 50), 0u);
}

TEST_F(Render, StringsAreDrawnCentredInTheirColourInsideTheirBox) {
    std::string error;
    ASSERT_TRUE(use_panel_fonts(error)) << error;
    StringRecord text{};
    text.common = element(ELEMENT_STRING, RESOURCE_NONE, {10, 20});
    text.box_width = 60;
    text.box_height = 20;
    text.text_colour = 0x000000FF; // red, as 0x00BBGGRR
    std::snprintf(text.font_face, FONT_FACE_BYTES, "Quartz");
    text.font_weight = 400;
    text.text_format = TEXT_FORMAT_CENTRED_LINE;
    text.char_count = 8;
    text.text_callback = write_digits;
    SurfacePtr canvas = draw(place({&text.common}));

    int outside = 0, not_red = 0, lit = 0, left = 100, right = 0, top = 100, bottom = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            uint32_t pixel = pixel_at(canvas.get(), x, y);
            if (pixel == 0) continue;
            outside += x < 10 || x >= 70 || y < 20 || y >= 40;
            not_red += (pixel & 0xFFFF) != 0 || (pixel >> 16 & 0xFF) != pixel >> 24;
            lit += pixel == opaque(red);
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(not_red, 0);
    EXPECT_GT(lit, 30);
    EXPECT_NEAR((left + right) / 2.0, 40, 3);
    EXPECT_NEAR((top + bottom) / 2.0, 30, 3);
}

// A seven-segment face has no letters: "Quartz" texts that hold letters are drawn
// in the fourteen-segment face, digits-only texts stay seven-segment.
TEST_F(Render, QuartzTextsWithLettersUseTheFaceThatHasLetters) {
    std::string error;
    ASSERT_TRUE(use_panel_fonts(error)) << error;
    auto picture = [&](const char* face, ValueCallback text_callback) {
        StringRecord text{};
        text.common = element(ELEMENT_STRING, RESOURCE_NONE, {10, 20});
        text.box_width = 60;
        text.box_height = 20;
        text.text_colour = 0x000000FF;
        std::snprintf(text.font_face, FONT_FACE_BYTES, "%s", face);
        text.font_weight = 400;
        text.text_format = TEXT_FORMAT_CENTRED_LINE;
        text.char_count = 8;
        text.text_callback = text_callback;
        return draw(place({&text.common}));
    };
    auto same = [](cairo_surface_t* a, cairo_surface_t* b) {
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (pixel_at(a, x, y) != pixel_at(b, x, y)) return false;
        return true;
    };
    SurfacePtr letters = picture("Quartz", write_letters);
    EXPECT_TRUE(same(letters.get(), picture("DSEG14 Classic", write_letters).get()));
    EXPECT_FALSE(same(letters.get(), picture("DSEG7 Classic", write_letters).get()));
    SurfacePtr digits = picture("Quartz", write_digits);
    EXPECT_TRUE(same(digits.get(), picture("DSEG7 Classic", write_digits).get()));
}

std::string matched_family(const char* face) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(face));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* family = nullptr;
    std::string name;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch)
        name = reinterpret_cast<const char*>(family);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return name;
}

TEST(PanelFonts, GaugeFaceNamesMapToInstalledFonts) {
    std::string error;
    ASSERT_TRUE(use_panel_fonts(error)) << error;
    EXPECT_EQ(matched_family("Quartz"), "DSEG7 Classic");
    EXPECT_EQ(matched_family("Quartz Letters"), "DSEG14 Classic");
    EXPECT_EQ(matched_family("Arial"), "Liberation Sans");
    EXPECT_EQ(matched_family("No Such Face"), "Liberation Sans");
    EXPECT_FALSE(use_panel_fonts("host/render/fonts/panel-fonts.conf", error));
}

TEST(StringText, ModuleCharactersBecomeUtf8) {
    EXPECT_EQ(utf8_from_latin1("18\xB0"), "18\xC2\xB0");
}

TEST_F(Render, ScaleMultipliesPositionsAndSizes) {
    add_bitmap(1, 4, 4, solid(white));
    StaticImageRecord image = gauge::static_image(1, {10, 10}, 0, nullptr, nullptr);
    SurfacePtr canvas = draw(place({&image.common}, {40, 40}), 2);
    EXPECT_EQ(pixel_at(canvas.get(), 21, 21), opaque(white));
    EXPECT_EQ(pixel_at(canvas.get(), 26, 26), opaque(white));
    EXPECT_EQ(pixel_at(canvas.get(), 18, 18), 0u);
    EXPECT_EQ(pixel_at(canvas.get(), 30, 30), 0u);
}

TEST_F(Render, ImagesDrawnSmallerAreReducedOnceAndPlacedLikeTheOriginal) {
    add_bitmap(1, 8, 8, solid(white));
    StaticImageRecord image = gauge::static_image(1, {10, 10}, 0, nullptr, nullptr);
    GaugeInstance& gauge = place({&image.common}, {40, 40});
    SurfacePtr canvas = draw(gauge, 0.5);
    EXPECT_EQ(pixel_at(canvas.get(), 5, 5), opaque(white));
    EXPECT_EQ(pixel_at(canvas.get(), 8, 8), opaque(white));
    EXPECT_EQ(pixel_at(canvas.get(), 4, 4), 0u);
    EXPECT_EQ(pixel_at(canvas.get(), 9, 9), 0u);

    cairo_surface_t* reduced = bitmaps().reduced(1, 0.5);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(cairo_image_surface_get_width(reduced), 4);
    EXPECT_EQ(bitmaps().reduced(1, 0.5), reduced) << "made once";
    EXPECT_FALSE(bitmaps().reduced(1, 1.0)) << "only smaller";
    EXPECT_FALSE(bitmaps().reduced(1, std::nan("")));
    EXPECT_FALSE(bitmaps().reduced(99, 0.5)) << "no such bitmap";
}

// A needle drawn on a large clear square is turned from the square cut to the needle,
// and gives the same pixels as the whole square turned.
TEST_F(Render, TurnedBitmapsCutToTheirContentDrawWhatTheWholeBitmapWould) {
    add_bitmap(1, 40, 40, [](int x, int y) { return x >= 20 && y >= 18 && y < 22 ? red : black; });
    NeedleRecord needle = gauge::needle(
        {.bitmap = 1, .pivot = {50, 50}, .needle_offset = {20, 20}, .source = angle_var}, nullptr,
        nullptr);
    GaugeInstance& gauge = place({&needle.common});
    BitmapSurfaces::Cut cut = bitmaps().cut_to_content(1, 1);
    ASSERT_TRUE(cut.surface);
    EXPECT_EQ(cut.x, 20);
    EXPECT_EQ(cut.y, 18);
    EXPECT_EQ(cairo_image_surface_get_width(cut.surface), 20);
    EXPECT_EQ(cairo_image_surface_get_height(cut.surface), 4);
    EXPECT_FALSE(bitmaps().cut_to_content(99, 1).surface) << "no such bitmap";

    for (double scale : {1.0, 0.5}) {
        for (double angle : {0.0, 33.0, 135.0, 250.0}) {
            sim.set(angle_var, angle);
            gauge.update(sim);
            SurfacePtr drawn = draw(gauge, scale);
            SurfacePtr whole(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(100 * scale),
                                                        int(100 * scale)));
            ContextPtr cr(cairo_create(whole.get()));
            cairo_scale(cr.get(), scale, scale);
            cairo_translate(cr.get(), 50, 50);
            cairo_rotate(cr.get(), angle * std::numbers::pi / 180);
            cairo_surface_t* bitmap = bitmaps().find(1);
            if (scale < 1) {
                bitmap = bitmaps().reduced(1, scale);
                cairo_scale(cr.get(), 1 / scale, 1 / scale);
            }
            cairo_set_source_surface(cr.get(), bitmap, -20 * scale, -20 * scale);
            cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_BILINEAR);
            cairo_paint(cr.get());
            // Moving the source's origin by whole pixels may round a sampling weight
            // the other way: a level or two of a channel.
            int largest = 0;
            for (int y = 0; y < int(100 * scale); ++y)
                for (int x = 0; x < int(100 * scale); ++x)
                    largest = std::max(largest, channel_difference(pixel_at(drawn.get(), x, y),
                                                                   pixel_at(whole.get(), x, y)));
            EXPECT_LE(largest, 2) << "scale " << scale << ", angle " << angle;
        }
    }
}

TEST_F(Render, MissingBitmapsAreCountedAndTheRestIsDrawn) {
    add_bitmap(1, 4, 4, solid(white));
    StaticImageRecord absent = gauge::static_image(99, {0, 0}, 0, nullptr, nullptr);
    StaticImageRecord hidden = gauge::static_image(98, {0, 0}, IMAGE_FLAG_HIDDEN, nullptr, nullptr);
    MovingImageRecord no_window = gauge::moving_image({.bitmap = 1}, nullptr, nullptr);
    StaticImageRecord present = gauge::static_image(1, {10, 10}, 0, nullptr, nullptr);
    int missing = 0;
    SurfacePtr canvas =
        draw(place({&absent.common, &hidden.common, &no_window.common, &present.common}, {20, 20}),
             1, &missing);
    EXPECT_EQ(missing, 2) << "hidden elements are not counted";
    EXPECT_EQ(pixel_at(canvas.get(), 11, 11), opaque(white));
    EXPECT_EQ(pixel_at(canvas.get(), 1, 1), 0u);
}

TEST_F(Render, TheCacheRedrawsAGaugeOnlyWhenItsStateChanges) {
    GaugeInstance& gauge = place_red_needle();
    GaugeCache cache;
    bool redrawn = false;
    EXPECT_EQ(cache.version(gauge), 0u);
    cairo_surface_t* first = cache.surface_for(gauge, bitmaps(), 1, &redrawn);
    EXPECT_TRUE(redrawn);
    EXPECT_EQ(cairo_image_surface_get_width(first), 100);
    EXPECT_EQ(cache.version(gauge), 1u);

    gauge.update(sim);
    EXPECT_EQ(cache.surface_for(gauge, bitmaps(), 1, &redrawn), first);
    EXPECT_FALSE(redrawn);
    EXPECT_EQ(cache.version(gauge), 1u) << "the same picture";

    sim.set(angle_var, 90);
    gauge.update(sim);
    cairo_surface_t* turned = cache.surface_for(gauge, bitmaps(), 1, &redrawn);
    EXPECT_TRUE(redrawn);
    EXPECT_EQ(pixel_at(turned, 50, 86), opaque(red));
    EXPECT_EQ(pixel_at(turned, 86, 50), 0u) << "the old picture is cleared";
    EXPECT_EQ(cache.version(gauge), 2u);

    cairo_surface_t* larger = cache.surface_for(gauge, bitmaps(), 2, &redrawn);
    EXPECT_TRUE(redrawn);
    EXPECT_EQ(cairo_image_surface_get_width(larger), 200);
    EXPECT_EQ(cache.missing_elements(gauge), 0);
}

TEST_F(Render, ACacheWithStepsKeepsThePictureForChangesTooSmallToSee) {
    GaugeInstance& gauge = place_red_needle();
    SignatureSteps steps{0.25, 0.1, 0.01};
    GaugeCache cache(steps);
    bool redrawn = false;
    sim.set(angle_var, 10);
    gauge.update(sim);
    cache.surface_for(gauge, bitmaps(), 1, &redrawn);
    DrawingSignature exact = drawing_signature(gauge);
    DrawingSignature stepped = drawing_signature(gauge, steps);
    sim.set(angle_var, 10.1);
    gauge.update(sim);
    cache.surface_for(gauge, bitmaps(), 1, &redrawn);
    EXPECT_FALSE(redrawn);
    EXPECT_NE(drawing_signature(gauge), exact);
    EXPECT_EQ(drawing_signature(gauge, steps), stepped);
    sim.set(angle_var, 10.2);
    gauge.update(sim);
    cache.surface_for(gauge, bitmaps(), 1, &redrawn);
    EXPECT_TRUE(redrawn);
}

TEST_F(Render, PicturesAreWrittenAsPng) {
    SurfacePtr canvas(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 3));
    std::string path = ::testing::TempDir() + "render_test.png", error;
    ASSERT_TRUE(write_png(canvas.get(), path, error)) << error;
    SurfacePtr read(cairo_image_surface_create_from_png(path.c_str()));
    EXPECT_EQ(cairo_surface_status(read.get()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_height(read.get()), 3);
    std::remove(path.c_str());
    EXPECT_FALSE(write_png(canvas.get(), "/no/such/folder/render_test.png", error));
    EXPECT_NE(error.find("/no/such/folder"), std::string::npos);
}

} // namespace
