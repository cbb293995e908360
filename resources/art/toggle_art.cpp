// Toggle button faces (Marlow_Instr): small raised push buttons, each with a
// pictogram of what it calls up, and the entirely black face of the invisible toggle.
//
// The faces are 19 x 19 pixels (the map's 12 x 12), so every pictogram is a few
// strokes on whole or half pixels, light on the dark button, with one accent colour
// at most.
#include "art/art_families.hpp"
#include "art/draw_helpers.hpp"
#include "panel/panel_bitmaps.hpp"

#include <numbers>

namespace art {
namespace {

namespace faces = gauge::panel_bitmaps;

constexpr double pi = std::numbers::pi;

constexpr Rgb ink{0.93, 0.93, 0.90};       // the pictograms' light strokes
constexpr Rgb dim{0.62, 0.63, 0.64};       // their secondary parts
constexpr Rgb lit_green{0.35, 0.95, 0.45}; // radio and GPS displays
constexpr Rgb sky{0.35, 0.62, 0.95};

// The raised button: dark grey, lit from the upper left, with a thin dark rim.
void button(cairo_t* cr, double size) {
    const double corner = size > 15 ? 3 : 2;
    set_linear_gradient(cr, {0, 0}, {size, size},
                        {{0, {0.40, 0.41, 0.44}}, {1, {0.17, 0.18, 0.20}}});
    rounded_rect(cr, 0, 0, size, size, corner);
    cairo_fill(cr);
    // The flat top of the button, a shade inside the bevel.
    rounded_rect(cr, 1.5, 1.5, size - 3, size - 3, corner - 1);
    set_colour(cr, {0.27, 0.28, 0.30});
    cairo_fill(cr);
    rounded_rect(cr, 0.5, 0.5, size - 1, size - 1, corner - 0.5);
    cairo_set_line_width(cr, 1);
    set_colour(cr, {0.10, 0.10, 0.11});
    cairo_stroke(cr);
}

void line(cairo_t* cr, Point from, Point to, double width, Rgb c) {
    stroke_line(cr, from, to, width, c, CAIRO_LINE_CAP_ROUND);
}

void box(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
    cairo_rectangle(cr, x, y, w, h);
    set_colour(cr, c);
    cairo_fill(cr);
}

void outline(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_line_width(cr, 1);
    set_colour(cr, c);
    cairo_stroke(cr);
}

void disc(cairo_t* cr, Point centre, double radius, Rgb c) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * pi);
    set_colour(cr, c);
    cairo_fill(cr);
}

// A clipboard with a page of notes.
void kneeboard(cairo_t* cr) {
    box(cr, 4.5, 4, 10, 12.5, {0.70, 0.55, 0.34});
    box(cr, 5.5, 6, 8, 9.5, ink);
    box(cr, 7, 3, 5, 2.5, dim);
    for (double y : {8.5, 10.5, 12.5})
        line(cr, {7, y}, {12, y}, 0.9, {0.30, 0.30, 0.32});
}

// A folded map with a route across it.
void map(cairo_t* cr) {
    fill_polygon(cr, {{2, 3}, {4.7, 2}, {7.3, 3}, {10, 2}, {10, 9}, {7.3, 10}, {4.7, 9}, {2, 10}},
                 {0.90, 0.86, 0.70});
    line(cr, {4.7, 2.5}, {4.7, 9}, 0.7, {0.55, 0.52, 0.42});
    line(cr, {7.3, 3}, {7.3, 9.5}, 0.7, {0.55, 0.52, 0.42});
    line(cr, {3, 8}, {9, 4}, 1, {0.85, 0.15, 0.55});
}

// A headset: headband, ear cups and a boom microphone.
void atc(cairo_t* cr) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 9.5, 10, 5.5, pi, 2 * pi);
    cairo_set_line_width(cr, 1.5);
    set_colour(cr, ink);
    cairo_stroke(cr);
    box(cr, 3, 9, 3, 5, ink);
    box(cr, 13, 9, 3, 5, ink);
    cairo_move_to(cr, 4.5, 14);
    cairo_curve_to(cr, 4.5, 16.5, 7, 16.5, 9, 16.5);
    cairo_set_line_width(cr, 1);
    set_colour(cr, dim);
    cairo_stroke(cr);
    disc(cr, {10, 16.5}, 1.3, {0.95, 0.75, 0.20});
}

// Two radio heads, each with a lit frequency window and a knob.
void radios(cairo_t* cr) {
    for (double top : {3.5, 10.5}) {
        box(cr, 3, top, 13, 5.5, dim);
        box(cr, 4, top + 1, 7, 3.5, {0.05, 0.12, 0.06});
        line(cr, {5, top + 2.75}, {10, top + 2.75}, 1.2, lit_green);
        disc(cr, {13.5, top + 2.75}, 1.6, {0.20, 0.20, 0.22});
    }
}

// A satellite: body, two solar wings and a signal.
void gps(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 9.5, 10);
    cairo_rotate(cr, -pi / 4);
    line(cr, {-7, 0}, {7, 0}, 1, dim);
    box(cr, -7.5, -2.5, 4, 5, sky);
    box(cr, 3.5, -2.5, 4, 5, sky);
    line(cr, {-5.5, -2.5}, {-5.5, 2.5}, 0.6, {0.15, 0.25, 0.45});
    line(cr, {5.5, -2.5}, {5.5, 2.5}, 0.6, {0.15, 0.25, 0.45});
    box(cr, -2, -2, 4, 4, ink);
    cairo_restore(cr);
    // Its signal, towards the ground below right.
    for (double radius : {5.5, 7.5}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 9.5, 10, radius, pi * 0.14, pi * 0.36);
    }
    cairo_set_line_width(cr, 1);
    set_colour(cr, lit_green);
    cairo_stroke(cr);
}

// The power levers of the two engines in their quadrant.
void throttle(cairo_t* cr) {
    box(cr, 3, 14, 13, 2.5, dim);
    line(cr, {7, 14}, {6, 6}, 1.4, ink);
    line(cr, {12, 14}, {13, 6}, 1.4, ink);
    box(cr, 3.5, 3.5, 5, 2.5, ink);
    box(cr, 10.5, 3.5, 5, 2.5, ink);
}

// A compass rose: ring, and a needle whose north half is red.
void compass(cairo_t* cr) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 9.5, 9.5, 6.5, 0, 2 * pi);
    cairo_set_line_width(cr, 1);
    set_colour(cr, ink);
    cairo_stroke(cr);
    fill_polygon(cr, {{9.5, 3.5}, {11.5, 9.5}, {7.5, 9.5}}, colour::red);
    fill_polygon(cr, {{9.5, 15.5}, {11.5, 9.5}, {7.5, 9.5}}, ink);
}

// A cross: close this window.
void close(cairo_t* cr) {
    line(cr, {5.5, 5.5}, {13.5, 13.5}, 2.2, ink);
    line(cr, {13.5, 5.5}, {5.5, 13.5}, 2.2, ink);
}

// A window with its title bar: any panel window.
void window(cairo_t* cr) {
    box(cr, 3, 4, 13, 3, sky);
    outline(cr, 3.5, 4.5, 12, 10, ink);
}

// The overhead panel, and an arrow looking up at it.
void overhead(cairo_t* cr) {
    box(cr, 3, 3, 13, 4, dim);
    for (double x : {5.5, 8.5, 11.5, 14.0})
        line(cr, {x, 4.2}, {x, 5.8}, 1, {0.15, 0.15, 0.16});
    line(cr, {9.5, 16}, {9.5, 10}, 1.6, ink);
    fill_polygon(cr, {{9.5, 8}, {12.5, 11.5}, {6.5, 11.5}}, ink);
}

// A runway seen on final approach.
void landing_view(cairo_t* cr) {
    fill_polygon(cr, {{2.5, 16.5}, {16.5, 16.5}, {11, 4}, {8, 4}}, {0.50, 0.51, 0.53});
    for (double y : {5.5, 9.0, 13.0})
        line(cr, {9.5, y}, {9.5, y + 1.8}, 1, ink);
    line(cr, {3.5, 16}, {15.5, 16}, 1, ink);
}

// A lightning bolt.
void electricity(cairo_t* cr) {
    fill_polygon(cr, {{11.5, 2.5}, {5, 10.5}, {9.2, 10.5}, {7.5, 16.5}, {14, 8.2}, {9.8, 8.2}},
                 colour::yellow);
}

// A small engine dial: ring, green band, red limit and a needle.
void engine_instruments(cairo_t* cr) {
    const Point centre{9.5, 10};
    disc(cr, centre, 7, ink);
    disc(cr, centre, 5.8, {0.08, 0.08, 0.09});
    arc_band(cr, centre, 4.3, 5.8, 170, 290, colour::green);
    arc_band(cr, centre, 3.8, 5.8, 300, 325, colour::red);
    line(cr, centre, polar(centre, 5, 230), 1.3, ink);
    disc(cr, centre, 1.2, dim);
}

using Pictogram = void (*)(cairo_t*);

struct Face {
    gauge::Bitmap bitmap;
    Pictogram pictogram;
};

constexpr Face button_faces[] = {
    {faces::kneeboard_face, kneeboard},
    {faces::map_face, map},
    {faces::atc_face, atc},
    {faces::radios_face, radios},
    {faces::gps_face, gps},
    {faces::throttle_face, throttle},
    {faces::compass_face, compass},
    {faces::close_face, close},
    {faces::window_face, window},
    {faces::overhead_face, overhead},
    {faces::landing_view_face, landing_view},
    {faces::electricity_face, electricity},
    {faces::engine_instruments_face, engine_instruments},
};

} // namespace

void register_toggle_art(BitmapRegistry& registry) {
    for (const Face& face : button_faces)
        registry.add(marlow_instr, face.bitmap,
                     [pictogram = face.pictogram](cairo_t* cr, int width, int) {
                         button(cr, width);
                         pictogram(cr);
                     });
    registry.add_blank(marlow_instr, faces::blank_face);
}

} // namespace art
