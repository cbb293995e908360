// The flight instruments as drawn from the module's own artwork: the horizon
// turns the right way for a bank, and a pitch-ladder line meets the aircraft
// symbol's wings at its own pitch; the GYRO flag in view shows all its lettering.
#include "gauge_pictures.hpp"
#include "placed_gauges.hpp"
#include "render/gauge_renderer.hpp"
#include "render/panel_fonts.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

using namespace panelhost;

namespace {

using pictures::Rgb;

class AttitudePicture : public PlacedGauges<> {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlacedGauges::SetUp());
        gauge = &place("Attitude");
    }

    void draw(double pitch, double bank) {
        set(VAR_PITCH, pitch);
        set(VAR_BANK, bank);
        update();
        surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 300, 300));
        ContextPtr cr(cairo_create(surface.get()));
        BitmapSurfaces bitmaps(modules.front()->resources());
        ASSERT_EQ(draw_gauge(cr.get(), *gauge, bitmaps, 1.0), 0);
        cairo_surface_flush(surface.get());
    }

    Rgb at(int x, int y) {
        const unsigned char* row = cairo_image_surface_get_data(surface.get()) +
                                   y * cairo_image_surface_get_stride(surface.get());
        uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[x];
        return {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
    }

    bool sky(int x, int y) { return at(x, y).b > at(x, y).r + 40; }
    bool ground(int x, int y) { return at(x, y).r > at(x, y).b + 40; }
    // The row where a white line crosses column x between rows from and to: the
    // reddest row, since neither sky nor the ground near the horizon is as red.
    int white_row(int x, int from, int to) {
        int best = from;
        for (int y = from; y <= to; ++y)
            if (at(x, y).r > at(x, best).r) best = y;
        return at(x, best).r > 170 ? best : -1;
    }

    GaugeInstance* gauge = nullptr;
    SurfacePtr surface{nullptr};
};

TEST_F(AttitudePicture, LevelFlightShowsSkyAboveAndGroundBelow) {
    draw(0, 0);
    EXPECT_TRUE(sky(100, 120));
    EXPECT_TRUE(ground(100, 180));
    EXPECT_TRUE(sky(200, 120));
    EXPECT_TRUE(ground(200, 180));
}

TEST_F(AttitudePicture, ALeftBankRaisesTheHorizonOnTheLeft) {
    // The horizon turns clockwise: 50 pixels left of centre it stands about 29
    // pixels higher, 50 pixels right of centre as much lower.
    draw(0, 30);
    EXPECT_TRUE(ground(100, 140));
    EXPECT_TRUE(sky(200, 160));
    draw(0, -30);
    EXPECT_TRUE(sky(100, 160));
    EXPECT_TRUE(ground(200, 140));
}

TEST_F(AttitudePicture, PitchLadderLinesMeetTheWingsAtTheirPitch) {
    // Column 160 passes right of the symbol's centre dot, clear of its wings'
    // turned-down ends, through the ladder lines of tens.
    draw(0, 0);
    int horizon = white_row(160, 140, 160);
    ASSERT_GE(horizon, 149);
    ASSERT_LE(horizon, 150);
    for (double pitch : {10.0, 20.0, 30.0, 40.0, -20.0}) {
        SCOPED_TRACE(pitch);
        draw(pitch, 0);
        EXPECT_NEAR(white_row(160, 140, 160), horizon, 1);
    }
    draw(55, 0);
    EXPECT_NEAR(white_row(160, 140, 160), horizon, 1) << "held at the 40 line";
    draw(45, 0);
    EXPECT_NEAR(white_row(160, 140, 160), horizon, 1);
}

// Nothing the indicator draws after its GYRO flag (the aircraft symbol, the
// cover with the fixed marks) lies over the flag's lettering.
TEST_F(AttitudePicture, GyroFlagShowsItsWholeLettering) {
    std::string error;
    ASSERT_TRUE(use_panel_fonts(error)) << error;
    set(VAR_INSTRUMENT_POWER_FAILED, 1); // raises the flag
    draw(0, 0);                          // level, the flag's callback run
    BitmapSurfaces bitmaps(modules.front()->resources());
    const pictures::Picture picture(*gauge, bitmaps, 300);
    picture.save("attitude_gyro_flag.png");
    size_t letters = 0;
    EXPECT_EQ(pictures::hidden_lettering(picture, bitmaps.find(460), {44, 44}, letters), 0u);
    EXPECT_GT(letters, 40u) << "the flag is lettered";
}

} // namespace
