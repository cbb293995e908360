// Fuel quantity art (Marlow_Instr): the main-tank and auxiliary-tank faces in
// pounds x 100, their shared needle and cover. Marks are placed through the gauges'
// own tables, so the needle points at the mark for the tank's contents.
#include "art/art_families.hpp"
#include "art/dial_preview.hpp"
#include "engine/engine_bitmaps.hpp"
#include "engine/fuel_tables.hpp"

#include <span>

namespace art {
namespace {

namespace fuel = gauge::fuel_bitmaps;

// A face is graduated in whole figures (x 100 lb). `anchors` pins figures to table
// values; between anchors, and beyond the last, the value runs linearly.
struct Anchor {
    double figure;
    double value;
};

struct FuelFace {
    gauge::Bitmap bitmap;
    const char* legend;
    std::span<const NeedleRow> table;
    int last_figure;
    std::span<const Anchor> anchors; // at least two, rising
};

// Main: 0 at row 0, 9 at row 1 (straight up), 17 at row 2 (full).
constexpr Anchor main_anchors[] = {{0, 0.0}, {9, 4389424.0686}, {17, 8388610.0}};
// Auxiliary: 0 at row 0, 5 at row 1 (straight up), then on at the same rate, so
// full (row 2) falls between the 7 and 8 marks.
constexpr Anchor aux_anchors[] = {{0, 0.0}, {5, 5591847.426}};

constexpr FuelFace faces[] = {
    {fuel::main_face, "MAIN", gauge::main_tank_table, 17, main_anchors},
    {fuel::aux_face, "AUX", gauge::aux_tank_table, 10, aux_anchors},
};

double value_of_figure(const FuelFace& face, double figure) {
    const auto& a = face.anchors;
    size_t i = 0;
    while (i + 2 < a.size() && figure > a[i + 1].figure)
        ++i;
    return a[i].value +
           (figure - a[i].figure) * (a[i + 1].value - a[i].value) / (a[i + 1].figure - a[i].figure);
}

void draw_face(cairo_t* cr, const FuelFace& face) {
    const Scale scale{face.table, dial::centre};
    dial_face(cr, dial::centre, dial::face_radius);
    for (int k = 0; k < face.last_figure; ++k)
        scale.minor(cr, value_of_figure(face, k + 0.5));
    for (int k = 0; k <= face.last_figure; ++k) {
        const double v = value_of_figure(face, k);
        scale.major(cr, v);
        scale.numeral(cr, v, std::to_string(k), face.last_figure > 10 ? 17 : 20);
    }
    scale.radial(cr, 0, dial::major_inner, dial::tick_outer, 3, colour::red);

    // What it measures and its units above the pivot, clear of the needle's tail
    // at either end of the scale (below the pivot the needle at empty would cross
    // them), and the tank at the foot between the scale's ends.
    text_centred(cr, "FUEL", {150, 92}, 18);
    text_centred(cr, "LBS x 100", {150, 115}, 16);
    text_centred(cr, face.legend, {150, 236}, 17);
}

constexpr NeedleShape needle_shape{.pivot = pivot_of(fuel::needle),
                                   .length = 107,
                                   .width = 4,
                                   .tail = 26,
                                   .counterweight = 5,
                                   .hub = 6};

// The cover carries a dark cap over the needle's pivot, as the engine dials' do.
void draw_cover(cairo_t* cr, int width, int height) {
    dial_cover(cr, width, height);
    hub_cap(cr, dial::centre, needle_shape.hub + 2);
}

void add_face(BitmapRegistry& registry, const FuelFace& face) {
    registry.add(marlow_instr, face.bitmap,
                 [&face](cairo_t* cr, int, int) { draw_face(cr, face); });

    const gauge::DialBitmaps bitmaps{face.bitmap, fuel::needle, fuel::cover};
    const Scale scale{face.table, dial::centre};
    const std::string name = std::string("fuel_") + face.legend;
    registry.add_preview(dial_preview(marlow_instr, bitmaps, name + "_empty", scale.angle(0)));
    registry.add_preview(
        dial_preview(marlow_instr, bitmaps, name + "_5", scale.angle(value_of_figure(face, 5))));
    registry.add_preview(
        dial_preview(marlow_instr, bitmaps, name + "_full", scale.angle(face.table.back().value)));
}

} // namespace

void register_fuel_art(BitmapRegistry& registry) {
    for (const FuelFace& face : faces)
        add_face(registry, face);
    registry.add(marlow_instr, fuel::needle, needle_drawing(needle_shape));
    registry.add(marlow_instr, fuel::cover, draw_cover);
}

} // namespace art
