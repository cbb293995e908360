// HSI art (Marlow_Instr): face with the glideslope scale, compass card, heading
// bug, TO/FROM arrow, course pointer with its deviation dots, the deviation bar
// and its disc window, glideslope pointer, HDG / NAV / VERT flags, the fixed marks
// with the aircraft symbol, the bezel and the two knobs.
#include "art/art_families.hpp"
#include "art/nav_art_common.hpp"
#include "nav/nav_bitmaps.hpp"

namespace art {
namespace {

namespace hsi = gauge::hsi_bitmaps;

constexpr Point centre{151, 145};     // on the face
constexpr Point marks_origin{32, 31}; // where the fixed marks sit on the face
constexpr double card_radius = 103;
constexpr double dot_spacing = 36; // one unit of lateral deviation
constexpr double gs_spacing = 40;  // one unit of vertical deviation
constexpr double gs_rest_y = 144;  // the glideslope pointer's centre at rest
constexpr double gs_dots_x = 279;  // the scale, just right of the pointer's travel
// The window in the bezel over the glideslope scale: the pointer (14 x 12 at x 260)
// travels a full unit, 40 pixels, either way of its rest.
constexpr double gs_window_x = 254, gs_window_y = 90, gs_window_w = 34, gs_window_h = 108;
constexpr double legend_size = 17; // 12 pixels of capitals: readable at half size
constexpr Rgb pointer_yellow{0.98, 0.84, 0.12};
constexpr Rgb window_black{0.09, 0.09, 0.09};

void gs_window_path(cairo_t* cr) {
    rounded_rect(cr, gs_window_x, gs_window_y, gs_window_w, gs_window_h, 5);
}

// A warning flag lettered downwards, one letter under the other, for the narrow
// flags at the card's sides.
void vertical_flag(cairo_t* cr, double x, double y, double w, double h, std::string_view legend) {
    diagonal_stripes(cr, x, y, w, h, colour::red, {0.95, 0.95, 0.93}, 5);
    const double pitch = legend_size * 0.85;
    const double top = y + h / 2 - pitch * (legend.size() - 1) / 2;
    cairo_rectangle(cr, x, top - pitch / 2 - 1, w, pitch * legend.size() + 2);
    set_colour(cr, colour::red);
    cairo_fill(cr);
    for (size_t i = 0; i < legend.size(); ++i)
        text_centred(cr, legend.substr(i, 1), {x + w / 2, top + pitch * i}, legend_size);
}

// The VERT flag shows in the bezel's glideslope window (face x 254 on).
void draw_vert_flag(cairo_t* cr, int w, int h) {
    vertical_flag(cr, gs_window_x + 2 - 244, 0, w - (gs_window_x + 2 - 244), h, "GS");
}

// The NAV flag stands inside the bezel's opening, at the card's left edge.
void draw_nav_flag(cairo_t* cr, int w, int h) {
    vertical_flag(cr, 48, 100, w - 48, h - 100, "NAV");
}

void draw_face(cairo_t* cr, int w, int h) {
    instrument_case(cr, w, h, 16);
    circle_path(cr, centre, card_radius + 8);
    set_colour(cr, {0.09, 0.09, 0.09});
    cairo_fill(cr);
    gs_window_path(cr);
    set_colour(cr, window_black);
    cairo_fill(cr);
    set_colour(cr, colour::marking);
    cairo_set_line_width(cr, 1.5);
    for (int i = -2; i <= 2; ++i) {
        if (i == 0) continue;
        circle_path(cr, {gs_dots_x, gs_rest_y + i * gs_spacing / 2}, 3);
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, gs_dots_x - 6, gs_rest_y);
    cairo_line_to(cr, gs_dots_x + 6, gs_rest_y);
    cairo_stroke(cr);
}

// The figures stand well inside the ticks, clear of the deviation dots' ring
// (72 pixels out, the disc the bar moves in) and of the ticks.
void draw_card(cairo_t* cr, int w, int h) {
    nav::compass_card(cr, {w / 2.0, h / 2.0}, card_radius, legend_size, 83);
}

void draw_bug(cairo_t* cr, int w, int h) {
    set_colour(cr, nav::magenta);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, w, 0);
    cairo_line_to(cr, w, h);
    cairo_line_to(cr, w / 2.0 + 3, h);
    cairo_line_to(cr, w / 2.0, h - 4);
    cairo_line_to(cr, w / 2.0 - 3, h);
    cairo_line_to(cr, 0, h);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void draw_to_from(cairo_t* cr, int w, int) {
    set_colour(cr, colour::marking);
    cairo_move_to(cr, w / 2.0, 0.5);
    cairo_line_to(cr, w - 0.5, 18);
    cairo_line_to(cr, 0.5, 18);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void draw_course_pointer(cairo_t* cr, int w, int) {
    const double x = w / 2.0;
    set_colour(cr, pointer_yellow);
    cairo_move_to(cr, x, 10);
    cairo_line_to(cr, x + 9, 28);
    cairo_line_to(cr, x + 3, 28);
    cairo_line_to(cr, x + 3, 60);
    cairo_line_to(cr, x - 3, 60);
    cairo_line_to(cr, x - 3, 28);
    cairo_line_to(cr, x - 9, 28);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_rectangle(cr, x - 3, 146, 6, 48);
    cairo_fill(cr);
    set_colour(cr, colour::marking);
    cairo_set_line_width(cr, 1.5);
    for (int i = -2; i <= 2; ++i) {
        if (i == 0) continue;
        circle_path(cr, {x + i * dot_spacing, x}, 3.5);
        cairo_stroke(cr);
    }
}

void draw_deviation_bar(cairo_t* cr, int w, int) {
    cairo_rectangle(cr, w / 2.0 - 3, 62, 6, 82);
    set_colour(cr, pointer_yellow);
    cairo_fill(cr);
}

void draw_bar_window(cairo_t* cr, int w, int h) { nav::disc_window(cr, {w / 2.0, h / 2.0}, 69); }

void draw_gs_pointer(cairo_t* cr, int w, int h) {
    set_colour(cr, nav::magenta);
    cairo_move_to(cr, 0.5, h / 2.0);
    cairo_line_to(cr, w - 0.5, 0.5);
    cairo_line_to(cr, w - 0.5, h - 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void draw_marks(cairo_t* cr, int, int) {
    const Point c{centre.x - marks_origin.x, centre.y - marks_origin.y};
    // Lubber mark and the 45-degree marks round the card.
    set_colour(cr, colour::orange);
    cairo_move_to(cr, c.x, c.y - card_radius + 2);
    cairo_line_to(cr, c.x - 6, c.y - card_radius - 10);
    cairo_line_to(cr, c.x + 6, c.y - card_radius - 10);
    cairo_close_path(cr);
    cairo_fill(cr);
    // The mark at the right is short: the glideslope pointer's tip rests beyond it.
    for (int d = 45; d < 360; d += 45)
        tick(cr, c, d - 90.0, card_radius + 1, card_radius + (d == 90 ? 5 : 9), 2.5,
             colour::marking);
    // The aircraft symbol at the centre.
    set_colour(cr, colour::orange);
    cairo_rectangle(cr, c.x - 18, c.y - 2, 36, 4);
    cairo_rectangle(cr, c.x - 2, c.y - 12, 4, 28);
    cairo_rectangle(cr, c.x - 8, c.y + 12, 16, 3);
    cairo_fill(cr);
    // The grey box at the upper right.
    rounded_rect(cr, 212, 4, 30, 16, 2);
    set_colour(cr, nav::panel_grey);
    cairo_fill(cr);
}

void draw_bezel(cairo_t* cr, int w, int h) {
    nav::bezel_plate(cr, w, h, {0.13, 0.13, 0.14}, centre, card_radius + 10, card_radius + 18,
                     card_radius + 9);
    gs_window_path(cr);
    clear_path(cr);
    gs_window_path(cr);
    cairo_set_line_width(cr, 1.5);
    set_colour(cr, {0.32, 0.32, 0.34});
    cairo_stroke(cr);
    text_centred(cr, "CRS", {43, 230}, legend_size);
    text_centred(cr, "HDG", {259, 230}, legend_size);
    for (Point p : {Point{14, 14}, Point{286, 14}})
        screw(cr, p, 6, 30);
}

// The HDG flag (at (157,28) on the face) reaches under the bezel at its top and
// right: its legend stands low and to the left, where the opening shows it.
void draw_hdg_flag(cairo_t* cr, int w, int h) {
    diagonal_stripes(cr, 0, 0, w, h, colour::red, {0.95, 0.95, 0.93}, 5);
    const Point legend{20, 23};
    cairo_rectangle(cr, 0, legend.y - legend_size / 2, w, h);
    set_colour(cr, colour::red);
    cairo_fill(cr);
    text_centred(cr, "HDG", legend, legend_size);
}

// A knob with a white index at its top, so that it is seen to turn; the bezel
// names it.
void draw_knob(cairo_t* cr, int w, int) {
    const double c = w / 2.0;
    knob(cr, {c, c}, c - 1, 20);
    set_colour(cr, colour::marking);
    cairo_rectangle(cr, c - 1.5, 5, 3, 10);
    cairo_fill(cr);
}

constexpr BitmapArt art[] = {
    {hsi::face, draw_face},
    {hsi::card, draw_card},
    {hsi::to_from, draw_to_from},
    {hsi::heading_bug, draw_bug},
    {hsi::course_pointer, draw_course_pointer},
    {hsi::deviation_bar, draw_deviation_bar},
    {hsi::deviation_bar_window, draw_bar_window},
    {hsi::vert_flag, draw_vert_flag},
    {hsi::glideslope_pointer, draw_gs_pointer},
    {hsi::nav_flag, draw_nav_flag},
    {hsi::heading_knob, draw_knob},
    {hsi::marks, draw_marks},
    {hsi::bezel, draw_bezel},
    {hsi::course_knob, draw_knob},
    {hsi::hdg_flag, draw_hdg_flag},
};

} // namespace

void register_nav_hsi_art(BitmapRegistry& registry) { registry.add(marlow_instr, art); }

} // namespace art
