// RMI art (Marlow_Instr): the face with the selector legends, the compass card and
// its window, the green double-bar and yellow single-bar pointers (drawn pointing
// along +x from their pivots), the bezel overlay with the lubber mark, and the two
// selector buttons in both positions.
#include "art/art_families.hpp"
#include "art/nav_art_common.hpp"

namespace art {
namespace {

constexpr const char* module = "Marlow_Instr";
constexpr Point centre{150, 150};
constexpr double card_radius = 115;
constexpr Rgb single_yellow{0.98, 0.80, 0.10};
constexpr Rgb double_green{0.20, 0.82, 0.30};

void draw_face(cairo_t* cr, int w, int h) {
    instrument_case(cr, w, h, 14);
    text_centred(cr, "RMI", {150, 292}, 8, {0.7, 0.7, 0.7}, false);
}

void draw_card(cairo_t* cr, int w, int h) { nav::compass_card(cr, {w / 2.0, h / 2.0}, card_radius, 16); }
void draw_card_window(cairo_t* cr, int w, int h) { nav::disc_window(cr, {w / 2.0, h / 2.0}, w / 2.0); }

// Pointers: the bitmap's centre is the pivot; head to the right (+x).
// A pointer's arrowhead, `head` long at the right end, and its hub at the centre,
// in the current colour.
void head_and_hub(cairo_t* cr, int w, int h, double head, double hub) {
    const double y = h / 2.0;
    cairo_move_to(cr, w - 0.5, y);
    cairo_line_to(cr, w - head, y - h / 2.0 + 0.5);
    cairo_line_to(cr, w - head, y + h / 2.0 - 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    circle_path(cr, {w / 2.0, y}, hub);
    cairo_fill(cr);
}

void draw_single_bar(cairo_t* cr, int w, int h) {
    const double y = h / 2.0;
    set_colour(cr, single_yellow);
    cairo_rectangle(cr, 6, y - 2, w - 26, 4);
    cairo_fill(cr);
    head_and_hub(cr, w, h, 24, 6);
}

void draw_double_bar(cairo_t* cr, int w, int h) {
    const double y = h / 2.0;
    set_colour(cr, double_green);
    cairo_rectangle(cr, 4, y - 7, w - 32, 3);
    cairo_rectangle(cr, 4, y + 4, w - 32, 3);
    cairo_fill(cr);
    head_and_hub(cr, w, h, 30, 9);
}

void draw_overlay(cairo_t* cr, int w, int h) {
    nav::bezel_plate(cr, w, h, {0.12, 0.12, 0.13}, centre, card_radius + 2, card_radius + 12,
                     card_radius + 1);
    nav::top_index(cr, centre, card_radius, 14, 6);
    circle_path(cr, centre, 10);
    set_colour(cr, {0.3, 0.3, 0.3});
    cairo_fill(cr);
    // Legends outside the ring: ADF above each selector, the receiver below it.
    text_centred(cr, "ADF", {20, 196}, 9);
    text_centred(cr, "ADF", {280, 196}, 9);
    text_centred(cr, "VOR1", {28, 282}, 9, single_yellow);
    text_centred(cr, "VOR2", {272, 282}, 9, double_green);
}

// A selector button: a round knob with an arrow towards the chosen legend.
void selector(cairo_t* cr, int w, double arrow_degrees, Rgb c) {
    const Point k{w / 2.0, w / 2.0};
    knob(cr, k, w / 2.0 - 3, 18);
    tick(cr, k, arrow_degrees, 4, w / 2.0 - 8, 4, c);
    const Point tip = polar(k, w / 2.0 - 5, arrow_degrees);
    circle_path(cr, tip, 3.5);
    set_colour(cr, c);
    cairo_fill(cr);
}

} // namespace

void register_nav_rmi_art(BitmapRegistry& registry) {
    registry.add({module, 1370, 300, 300, draw_face});
    registry.add({module, 1380, 230, 230, draw_card});
    registry.add({module, 1381, 230, 230, draw_card_window});
    registry.add({module, 1390, 59, 59, [](cairo_t* cr, int w, int) {
                      selector(cr, w, 60, double_green); // towards VOR2, lower right
                  }});
    registry.add({module, 1391, 59, 59, [](cairo_t* cr, int w, int) {
                      selector(cr, w, -90, colour::marking); // towards ADF, above
                  }});
    registry.add({module, 1400, 59, 59, [](cairo_t* cr, int w, int) {
                      selector(cr, w, 120, single_yellow); // towards VOR1, lower left
                  }});
    registry.add({module, 1401, 59, 59, [](cairo_t* cr, int w, int) {
                      selector(cr, w, -90, colour::marking);
                  }});
    registry.add({module, 1410, 170, 28, draw_double_bar});
    registry.add({module, 1420, 174, 18, draw_single_bar});
    registry.add({module, 1430, 300, 300, draw_overlay});
}

} // namespace art
