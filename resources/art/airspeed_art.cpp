// Airspeed indicator art (Marlow_Instr): knots face, needle and cover, graduated
// from the gauge's own needle table.
#include "art/art_families.hpp"
#include "art/dial_preview.hpp"
#include "art/speed_ranges.hpp"
#include "flight/dial_tables.hpp"
#include "flight/flight_bitmaps.hpp"

namespace art {
namespace {

constexpr gauge::DialBitmaps bitmaps = gauge::airspeed_bitmaps::dial;

struct Figure {
    double knots;
    const char* text;
};

constexpr Figure figures[] = {
    {60, "60"},   {80, "80"},   {100, "100"}, {120, "120"}, {140, "140"}, {160, "160"},
    {180, "180"}, {200, "200"}, {250, "250"}, {300, "300"}, {350, "350"}, {400, "400"},
};

const Scale scale{gauge::airspeed_table, dial::centre};

void draw_face(cairo_t* cr, int, int) {
    dial_face(cr, dial::centre, dial::face_radius);
    speed_ranges::draw_arcs(cr, scale, {113, 117, dial::band_inner, dial::band_outer});
    scale.minors(cr, 60, 400, 10);
    for (const Figure& f : figures) {
        scale.major(cr, f.knots);
        scale.numeral(cr, f.knots, f.text);
    }
    speed_ranges::draw_red_line(cr, scale, dial::minor_inner, dial::band_outer);
    // One legend, the unit, large enough to read at half size, and low enough
    // that the needle's counterweight at rest stays above it.
    text_centred(cr, "KNOTS", {150, 212}, 18);
}

constexpr NeedleShape needle_shape{.pivot = pivot_of(bitmaps.needle),
                                   .length = 112,
                                   .width = 6,
                                   .tail = 36,
                                   .counterweight = 7,
                                   .hub = 8};

} // namespace

void register_airspeed_art(BitmapRegistry& registry) {
    add_dial(registry, marlow_instr, bitmaps, draw_face, needle_drawing(needle_shape), dial_cover);
    for (int knots : {60, 145, 260})
        registry.add_preview(dial_preview(marlow_instr, bitmaps,
                                          "airspeed_" + std::to_string(knots), scale.angle(knots)));
}

} // namespace art
