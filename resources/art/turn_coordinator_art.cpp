// Turn coordinator art (Marlow_Instr): the face with its three rate index marks
// and the ball's tube, the ball, the tube's index lines, the supply flag, the
// pointer (an aircraft seen from above on a long arm) and the cover.
//
// The index marks are placed through the pointer's own table, and the tube follows
// the ball's path: sideways 0.6640625 pixels per unit of sideslip and up with its
// square, so the ball always sits in the tube.
#include "art/art_families.hpp"
#include "art/dial_scale.hpp"
#include "flight/flight_bitmaps.hpp"
#include "flight/turn_coordinator_layout.hpp"

#include <numbers>

namespace art {
namespace {

namespace bitmaps = gauge::turn_coordinator_bitmaps;

namespace tc = gauge::turn_coordinator;

constexpr Point pivot{tc::pivot_x, tc::pivot_y};

// The ball bitmap is 35 x 51 with the ball in its middle.
constexpr double ball_radius = 15.5;
constexpr Point ball_in_bitmap{17.5, 25.5};
constexpr Point ball_at_rest{tc::ball_x + ball_in_bitmap.x, tc::ball_y + ball_in_bitmap.y};
constexpr double tube_half_height = 18.5;
constexpr double tube_half_length = tc::ball_travel * tc::ball_x_scale + ball_radius + 4;

// The ball's height above rest for a sideways shift of dx pixels.
double ball_rise(double dx) {
    const double sideslip = dx / tc::ball_x_scale;
    return tc::ball_y_scale * sideslip * sideslip; // negative: up
}

const Scale scale{tc::pointer_table, pivot};

constexpr Rgb tube_colour{0.90, 0.89, 0.82};

void tube_path(cairo_t* cr, double grow) {
    const double half = tube_half_height + grow;
    const double length = tube_half_length + grow;
    cairo_new_sub_path(cr);
    for (double dx = -length; dx <= length; dx += 2)
        cairo_line_to(cr, ball_at_rest.x + dx, ball_at_rest.y + ball_rise(dx) - half);
    for (double dx = length; dx >= -length; dx -= 2)
        cairo_line_to(cr, ball_at_rest.x + dx, ball_at_rest.y + ball_rise(dx) + half);
    cairo_close_path(cr);
}

void draw_face(cairo_t* cr, int, int) {
    dial_face(cr, dial::centre, dial::face_radius);

    // Index marks: wings level and a standard-rate turn either way.
    for (double rate : {-tc::standard_rate, 0.0, tc::standard_rate})
        scale.radial(cr, rate, 206, 228, rate == 0 ? 6 : 5, colour::marking);
    text_centred(cr, "L", polar(pivot, 196, scale.angle(-3.2)), 18);
    text_centred(cr, "R", polar(pivot, 196, scale.angle(3.2)), 18);

    // The ball's tube, with a dark rim.
    tube_path(cr, 2);
    set_colour(cr, {0.35, 0.35, 0.33});
    cairo_fill(cr);
    tube_path(cr, 0);
    set_colour(cr, tube_colour);
    cairo_fill(cr);

    // One legend, what the index marks mean, under the tube left of the pointer's
    // hub; the dial's name and the maker's small print would not read at half size.
    text_centred(cr, "2 MIN", {94, 228}, 17);
}

void draw_ball(cairo_t* cr, int, int) {
    circle_path(cr, ball_in_bitmap, ball_radius);
    set_colour(cr, {0.11, 0.11, 0.11});
    cairo_fill(cr);
    circle_path(cr, {ball_in_bitmap.x - 5, ball_in_bitmap.y - 5}, 3.5);
    set_colour(cr, {0.55, 0.55, 0.55});
    cairo_fill(cr);
}

// Two dark lines across the tube, just clear of the ball at rest.
void draw_tube_lines(cairo_t* cr, int, int) {
    const Point origin{tc::tube_lines_x, tc::tube_lines_y};
    for (double side : {-1.0, 1.0}) {
        const double x = ball_at_rest.x + side * (ball_radius + 2) - origin.x;
        const double top = ball_at_rest.y - tube_half_height - 3 - origin.y;
        cairo_rectangle(cr, x - 1.25, top, 2.5, 2 * tube_half_height + 6);
    }
    set_colour(cr, {0.16, 0.16, 0.16});
    cairo_fill(cr);
}

// A round flag in red and black quarters.
void draw_flag(cairo_t* cr, int width, int height) {
    const Point c{width / 2.0, height / 2.0};
    const double r = width / 2.0 - 1;
    for (int quarter = 0; quarter < 4; ++quarter) {
        cairo_move_to(cr, c.x, c.y);
        cairo_arc(cr, c.x, c.y, r, quarter * std::numbers::pi / 2,
                  (quarter + 1) * std::numbers::pi / 2);
        cairo_close_path(cr);
        set_colour(cr, quarter % 2 ? Rgb{0.12, 0.12, 0.12} : colour::red);
        cairo_fill(cr);
    }
    circle_path(cr, c, r);
    cairo_set_line_width(cr, 1.5);
    set_colour(cr, {0.55, 0.55, 0.53});
    cairo_stroke(cr);
}

// The pointer, drawn pointing right from its pivot (24,14): a thin arm carrying an
// aircraft seen from above, its nose at the tip.
void draw_pointer(cairo_t* cr, int, int) {
    const double y = 14;
    const double pivot_x = 24;
    set_colour(cr, colour::marking);
    // Arm and counterweight.
    cairo_rectangle(cr, pivot_x - 14, y - 1.75, 178, 3.5);
    cairo_fill(cr);
    circle_path(cr, {pivot_x - 14, y}, 5);
    cairo_fill(cr);
    // Fuselage, nose at x 212.
    rounded_rect(cr, 166, y - 2.75, 46, 5.5, 2.75);
    cairo_fill(cr);
    // Wings across the arm, swept slightly back, and the tailplane.
    cairo_move_to(cr, 200, y - 1);
    cairo_line_to(cr, 196, 1);
    cairo_line_to(cr, 189, 1);
    cairo_line_to(cr, 189, 27);
    cairo_line_to(cr, 196, 27);
    cairo_line_to(cr, 200, y + 1);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_rectangle(cr, 167, y - 8, 5, 16);
    cairo_fill(cr);
    // Hub.
    rimmed_disc(cr, {pivot_x, y}, 10, {0.20, 0.20, 0.20}, 1.5, {0.70, 0.70, 0.68});
}

constexpr BitmapArt art[] = {
    {bitmaps::face, draw_face}, {bitmaps::pointer, draw_pointer},
    {bitmaps::ball, draw_ball}, {bitmaps::tube_lines, draw_tube_lines},
    {bitmaps::flag, draw_flag}, {bitmaps::cover, dial_cover},
};

} // namespace

void register_turn_coordinator_art(BitmapRegistry& registry) { registry.add(marlow_instr, art); }

} // namespace art
