// The HSI and the RMI as drawn from the module's own artwork, with their receivers
// switched on at the radio heads: the HSI's compass card, course pointer and
// deviation bar turn together with the heading, and the RMI's card brings the
// heading to the top. Angles are measured on the pictures themselves: the card's by
// matching the ring of its labels, the pointers' by where their yellow lies.
#include "gauge_pictures.hpp"
#include "placed_gauges.hpp"
#include "render/panel_fonts.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

using namespace panelhost;
using namespace panelhost::pictures;

namespace {

// Sum of the channel differences of two pixels.
int difference(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

bool yellow(Rgb c) { return c.r > 200 && c.g > 170 && c.b < 110; }
bool magenta(Rgb c) { return c.r > 180 && c.b > 150 && c.g < 110; }

struct Centre {
    double x, y;
};

// Screen angle in degrees, clockwise from +x, of pixel (x, y) about the centre.
double angle_of(Centre c, double x, double y) { return std::atan2(y - c.y, x - c.x) * 180 / pi; }

// How much white lies in each degree of a ring about the centre.
std::array<double, 360> white_by_degree(const Picture& p, Centre c, double r1, double r2) {
    std::array<double, 360> profile{};
    for (int y = 0; y < p.size(); ++y)
        for (int x = 0; x < p.size(); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double r = std::hypot(px - c.x, py - c.y);
            if (r < r1 || r > r2 || !white(p.at(x, y))) continue;
            const int degree = (int(std::floor(angle_of(c, px, py))) + 360) % 360;
            profile[degree] += 1;
        }
    return profile;
}

// The turn, in whole degrees -179..180 clockwise, that brings the white ring of
// `from` best onto that of `to`.
int ring_turn(const Picture& from, const Picture& to, Centre c, double r1, double r2) {
    const auto a = white_by_degree(from, c, r1, r2), b = white_by_degree(to, c, r1, r2);
    int best = 0;
    double best_match = -1;
    for (int shift = -179; shift <= 180; ++shift) {
        double match = 0;
        for (int k = 0; k < 360; ++k)
            match += a[k] * b[(k + shift + 360) % 360];
        if (match > best_match) best_match = match, best = shift;
    }
    return best;
}

// Direction of the middle of the yellow between radii r1 and r2 about the centre.
double yellow_direction(const Picture& p, Centre c, double r1, double r2) {
    double sx = 0, sy = 0;
    int count = 0;
    for (int y = 0; y < p.size(); ++y)
        for (int x = 0; x < p.size(); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double r = std::hypot(px - c.x, py - c.y);
            if (r < r1 || r > r2 || !yellow(p.at(x, y))) continue;
            sx += px - c.x, sy += py - c.y, ++count;
        }
    EXPECT_GT(count, 20) << "yellow between radii " << r1 << " and " << r2;
    return std::atan2(sy, sx) * 180 / pi;
}

// Difference of two directions, -180..180.
double turn_between(double from, double to) { return std::remainder(to - from, 360.0); }

class NavPictures : public PlacedGauges<> {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(use_panel_fonts(error)) << error;
        ASSERT_NO_FATAL_FAILURE(PlacedGauges::SetUp());
        bitmaps = std::make_unique<BitmapSurfaces>(modules.front()->resources());
    }

    // Switches a NAV head on with its ON button; its lamp (element 10) says so.
    void switch_on(GaugeInstance& head) {
        host.update();
        if (!head.elements().at(10).icon) host.click(head, 100, 85, MOUSE_LEFT_BUTTON);
        host.update();
        ASSERT_TRUE(head.elements().at(10).icon);
    }

    Picture draw(const GaugeInstance& gauge) {
        host.update();
        host.update(); // the HSI's arrow follows the course pointer one update late
        return Picture(gauge, *bitmaps, 300);
    }

    std::unique_ptr<BitmapSurfaces> bitmaps;
};

TEST_F(NavPictures, HsiCardCoursePointerAndDeviationBarTurnTogether) {
    switch_on(place("Becker_NR3320_NAV1"));
    GaugeInstance& hsi = place("HSI");
    Simulation& sim = host.simulation();
    sim.set(VAR_HSI_COURSE_VALID, 1);      // course signal valid: NAV flag away
    sim.set(VAR_HSI_LATERAL_DEVIATION, 1); // one dot: the bar 36 pixels beside the course line
    sim.set(VAR_HSI_TO_FROM, 1);
    const Centre c{151, 145};
    // Card labels lie in the ring 64-88 pixels out; the course pointer's head
    // 76-92; inside 40 the only yellow is the bar (the aircraft symbol is orange).
    auto card_turn = [&](const Picture& a, const Picture& b) { return ring_turn(a, b, c, 64, 88); };
    auto head = [&](const Picture& p) { return yellow_direction(p, c, 76, 92); };
    auto bar = [&](const Picture& p) { return yellow_direction(p, c, 0, 40); };

    sim.set(VAR_HEADING_INDICATOR, 0);
    sim.set(VAR_HSI_COURSE, 30);
    const Picture first = draw(hsi);
    first.save("hsi_heading_0_course_30.png");
    EXPECT_NEAR(head(first), 30 - 90, 1.5) << "course 30 points 30 degrees right of the top";
    EXPECT_NEAR(turn_between(head(first), bar(first)), -90, 3) << "bar left of the course";

    sim.set(VAR_HEADING_INDICATOR, 70);
    const Picture turned = draw(hsi);
    turned.save("hsi_heading_70_course_30.png");
    EXPECT_NEAR(card_turn(first, turned), -70, 1) << "card";
    EXPECT_NEAR(turn_between(head(first), head(turned)), -70, 1.5) << "course pointer";
    EXPECT_NEAR(turn_between(bar(first), bar(turned)), -70, 1.5) << "deviation bar";

    sim.set(VAR_HSI_COURSE, 100); // a new course, the same heading: the card stays
    const Picture new_course = draw(hsi);
    new_course.save("hsi_heading_70_course_100.png");
    EXPECT_NEAR(card_turn(turned, new_course), 0, 1) << "card";
    EXPECT_NEAR(turn_between(head(turned), head(new_course)), 70, 1.5) << "course pointer";
    EXPECT_NEAR(turn_between(bar(turned), bar(new_course)), 70, 1.5) << "deviation bar";
}

TEST_F(NavPictures, RmiCardBringsTheHeadingToTheTop) {
    GaugeInstance& nav1 = place("Becker_NR3320_NAV1");
    GaugeInstance& nav2 = place("Becker_NR3320_NAV2");
    switch_on(nav1);
    switch_on(nav2);
    GaugeInstance& rmi = place("Collins_RMI");
    Simulation& sim = host.simulation();
    // Both pointers down to the left, clear of the top and right of the card.
    sim.set(VAR_NAV1_BEARING, 225);
    sim.set(VAR_NAV2_BEARING, 225);
    const Centre c{150, 150};

    sim.set(VAR_HEADING_INDICATOR, 0);
    const Picture north = draw(rmi);
    north.save("rmi_heading_0.png");
    sim.set(VAR_HEADING_INDICATOR, 90);
    const Picture east = draw(rmi);
    east.save("rmi_heading_90.png");
    EXPECT_NEAR(ring_turn(north, east, c, 74, 98), -90, 1) << "card turned 90 to the left";

    // The label at the top with heading 90 is the one at the right with heading 0
    // (E), turned upright; and not the one at the top with heading 0 (N). A quarter
    // turn about the pixel corner (150,150) takes pixel (x, y) to (y, 299 - x).
    double as_east = 0, as_north = 0;
    int white_pixels = 0;
    for (int y = 52; y < 78; ++y)
        for (int x = 136; x < 165; ++x) {
            const Rgb top = east.at(x, y), right = north.at(299 - y, x), n = north.at(x, y);
            white_pixels += white(top);
            as_east += difference(top, right);
            as_north += difference(top, n);
        }
    EXPECT_GT(white_pixels, 30) << "a label at the top";
    EXPECT_LT(as_east * 8, as_north) << "E at the top, not N";
}

// The OBS knob's mark turns with the selected course, half a turn per 30 degrees:
// up at course 0, right at 15, down at 90. The knob's bitmap is a needle, drawn
// pointing along +x and turned by its table.
TEST_F(NavPictures, ObsKnobMarkPointsToTheSelectedCourse) {
    GaugeInstance& vor = place("Becker_IN3303_VOR1");
    Simulation& sim = host.simulation();
    const Centre knob{32, 270};
    auto mark_direction = [&](double course) {
        sim.set(VAR_NAV1_SELECTED_COURSE, course);
        const Picture picture = draw(vor);
        picture.save("vor_obs_course_" + std::to_string(int(course)) + ".png");
        double sx = 0, sy = 0;
        int count = 0;
        for (int y = 250; y < 290; ++y)
            for (int x = 12; x < 52; ++x) {
                const double px = x + 0.5 - knob.x, py = y + 0.5 - knob.y;
                const double r = std::hypot(px, py);
                if (r < 7 || r > 19 || !white(picture.at(x, y))) continue;
                sx += px, sy += py, ++count;
            }
        EXPECT_GT(count, 10) << "the mark's white at course " << course;
        return std::atan2(sy, sx) * 180 / pi;
    };
    EXPECT_NEAR(turn_between(-90, mark_direction(0)), 0, 12) << "up at course 0";
    EXPECT_NEAR(turn_between(0, mark_direction(15)), 0, 12) << "right at course 15";
    EXPECT_NEAR(turn_between(90, mark_direction(90)), 0, 12) << "down at course 90";
}

// The IDT button between the transponder's code and flight level shows through the
// window backing and its cover: its grey face, not the liquid-crystal green.
TEST_F(NavPictures, TransponderIdtButtonShowsBesideTheWindows) {
    GaugeInstance& xpdr = place("Becker_ATC3401_XPDR");
    auto button_face = [](Rgb c) { return c.r < 90 && c.g < 90 && c.b < 90; };
    const Picture off = draw(xpdr);
    off.save("xpdr_off.png");
    host.click(xpdr, 103, 85, MOUSE_LEFT_BUTTON); // ON
    const Picture on = draw(xpdr);
    on.save("xpdr_on.png");
    for (const Picture* picture : {&off, &on}) {
        int face = 0;
        for (int y = 22; y < 32; ++y)
            for (int x = 166; x < 172; ++x)
                face += button_face(picture->at(x, y));
        EXPECT_GT(face, 50) << (picture == &off ? "switched off" : "switched on");
    }
}

// The glideslope pointer shows whole on its scale, in the bezel's window, at rest
// and at both ends of its travel (40 pixels a unit).
TEST_F(NavPictures, HsiGlideslopePointerShowsOnItsScale) {
    switch_on(place("Becker_NR3320_NAV1"));
    GaugeInstance& hsi = place("HSI");
    Simulation& sim = host.simulation();
    sim.set(VAR_HSI_COURSE_VALID, 1);
    sim.set(VAR_HSI_GLIDESLOPE_VALID, 1); // glideslope valid: pointer shown, VERT flag away
    for (double deviation : {-1.0, 0.0, 1.0}) {
        sim.set(VAR_HSI_VERTICAL_DEVIATION, deviation);
        const Picture picture = draw(hsi);
        picture.save("hsi_glideslope_" + std::to_string(int(deviation)) + ".png");
        const int top = 138 + int(40 * deviation);
        int pointer = 0;
        for (int y = top; y < top + 12; ++y)
            for (int x = 260; x < 274; ++x)
                pointer += magenta(picture.at(x, y));
        EXPECT_GT(pointer, 60) << "of the pointer's 84 pixels, at deviation " << deviation;
    }
}

// Each warning flag in view shows all of its lettering: nothing of the bezel, the
// fixed marks or the knobs lies over a letter.
TEST_F(NavPictures, HsiFlagsShowTheirWholeLettering) {
    GaugeInstance& hsi = place("HSI");
    Simulation& sim = host.simulation();
    sim.set(VAR_INSTRUMENT_POWER_FAILED, 1); // raises all three flags
    const Picture picture = draw(hsi);
    picture.save("hsi_flags.png");
    struct Flag {
        const char* name;
        uint32_t bitmap;
        Spot at;
    };
    for (Flag flag : {Flag{"NAV", 1130, {0, 0}}, Flag{"VERT", 1110, {244, 114}},
                      Flag{"HDG", 1180, {157, 28}}}) {
        size_t letters = 0;
        EXPECT_EQ(hidden_lettering(picture, bitmaps->find(flag.bitmap), flag.at, letters), 0u)
            << flag.name << ": pixels of its lettering hidden";
        EXPECT_GT(letters, 40u) << flag.name << " has lettering";
    }
}

// The deviation dots on the course pointer stay off the compass card's figures
// whatever the heading.
TEST_F(NavPictures, HsiDeviationDotsStayOffTheCardFigures) {
    const Picture dots(bitmaps->find(1090));
    for (int heading = 0; heading < 360; heading += 5) {
        const Picture card(bitmaps->find(1060), -heading);
        int shared = 0;
        for (int y = 0; y < card.height(); ++y)
            for (int x = 0; x < card.width(); ++x)
                shared += white(card.at(x, y)) && white(dots.at(x, y));
        EXPECT_EQ(shared, 0) << "white of both at heading " << heading;
    }
}

} // namespace
