// Flaps and gear indicator art (Marlow_Instr): the face with its flap scale and
// three gear windows, the window images (hatched, UP, wheel), the OFF flag, the
// flap pointer and the cover. The flap marks stand where the pointer's table puts
// them.
#include "art/art_families.hpp"
#include "art/dial_scale.hpp"
#include "engine/engine_bitmaps.hpp"
#include "engine/engine_tables.hpp"

#include <cmath>

namespace art {
namespace {

namespace bitmaps = gauge::flaps_gear_bitmaps;

constexpr int face_size = bitmaps::face.width;
constexpr int window_size = bitmaps::gear_hatched.width;
constexpr Point flap_pivot{69, 29};
constexpr Point gear_windows[] = {{31, 86}, {69, 86}, {107, 86}}; // left, centre, right
constexpr const char* gear_labels[] = {"L", "N", "R"};
constexpr Rgb window_dark{0.05, 0.05, 0.05};

void draw_face(cairo_t* cr, int, int) {
    instrument_case(cr, face_size, face_size, 10);
    // The flap scale: an arc round the pointer's pivot with the four marks.
    const Scale flaps{gauge::flap_table, flap_pivot};
    arc_band(cr, flap_pivot, 36, 38, flaps.angle(0), flaps.angle(16380), colour::marking);
    struct Mark {
        double value;
        const char* text;
        double size;
    };
    constexpr Mark marks[] = {
        {0, "UP", 10}, {5460, "1/3", 9}, {10920, "2/3", 9}, {16380, "DN", 10}};
    for (const Mark& m : marks) {
        const double a = flaps.angle(m.value);
        tick(cr, flap_pivot, a, 33, 42, 2.2);
        text_centred(cr, m.text, polar(flap_pivot, 51, a), m.size);
    }
    text_centred(cr, "FLAPS", {32, 58}, 10);

    // The gear windows: dark recesses with a light rim, labelled underneath.
    for (int i = 0; i < 3; ++i) {
        const Point w = gear_windows[i];
        rounded_rect(cr, w.x - 2, w.y - 2, window_size + 4, window_size + 4, 3);
        set_colour(cr, {0.55, 0.55, 0.53});
        cairo_fill(cr);
        cairo_rectangle(cr, w.x, w.y, window_size, window_size);
        set_colour(cr, window_dark);
        cairo_fill(cr);
        text_centred(cr, gear_labels[i], {w.x + window_size / 2.0, w.y + 30}, 9);
    }
    text_centred(cr, "GEAR", {77, 134}, 11);
}

void draw_hatched(cairo_t* cr, int w, int h) {
    diagonal_stripes(cr, 0, 0, w, h, {0.92, 0.92, 0.90}, {0.10, 0.10, 0.10}, 3);
}

void draw_up(cairo_t* cr, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    set_colour(cr, window_dark);
    cairo_fill(cr);
    text_centred(cr, "UP", {w / 2.0, h / 2.0}, 10);
}

void draw_wheel(cairo_t* cr, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    set_colour(cr, window_dark);
    cairo_fill(cr);
    const Point c{w / 2.0, h / 2.0};
    circle_path(cr, c, 7.5);
    set_colour(cr, colour::green);
    cairo_fill(cr);
    circle_path(cr, c, 4.5);
    set_colour(cr, {0.10, 0.25, 0.12});
    cairo_fill(cr);
    circle_path(cr, c, 1.8);
    set_colour(cr, colour::green);
    cairo_fill(cr);
}

// The vertical OFF flag: red, with the letters one above another.
void draw_off_flag(cairo_t* cr, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    set_colour(cr, colour::red);
    cairo_fill(cr);
    const char* letters[] = {"O", "F", "F"};
    for (int i = 0; i < 3; ++i)
        text_centred(cr, letters[i], {w / 2.0, 4.5 + i * 8.0}, 9);
}

void draw_flap_pointer(cairo_t* cr, int, int) {
    needle(cr, {.pivot = pivot_of(bitmaps::flap_pointer),
                .length = 30,
                .width = 3,
                .tail = 0,
                .counterweight = 0,
                .hub = 4.5});
}

// The cover: a bezel frame round the face with a screw in each corner.
void draw_cover(cairo_t* cr, int, int) {
    rounded_rect(cr, 0.5, 0.5, face_size - 1, face_size - 1, 10);
    rounded_rect(cr, 5, 5, face_size - 10, face_size - 10, 7);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    set_colour(cr, {0.30, 0.30, 0.31});
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    constexpr double inset = 11;
    for (Point p : {Point{inset, inset}, Point{face_size - inset, inset},
                    Point{inset, face_size - inset}, Point{face_size - inset, face_size - inset}})
        screw(cr, p, 4.5, 45);
}

constexpr BitmapArt art[] = {
    {bitmaps::face, draw_face},
    {bitmaps::flap_pointer, draw_flap_pointer},
    {bitmaps::gear_hatched, draw_hatched},
    {bitmaps::gear_up, draw_up},
    {bitmaps::gear_down, draw_wheel},
    {bitmaps::off_flag, draw_off_flag},
    {bitmaps::cover, draw_cover},
};

} // namespace

void register_flaps_gear_art(BitmapRegistry& registry) { registry.add(marlow_instr, art); }

} // namespace art
