// Harrow airspeed indicator art (Harrow_ASI): a 302 x 302 face lettered KNOTS with
// its own bezel, graduated 40 to 300 knots through the gauge's needle table about
// the pivot (151,142), and the 152 x 17 needle.
#include "art/art_families.hpp"
#include "art/dial_scale.hpp"
#include "art/speed_ranges.hpp"
#include "harrow_table.hpp"

#include <string>

namespace art {
namespace {

constexpr int face_size = harrow::face_bitmap.width;
constexpr Point face_centre{151, 151};
constexpr Point pivot{harrow::pivot_x, harrow::pivot_y};
constexpr Point needle_pivot = pivot_of(harrow::needle_bitmap);

// Radii about the face's centre.
constexpr double bezel_outer = 150.5;
constexpr double bezel_inner = 142;

// Radii about the pivot: the table's points lie between 118 and 128 pixels from it,
// on the ticks.
constexpr double band_outer = 132;
constexpr double band_inner = 126;
constexpr double tick_outer = 126;
constexpr double small_inner = 120;
constexpr double medium_inner = 116;
constexpr double major_inner = 110;
constexpr double flap_band_outer = 109;
constexpr double flap_band_inner = 106;
constexpr double numeral_radius = 88;

const Scale scale{harrow::speed_table, pivot};

void graduate(cairo_t* cr) {
    // Every 5 knots, longer every 10; a major mark and figure at every row from 40.
    for (int knots = 40; knots <= 300; knots += 5) {
        const bool ten = knots % 10 == 0;
        scale.radial(cr, knots, ten ? medium_inner : small_inner, tick_outer, ten ? 1.8 : 1.2,
                     colour::marking);
    }
    for (const NeedleRow& row : harrow::speed_table) {
        if (row.value < 40) continue;
        scale.radial(cr, row.value, major_inner, tick_outer, 3.0, colour::marking);
        const int knots = static_cast<int>(row.value);
        text_centred(cr, std::to_string(knots), polar(pivot, numeral_radius, scale.angle(knots)),
                     18);
    }
}

void draw_face(cairo_t* cr, int, int) {
    dial_face(cr, face_centre, bezel_inner);
    speed_ranges::draw_arcs(cr, scale, {flap_band_inner, flap_band_outer, band_inner, band_outer});
    graduate(cr);
    speed_ranges::draw_red_line(cr, scale, medium_inner, band_outer);
    // One legend, the unit, large enough to read at half size.
    text_centred(cr, "KNOTS", {151, 188}, 18);
    bezel_ring(cr, face_centre, bezel_outer, bezel_inner);
}

constexpr NeedleShape needle_shape{
    .pivot = needle_pivot, .length = 114, .width = 5, .tail = 24, .counterweight = 6, .hub = 7};

Preview preview(int knots) {
    return {harrow_asi,
            "harrow_" + std::to_string(knots),
            face_size,
            face_size,
            {{.bitmap = harrow::face_bitmap},
             {.bitmap = harrow::needle_bitmap,
              .at = pivot,
              .anchor = needle_pivot,
              .degrees = scale.angle(knots)}}};
}

} // namespace

void register_harrow_art(BitmapRegistry& registry) {
    registry.add(harrow_asi, harrow::face_bitmap, draw_face);
    registry.add(harrow_asi, harrow::needle_bitmap, needle_drawing(needle_shape));
    for (int knots : {0, 90, 225, 300})
        registry.add_preview(preview(knots));
}

} // namespace art
