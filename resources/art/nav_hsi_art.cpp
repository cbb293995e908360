// HSI art (Marlow_Instr): face with the glideslope scale, compass card, heading
// bug, TO/FROM arrow, course pointer with its deviation dots, the deviation bar
// and its disc window, glideslope pointer, HDG / NAV / VERT flags, the fixed marks
// with the aircraft symbol, the bezel and the two knobs.
#include "art/art_families.hpp"
#include "art/nav_art_common.hpp"

namespace art {
namespace {

constexpr const char* module = "Marlow_Instr";
constexpr Point centre{151, 145};     // on the face
constexpr Point marks_origin{32, 31}; // where the fixed marks sit on the face
constexpr double card_radius = 103;
constexpr double dot_spacing = 36;  // one unit of lateral deviation
constexpr double gs_spacing = 40;   // one unit of vertical deviation
constexpr double gs_rest_y = 144;   // the glideslope pointer's centre at rest
constexpr Rgb pointer_yellow{0.98, 0.84, 0.12};

void draw_face(cairo_t* cr, int w, int h) {
    instrument_case(cr, w, h, 16);
    circle_path(cr, centre, card_radius + 8);
    set_colour(cr, {0.09, 0.09, 0.09});
    cairo_fill(cr);
    set_colour(cr, colour::marking);
    cairo_set_line_width(cr, 1.5);
    for (int i = -2; i <= 2; ++i) {
        if (i == 0) continue;
        circle_path(cr, {274, gs_rest_y + i * gs_spacing / 2}, 3);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 270, gs_rest_y);
    cairo_line_to(cr, 280, gs_rest_y);
    cairo_stroke(cr);
}

void draw_card(cairo_t* cr, int w, int h) { nav::compass_card(cr, {w / 2.0, h / 2.0}, card_radius, 14); }

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

void draw_bar_window(cairo_t* cr, int w, int h) {
    nav::disc_window(cr, {w / 2.0, h / 2.0}, 69);
}

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
    for (int d = 45; d < 360; d += 45)
        tick(cr, c, d - 90.0, card_radius + 1, card_radius + 9, 2.5, colour::marking);
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
    text_centred(cr, "CRS", {43, 232}, 9);
    text_centred(cr, "HDG", {259, 232}, 9);
    for (Point p : {Point{14, 14}, Point{286, 14}})
        screw(cr, p, 6, 30);
}

void draw_knob(cairo_t* cr, int w, int, const char* legend) {
    knob(cr, {w / 2.0, w / 2.0}, w / 2.0 - 1, 20);
    text_centred(cr, legend, {w / 2.0, w / 2.0}, 7, colour::marking);
}

} // namespace

void register_nav_hsi_art(BitmapRegistry& registry) {
    registry.add({module, 1050, 300, 300, draw_face});
    registry.add({module, 1060, 206, 206, draw_card});
    registry.add({module, 1070, 22, 64, draw_to_from});
    registry.add({module, 1080, 20, 9, draw_bug});
    registry.add({module, 1090, 206, 206, draw_course_pointer});
    registry.add({module, 1100, 206, 206, draw_deviation_bar});
    registry.add({module, 1101, 206, 206, draw_bar_window});
    registry.add({module, 1110, 31, 79, [](cairo_t* cr, int w, int h) {
                      nav::warning_flag(cr, 0, 0, w, h, "GS", 9);
                  }});
    registry.add({module, 1120, 14, 12, draw_gs_pointer});
    registry.add({module, 1130, 62, 158, [](cairo_t* cr, int w, int h) {
                      nav::warning_flag(cr, 34, 62, w - 34, h - 62, "NAV", 8);
                  }});
    registry.add({module, 1140, 48, 48, [](cairo_t* cr, int w, int h) { draw_knob(cr, w, h, "HDG"); }});
    registry.add({module, 1150, 245, 230, draw_marks});
    registry.add({module, 1160, 300, 300, draw_bezel});
    registry.add({module, 1170, 48, 48, [](cairo_t* cr, int w, int h) { draw_knob(cr, w, h, "CRS"); }});
    registry.add({module, 1180, 57, 30, [](cairo_t* cr, int w, int h) {
                      nav::warning_flag(cr, 0, 0, w, h, "HDG", 10);
                  }});
}

} // namespace art
