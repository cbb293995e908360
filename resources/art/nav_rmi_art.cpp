// RMI art (Marlow_Instr): the face with the selector legends, the compass card and
// its window, the green double-bar and yellow single-bar pointers (drawn pointing
// along +x from their pivots), the bezel overlay with the lubber mark, and the two
// selector buttons in both positions.
//
// The dial is seen at about half its design size, so every text is drawn at least
// 12 pixels high on the bitmap (legend_size): 6 pixels where it is seen.
#include "art/art_families.hpp"
#include "art/nav_art_common.hpp"
#include "nav/nav_bitmaps.hpp"

#include <cmath>
#include <numbers>

namespace art {
namespace {

namespace rmi = gauge::rmi_bitmaps;

constexpr Point centre{150, 150};
constexpr double card_radius = 115;
constexpr Rgb single_yellow{0.98, 0.80, 0.10};
constexpr Rgb double_green{0.20, 0.82, 0.30};
constexpr double legend_size = 16.5; // 12 pixels of capital height
constexpr Rgb name_grey{0.7, 0.7, 0.7};

// The selector buttons' bitmaps (59 x 59) lie in the lower corners at (35, 206) and
// (206, 206), overlapping the card. Each knob is drawn small and pushed into the
// bitmap's outer corner, so that it stays outside the bezel's opening and leaves the
// card's ticks in view; its legends stand beside it, outside the bezel ring.
constexpr int selector_side = 59;
constexpr double selector_radius = 17;
constexpr Point left_selector_at{35, 206};
constexpr Point right_selector_at{206, 206};
constexpr Point left_knob{56, 247}; // on the face
constexpr Point right_knob{300 - left_knob.x, left_knob.y};
constexpr Point left_adf_legend{21, 226};
constexpr Point right_adf_legend{300 - left_adf_legend.x, left_adf_legend.y};
constexpr Point left_vor_legend{left_knob.x, 278};
constexpr Point right_vor_legend{right_knob.x, left_vor_legend.y};

// The face shows only through the bezel's opening, around the card: its name is on
// the bezel.
void draw_face(cairo_t* cr, int w, int h) { instrument_case(cr, w, h, 14); }

void draw_card(cairo_t* cr, int w, int h) {
    nav::compass_card(cr, {w / 2.0, h / 2.0}, card_radius, 16);
}
void draw_card_window(cairo_t* cr, int w, int h) {
    nav::disc_window(cr, {w / 2.0, h / 2.0}, w / 2.0);
}

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
    // Legends outside the ring: ADF above each selector on the outer side, the
    // receiver below it, each in its pointer's colour; the name between them.
    text_centred(cr, "ADF", left_adf_legend, legend_size);
    text_centred(cr, "ADF", right_adf_legend, legend_size);
    text_centred(cr, "VOR1", left_vor_legend, legend_size, single_yellow);
    text_centred(cr, "VOR2", right_vor_legend, legend_size, double_green);
    text_centred(cr, "RMI", {centre.x, 287}, legend_size, name_grey);
}

// Screen degrees from a point towards another.
double direction(Point from, Point to) {
    return std::atan2(to.y - from.y, to.x - from.x) * 180 / std::numbers::pi;
}

// A selector button in one position: its bitmap, placed at `at` on the face, with a
// round knob at `knob` (on the face) and an arrow towards the chosen legend in the
// legend's colour.
struct Selector {
    gauge::Bitmap bitmap;
    Point at;
    Point knob;
    Point legend;
    Rgb colour;
};

// Each selector's VOR position points down at its receiver's legend, its ADF
// position up and outwards at the ADF legend.
constexpr Selector selectors[] = {
    {rmi::right_selector_vor, right_selector_at, right_knob, right_vor_legend, double_green},
    {rmi::right_selector_adf, right_selector_at, right_knob, right_adf_legend, colour::marking},
    {rmi::left_selector_vor, left_selector_at, left_knob, left_vor_legend, single_yellow},
    {rmi::left_selector_adf, left_selector_at, left_knob, left_adf_legend, colour::marking},
};

void draw_selector(cairo_t* cr, const Selector& s) {
    const Point k{s.knob.x - s.at.x, s.knob.y - s.at.y};
    const double arrow_degrees = direction(s.knob, s.legend);
    knob(cr, k, selector_radius, 14);
    tick(cr, k, arrow_degrees, 3, selector_radius - 4, 3, s.colour);
    circle_path(cr, polar(k, selector_radius - 3.5, arrow_degrees), 2.5);
    set_colour(cr, s.colour);
    cairo_fill(cr);
}

constexpr BitmapArt art[] = {
    {rmi::face, draw_face},
    {rmi::card, draw_card},
    {rmi::card_window, draw_card_window},
    {rmi::double_bar, draw_double_bar},
    {rmi::single_bar, draw_single_bar},
    {rmi::overlay, draw_overlay},
};

} // namespace

void register_nav_rmi_art(BitmapRegistry& registry) {
    registry.add(marlow_instr, art);
    for (const Selector& s : selectors)
        registry.add(marlow_instr, s.bitmap, [&s](cairo_t* cr, int, int) { draw_selector(cr, s); });
}

} // namespace art
