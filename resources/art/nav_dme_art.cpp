// DME art (Marlow_Instr): the indicator with its red segment display window and
// the OFF / N1 / N2 legends, the knob in its three positions, and the cover that
// blanks the display when switched off. The indicator is seen at its design size:
// every legend stands at least 6 pixels high.
#include "art/art_families.hpp"
#include "art/nav_art_common.hpp"
#include "nav/nav_bitmaps.hpp"

namespace art {
namespace {

namespace dme = gauge::dme_bitmaps;

constexpr Point knob_centre{17, 13}; // in the knob bitmaps (34 x 26)
constexpr Point knob_on_face{68 + knob_centre.x, 41 + knob_centre.y};
constexpr double legend_size = 9; // 6 pixels of capital height

// The knob's positions OFF, N1, N2 (screen degrees) and their legends, on an arc
// about the knob low enough to stay clear of the display window above: OFF to the
// left, N1 upper left, N2 upper right. The knob has no HLD position, so the face
// carries no HLD legend.
constexpr double position_degrees[] = {-170, -142, -38};
constexpr const char* position_legend[] = {"OFF", "N1", "N2"};
constexpr double legend_radius = 26;

void draw_face(cairo_t* cr, int w, int h) {
    instrument_case(cr, w, h, 6);
    rounded_rect(cr, 5, 5, 155, 28, 3);
    set_colour(cr, {0.18, 0.03, 0.03});
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i)
        text_centred(cr, position_legend[i],
                     polar(knob_on_face, legend_radius, position_degrees[i]), legend_size,
                     colour::marking, false);
    // The maker's name, shortened to fit between the knob and the screw.
    text_centred(cr, "KING", {130, 57}, legend_size, {0.7, 0.7, 0.7}, false);
    screw(cr, {8, 60}, 3, 30);
    screw(cr, {158, 60}, 3, 120);
}

void draw_knob(cairo_t* cr, double degrees) {
    knob(cr, knob_centre, 11, 16);
    tick(cr, knob_centre, degrees, 2, 10, 2.5, colour::marking);
}

void draw_cover(cairo_t* cr, int w, int h) {
    rounded_rect(cr, 0, 0, w, h, 2);
    set_colour(cr, {0.16, 0.03, 0.03});
    cairo_fill(cr);
}

} // namespace

void register_nav_dme_art(BitmapRegistry& registry) {
    registry.add(marlow_instr, dme::face, draw_face);
    const gauge::Bitmap knob_positions[] = {dme::knob_off, dme::knob_nav1, dme::knob_nav2};
    for (size_t i = 0; i < std::size(knob_positions); ++i)
        registry.add(marlow_instr, knob_positions[i],
                     [i](cairo_t* cr, int, int) { draw_knob(cr, position_degrees[i]); });
    registry.add(marlow_instr, dme::display_cover, draw_cover);
}

} // namespace art
