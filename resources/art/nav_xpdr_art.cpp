// Transponder art (Marlow_Instr): the control head with its two liquid-crystal
// windows and button row, the grey window backing, the lit button faces and the
// reply lamp. The head is seen at its design size: every legend stands at least 6
// pixels high.
#include "art/art_families.hpp"
#include "art/nav_art_common.hpp"
#include "nav/nav_bitmaps.hpp"

namespace art {
namespace {

namespace xpdr = gauge::transponder_bitmaps;

constexpr Rgb lcd{0.62, 0.66, 0.56};
constexpr Rgb button{0.20, 0.20, 0.21};
constexpr Rgb lit_legend{0.98, 0.88, 0.55};
constexpr double button_y = 76, button_w = 25, button_h = 19;
constexpr double row_x[] = {91, 127, 164, 200}; // ON, SBY, A/C, VFR
constexpr const char* row_legend[] = {"ON", "SBY", "A/C", "VFR"};
constexpr double legend_size = 9; // 6 pixels of capital height
// The ident button stands in the gap between the two windows; its short legend
// leaves the grey of its face in view on both sides.
constexpr const char* ident_legend = "ID";

void button_face(cairo_t* cr, double x, double y, const char* legend, Rgb text) {
    rounded_rect(cr, x + 0.5, y + 0.5, button_w - 1, button_h - 1, 3);
    set_colour(cr, button);
    fill_and_outline(cr, 1, {0.45, 0.45, 0.46});
    text_centred(cr, legend, {x + button_w / 2, y + button_h / 2}, legend_size, text);
}

void draw_face(cairo_t* cr, int w, int h) {
    instrument_case(cr, w, h, 8);
    rounded_rect(cr, 55, 11, 243, 25, 3);
    set_colour(cr, {0.10, 0.10, 0.11});
    cairo_fill(cr);
    rounded_rect(cr, 58, 14, 237, 19, 2);
    set_colour(cr, lcd);
    cairo_fill(cr);
    // Only the code needs a legend: the flight-level window writes its own "FL".
    text_centred(cr, "CODE", {98, 43}, legend_size, colour::marking, false);
    for (int i = 0; i < 4; ++i)
        button_face(cr, row_x[i], button_y, row_legend[i], colour::marking);
    button_face(cr, 164, 20, ident_legend, colour::marking);
    // Maker and model on two lines in the free corner right of the buttons.
    text_centred(cr, "BECKER", {290, 82}, 10, {0.7, 0.7, 0.7});
    text_centred(cr, "ATC 3401", {290, 96}, legend_size, {0.7, 0.7, 0.7}, false);
    circle_path(cr, {176, 55}, 6);
    set_colour(cr, {0.14, 0.14, 0.12});
    cairo_fill(cr);
    for (Point p : {Point{10, 10}, Point{340, 10}, Point{10, 105}, Point{340, 105}})
        screw(cr, p, 4, 45);
}

// The backing lies over the face's windows at (58, 14); the IDT button between the
// code and the flight level reaches into it from below, so its place is left open.
void draw_backing(cairo_t* cr, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    set_colour(cr, lcd);
    cairo_fill(cr);
    // The windows' separator between code and flight level.
    cairo_rectangle(cr, 150, 0, 2, h);
    set_colour(cr, shade(lcd, 0.85));
    cairo_fill(cr);
    constexpr double idt_x = 164 - 58, idt_y = 20 - 14;
    cairo_rectangle(cr, idt_x - 1, idt_y - 1, button_w + 2, h - idt_y + 1);
    clear_path(cr);
}

void draw_lit_strip(cairo_t* cr, int, int) {
    for (int i = 0; i < 4; ++i)
        button_face(cr, row_x[i] - row_x[0], 0, row_legend[i], lit_legend);
}

void draw_lamp(cairo_t* cr, int w, int) {
    nav::lamp(cr, {w / 2.0, w / 2.0}, w / 2.0 - 0.5, {1.0, 0.85, 0.15});
}

// The button faces the head shows over its own when a button is lit or pressed.
void draw_on_unlit(cairo_t* cr, int, int) { button_face(cr, 0, 0, "ON", {0.55, 0.95, 0.55}); }

void draw_on_lit(cairo_t* cr, int, int) {
    button_face(cr, 0, 0, "ON", {0.60, 1.0, 0.45});
    rounded_rect(cr, 3, 14, 19, 3, 1);
    set_colour(cr, {0.4, 1.0, 0.3});
    cairo_fill(cr);
}

void draw_ident(cairo_t* cr, int, int) { button_face(cr, 0, 0, ident_legend, lit_legend); }
void draw_vfr(cairo_t* cr, int, int) { button_face(cr, 0, 0, "VFR", lit_legend); }

constexpr BitmapArt art[] = {
    {xpdr::face, draw_face},          {xpdr::window_backing, draw_backing},
    {xpdr::reply_lamp, draw_lamp},    {xpdr::on_face_unlit, draw_on_unlit},
    {xpdr::on_face_lit, draw_on_lit}, {xpdr::ident_face, draw_ident},
    {xpdr::vfr_face, draw_vfr},       {xpdr::lit_strip, draw_lit_strip},
};

} // namespace

void register_nav_xpdr_art(BitmapRegistry& registry) { registry.add(marlow_instr, art); }

} // namespace art
