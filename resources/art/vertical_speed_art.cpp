// Vertical speed indicator art (Marlow_Instr): a face in thousands of feet per
// minute, 0 at the left, climb clockwise over the top, descent under the bottom,
// graduated from the gauge's own needle table.
#include "art/art_families.hpp"
#include "art/dial_preview.hpp"
#include "flight/dial_tables.hpp"
#include "flight/flight_bitmaps.hpp"

namespace art {
namespace {

constexpr gauge::DialBitmaps bitmaps = gauge::vertical_speed_bitmaps::dial;

// The table's unit is 1/256 m/s: 1000 ft/min = 1000 / 3.28084 / 60 m/s.
constexpr double per_1000_fpm = 1000.0 / 3.28084 / 60.0 * 256.0;

struct Figure {
    double thousands; // of ft/min, climb positive
    const char* text;
};

constexpr Figure figures[] = {
    {-6, "6"},   {-4, "4"}, {-2, "2"}, {-1, "1"}, {-0.5, ".5"}, {0, "0"},
    {0.5, ".5"}, {1, "1"},  {2, "2"},  {4, "4"},  {6, "6"},
};

// Minor ticks, per side: every 100 ft/min up to 1000, every 250 to 2000, every 500 on.
struct Graduation {
    double from;
    double to;
    double step;
};

constexpr Graduation graduations[] = {{0, 1, 0.1}, {1, 2, 0.25}, {2, 6, 0.5}};

const Scale scale{gauge::vertical_speed_table, dial::centre};

double value(double thousands) { return thousands * per_1000_fpm; }

void draw_face(cairo_t* cr, int, int) {
    dial_face(cr, dial::centre, dial::face_radius);
    for (const Graduation& g : graduations) {
        scale.minors(cr, value(g.from), value(g.to), value(g.step));
        scale.minors(cr, value(-g.to), value(-g.from), value(g.step));
    }
    for (int k = -6; k <= 6; ++k)
        scale.major(cr, value(k));
    for (const Figure& f : figures) {
        scale.major(cr, value(f.thousands));
        scale.numeral(cr, value(f.thousands), f.text, f.text[0] == '.' ? 18 : 22);
    }
    // Climb and descent inside their halves of the scale, and the unit on one line
    // under the pivot, clear of the needle resting along the zero line.
    text_centred(cr, "UP", polar(dial::centre, 58, scale.angle(value(1.5))), 18);
    text_centred(cr, "DN", polar(dial::centre, 58, scale.angle(value(-1.5))), 18);
    text_centred(cr, "1000 FT/MIN", {150, 182}, 16);
}

constexpr NeedleShape needle_shape{.pivot = pivot_of(bitmaps.needle),
                                   .length = 108,
                                   .width = 6,
                                   .tail = 40,
                                   .counterweight = 8,
                                   .hub = 9};

} // namespace

void register_vertical_speed_art(BitmapRegistry& registry) {
    add_dial(registry, marlow_instr, bitmaps, draw_face, needle_drawing(needle_shape), dial_cover);
    for (double thousands : {0.5, -2.0, 6.5})
        registry.add_preview(dial_preview(marlow_instr, bitmaps,
                                          "vertical_speed_" + std::to_string(int(thousands * 1000)),
                                          scale.angle(value(thousands))));
}

} // namespace art
