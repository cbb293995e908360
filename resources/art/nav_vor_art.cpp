// VOR indicator art (Marlow_Instr): face with deviation dots and TO/FROM legends,
// the course card ring turned by the OBS, the two bars, the flags and arrows, the
// bezel with its course index, three marker lamps and the OBS knob.
//
// The dial is seen at about half its design size, so every text is drawn at least
// 12 pixels high on the bitmap (legend_size): 6 pixels where it is seen.
#include "art/art_families.hpp"
#include "art/nav_art_common.hpp"
#include "nav/nav_bitmaps.hpp"

namespace art {
namespace {

namespace vor = gauge::vor_bitmaps;

constexpr Point centre{151, 158}; // the card's turning point on the face
constexpr double card_radius = 120;
constexpr double card_inner = 84;  // inside the numbers
constexpr double dot_spacing = 12; // a full-scale bar (60 pixels) is five dots
constexpr double legend_size = 17; // 12 pixels of capital height
// The card's figures stand midway between the cleared centre and the long ticks.
constexpr double label_radius = 91;

void draw_face(cairo_t* cr, int, int) {
    dial_face(cr, centre, card_radius + 2);
    set_colour(cr, colour::marking);
    cairo_set_line_width(cr, 1.5);
    for (int i = -5; i <= 5; ++i) {
        if (i == 0) continue;
        circle_path(cr, {centre.x + i * dot_spacing, centre.y}, 2.2);
        cairo_stroke(cr);
        circle_path(cr, {centre.x, centre.y + i * dot_spacing}, 2.2);
        cairo_stroke(cr);
    }
    circle_path(cr, centre, 7);
    cairo_stroke(cr);
    // Beside the TO and FROM arrows, clear of the dots and of the GS flag's window.
    text_centred(cr, "TO", {centre.x + 37, centre.y - 21}, legend_size);
    text_centred(cr, "FROM", {centre.x + 38, centre.y + 28}, legend_size);
}

void draw_card(cairo_t* cr, int w, int h) {
    const Point c{w / 2.0, h / 2.0};
    nav::compass_card(cr, c, card_radius, legend_size, label_radius);
    circle_path(cr, c, card_inner);
    clear_path(cr);
}

void draw_card_window(cairo_t* cr, int w, int h) { nav::disc_window(cr, {w / 2.0, h / 2.0}, 120); }

void draw_bezel(cairo_t* cr, int w, int h) {
    nav::bezel_plate(cr, w, h, {0.12, 0.12, 0.13}, centre, card_radius + 4, card_radius + 14,
                     card_radius + 2);
    // Course index at the top, reciprocal at the bottom.
    nav::top_index(cr, centre, card_radius, 12, 7);
    tick(cr, centre, 90, card_radius - 10, card_radius + 2, 3, colour::marking);
    for (Point p : {Point{12, 12}, Point{288, 12}, Point{288, 288}})
        screw(cr, p, 6, 40);
    // Beside the knob at the bottom edge, where the bezel ring has curved away.
    text_centred(cr, "OBS", {84, 289}, legend_size);
}

void draw_bar_vertical(cairo_t* cr, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    set_colour(cr, colour::marking);
    cairo_fill(cr);
}

// The GS flag is too narrow for its legend across it: the letters stand one above
// the other on a red band, with the stripes showing above and below.
void draw_gs_flag(cairo_t* cr, int w, int h) {
    nav::warning_flag(cr, 0, 0, w, h, nullptr, 0);
    cairo_rectangle(cr, 0, 4, w, h - 8);
    set_colour(cr, colour::red);
    cairo_fill(cr);
    text_centred(cr, "G", {w / 2.0, h / 2.0 - 7.5}, legend_size);
    text_centred(cr, "S", {w / 2.0, h / 2.0 + 7.5}, legend_size);
}
void draw_nav_flag(cairo_t* cr, int w, int h) {
    nav::warning_flag(cr, 0, 0, w, h, "NAV", legend_size);
}

void arrow(cairo_t* cr, int w, int h, bool up) {
    set_colour(cr, colour::marking);
    cairo_move_to(cr, w / 2.0, up ? 0.5 : h - 0.5);
    cairo_line_to(cr, w - 0.5, up ? h - 0.5 : 0.5);
    cairo_line_to(cr, 0.5, up ? h - 0.5 : 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void draw_to_arrow(cairo_t* cr, int w, int h) { arrow(cr, w, h, true); }
void draw_from_arrow(cairo_t* cr, int w, int h) { arrow(cr, w, h, false); }

// The marker beacon lamps: outer, middle and inner, each lettered on its lens.
struct Marker {
    gauge::Bitmap bitmap;
    Rgb colour;
    const char* letter;
};

constexpr Marker markers[] = {
    {vor::marker_o, {0.25, 0.45, 1.0}, "O"},
    {vor::marker_m, {1.0, 0.70, 0.10}, "M"},
    {vor::marker_a, {0.96, 0.96, 0.96}, "A"},
};

void draw_marker(cairo_t* cr, int w, const Marker& marker) {
    nav::lamp(cr, {w / 2.0, w / 2.0}, w / 2.0 - 1, marker.colour);
    text_centred(cr, marker.letter, {w / 2.0, w / 2.0}, legend_size, {0.15, 0.15, 0.15});
}

// The OBS knob turns as a needle, so its mark is drawn as a needle is: along +x.
void draw_knob(cairo_t* cr, int w, int) {
    knob(cr, {w / 2.0, w / 2.0}, w / 2.0 - 2, 24);
    tick(cr, {w / 2.0, w / 2.0}, 0, 6, w / 2.0 - 8, 3, colour::marking);
}

constexpr BitmapArt art[] = {
    {vor::obs_knob, draw_knob},
    {vor::bezel, draw_bezel},
    {vor::glideslope_bar, draw_bar_vertical},
    {vor::course_bar, draw_bar_vertical},
    {vor::gs_flag, draw_gs_flag},
    {vor::nav_flag, draw_nav_flag},
    {vor::to_arrow, draw_to_arrow},
    {vor::from_arrow, draw_from_arrow},
    {vor::card, draw_card},
    {vor::card_window, draw_card_window},
    {vor::face, draw_face},
};

} // namespace

void register_nav_vor_art(BitmapRegistry& registry) {
    registry.add(marlow_instr, art);
    for (const Marker& marker : markers)
        registry.add(marlow_instr, marker.bitmap,
                     [&marker](cairo_t* cr, int w, int) { draw_marker(cr, w, marker); });
}

} // namespace art
