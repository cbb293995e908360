// Engine instrument art (Marlow_Instr): the faces of the seven engine-selectable
// gauges, their needles and covers. Every mark is placed through the gauge's own
// needle table, so the needle points at the mark for the value it shows.
#include "art/art_families.hpp"
#include "art/dial_preview.hpp"
#include "engine/engine_bitmaps.hpp"
#include "engine/engine_tables.hpp"

#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace art {
namespace {

namespace bitmaps = gauge::engine_bitmaps;

// A scale about any pivot with its own radii (the 300 x 300 dials' radii by default).
struct ScaleRadii {
    double tick_outer = dial::tick_outer;
    double major_inner = dial::major_inner;
    double minor_inner = dial::minor_inner;
    double numeral = dial::numeral_radius;
    double band_inner = dial::band_inner;
    double band_outer = dial::band_outer;
};

// A table stored from the highest value down (the oil temperature) turns the needle
// clockwise towards lower values; it is read here as the same table over negated
// values, which rise.
class EngineScale {
  public:
    EngineScale(std::span<const NeedleRow> rows, Point pivot, ScaleRadii radii = {})
        : rows_(rows.begin(), rows.end()), pivot_(pivot), r_(radii),
          descending_(rows.size() > 1 && rows.back().value < rows.front().value) {
        if (descending_)
            for (NeedleRow& row : rows_)
                row.value = -row.value;
    }

    double angle(double value) const {
        return angle_for_value(rows_, pivot_, descending_ ? -value : value);
    }
    void major(cairo_t* cr, double value) const {
        tick(cr, pivot_, angle(value), r_.major_inner, r_.tick_outer, 3.0);
    }
    void minor(cairo_t* cr, double value) const {
        tick(cr, pivot_, angle(value), r_.minor_inner, r_.tick_outer, 1.6);
    }
    void numeral(cairo_t* cr, double value, const std::string& text, double size) const {
        text_centred(cr, text, polar(pivot_, r_.numeral, angle(value)), size);
    }
    void band(cairo_t* cr, double from, double to, Rgb c) const {
        arc_band(cr, pivot_, r_.band_inner, r_.band_outer, angle(from), angle(to), c);
    }
    void red_line(cairo_t* cr, double value) const {
        tick(cr, pivot_, angle(value), r_.major_inner - 4, r_.band_outer, 4.0, colour::red);
    }

  private:
    std::vector<NeedleRow> rows_;
    Point pivot_;
    ScaleRadii r_;
    bool descending_;
};

std::string figure(double v) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// Graduates `scale` in dial figures; `value_of` turns a figure into the gauge's value.
struct Graduation {
    double first, last;  // figures
    double major_step;   // a major tick every ...
    double minor_step;   // a minor tick every ...
    double numeral_step; // a numeral every ...
    double numeral_size = 20;
};

void graduate(cairo_t* cr, const EngineScale& scale, const Graduation& g,
              const std::function<double(double)>& value_of) {
    const int minors = static_cast<int>((g.last - g.first) / g.minor_step + 0.5);
    for (int i = 0; i <= minors; ++i)
        scale.minor(cr, value_of(g.first + i * g.minor_step));
    const int majors = static_cast<int>((g.last - g.first) / g.major_step + 0.5);
    for (int i = 0; i <= majors; ++i)
        scale.major(cr, value_of(g.first + i * g.major_step));
    const int numerals = static_cast<int>((g.last - g.first) / g.numeral_step + 0.5);
    for (int i = 0; i <= numerals; ++i) {
        const double f = g.first + i * g.numeral_step;
        scale.numeral(cr, value_of(f), figure(f), g.numeral_size);
    }
}

double rankine(double celsius) { return 491.67 + 1.8 * celsius; }
double psf(double psi) { return psi * 144; }

constexpr Point centre = dial::centre;

// Paints a centre-pivot dial's face and gives its scale through `table`.
EngineScale centre_dial(cairo_t* cr, std::span<const NeedleRow> table) {
    dial_face(cr, centre, dial::face_radius);
    return EngineScale{table, centre};
}

// The dial's name and its units on one line each under the pivot, large enough to
// read with the dial seen at half its size, clear of the numerals below them and of
// the needle at rest. `title_y` sets them lower where the rest position would
// cross them.
void legend(cairo_t* cr, const char* title, const char* units, double title_y = 188,
            double title_size = 18) {
    text_centred(cr, title, {150, title_y}, title_size);
    text_centred(cr, units, {150, title_y + 24}, 16);
}

// ITT: degrees C x 100 from 0 to 12, through the Rankine table; the 8.5 mark too.
void draw_itt_face(cairo_t* cr, int, int) {
    const EngineScale scale = centre_dial(cr, gauge::itt_table);
    auto value = [](double f) { return rankine(f * 100); };
    scale.band(cr, value(4), value(8), colour::green);
    scale.band(cr, value(8), value(8.5), colour::yellow);
    graduate(cr, scale, {2, 12, 1, 0.5, 1, 19}, value);
    scale.major(cr, value(0));
    scale.numeral(cr, value(0), "0", 19);
    scale.red_line(cr, value(8.5));
    legend(cr, "ITT",
           "\xC2\xB0"
           "C x 100");
}

// Torque: ft-lb x 100, 0 to 50; the needle reads the fraction x 4400.
void draw_torque_face(cairo_t* cr, int, int) {
    const EngineScale scale = centre_dial(cr, gauge::torque_table);
    auto value = [](double f) { return f * 100; };
    scale.band(cr, 0, 4400, colour::green);
    graduate(cr, scale, {0, 50, 5, 1, 10, 20}, value);
    scale.red_line(cr, 4400);
    legend(cr, "TORQUE", "FT-LB x 100");
}

// Propeller: RPM x 100, 0 to 20; the value 1.0 is the 17.5 mark.
void draw_propeller_face(cairo_t* cr, int, int) {
    const EngineScale scale = centre_dial(cr, gauge::propeller_table);
    auto value = [](double f) { return f * 100 / gauge::propeller_rpm_at_one; };
    scale.band(cr, value(12), value(17.5), colour::green);
    graduate(cr, scale, {0, 16, 2, 1, 2, 19}, value);
    scale.major(cr, value(18));
    scale.minor(cr, value(19));
    scale.major(cr, value(20));
    scale.numeral(cr, value(20), "20", 19);
    scale.red_line(cr, value(17.5));
    legend(cr, "PROP", "RPM x 100");
}

// Gas generator: percent, 0 at the top round to 100 at the left; a units sub-dial
// at the upper left, 0 to 9 round a full circle. The sub-dial fills the quadrant the
// main scale leaves free (the main needle never sweeps it): ticks where the units
// needle's tip reaches, the figures outside them so the needle never hides one.
constexpr Point units_pivot{90, 83};
constexpr double units_radius = 29; // the ticks' outer end
constexpr double units_numeral_radius = 37.5;
constexpr double units_disc_radius = 47;

void draw_gas_generator_face(cairo_t* cr, int, int) {
    const EngineScale scale = centre_dial(cr, gauge::gas_generator_table);
    auto value = [](double f) { return f; };
    scale.band(cr, 52, 101.5, colour::green);
    graduate(cr, scale, {0, 100, 10, 2, 10, 19}, value);
    scale.red_line(cr, 101.5);

    // The units sub-dial on its own disc.
    rimmed_disc(cr, units_pivot, units_disc_radius, {0.15, 0.15, 0.15}, 1.2, {0.32, 0.32, 0.32});
    const EngineScale units{gauge::gas_generator_units_table,
                            units_pivot,
                            {.tick_outer = units_radius,
                             .major_inner = units_radius - 8,
                             .minor_inner = units_radius - 4,
                             .numeral = units_numeral_radius}};
    for (int k = 0; k < 10; ++k) {
        units.major(cr, k);
        units.minor(cr, k + 0.5);
        units.numeral(cr, k, std::to_string(k), 16);
    }
    legend(cr, "GAS GEN", "% RPM");
}

// Fuel flow: lb/h x 100, 0 to 10.
void draw_fuel_flow_face(cairo_t* cr, int, int) {
    const EngineScale scale = centre_dial(cr, gauge::fuel_flow_table);
    auto value = [](double f) { return f * 100; };
    scale.band(cr, 100, 600, colour::green);
    graduate(cr, scale, {0, 10, 1, 0.5, 1, 20}, value);
    // Low in the gap between the scale's ends: the needle resting at 0 crosses the
    // usual place of a name this long.
    legend(cr, "FUEL FLOW", "LB/HR x 100", 206, 16);
}

// Oil: pressure on the left scale (0 to 150 psi), temperature on the right
// (-50 to 150 degrees C), each about its own needle's pivot.
constexpr Point pressure_pivot{120, 150};
constexpr Point temperature_pivot{170, 150};
constexpr ScaleRadii oil_radii{.tick_outer = 92,
                               .major_inner = 81,
                               .minor_inner = 86,
                               .numeral = 69,
                               .band_inner = 92,
                               .band_outer = 98};

void draw_oil_face(cairo_t* cr, int, int) {
    dial_face(cr, centre, dial::face_radius);
    const EngineScale pressure{gauge::oil_pressure_table, pressure_pivot, oil_radii};
    pressure.band(cr, psf(80), psf(100), colour::green);
    graduate(cr, pressure, {0, 150, 25, 5, 50, 16}, psf);
    pressure.red_line(cr, psf(105));
    const EngineScale temperature{gauge::oil_temperature_table, temperature_pivot, oil_radii};
    // The temperature scale runs clockwise from 150 down to -50.
    temperature.band(cr, rankine(99), rankine(10), colour::green);
    graduate(cr, temperature, {-50, 150, 50, 10, 50, 16}, rankine);
    temperature.red_line(cr, rankine(99));
    // The name above the pivots and each scale's unit below its own pivot, where
    // neither needle ever sweeps.
    text_centred(cr, "OIL", {145, 112}, 18);
    text_centred(cr, "PSI", {126, 194}, 16);
    text_centred(cr,
                 "\xC2\xB0"
                 "C",
                 {166, 194}, 16);
}

// Hydraulic: psi x 100, 0 to 15, then 18 at the stop's end.
void draw_hydraulic_face(cairo_t* cr, int, int) {
    const EngineScale scale = centre_dial(cr, gauge::hydraulic_table);
    auto value = [](double f) { return psf(f * 100); };
    scale.band(cr, value(8), value(15), colour::green);
    graduate(cr, scale, {0, 15, 1, 0.5, 3, 19}, value);
    for (double f : {16.0, 17.0, 18.0})
        scale.major(cr, value(f));
    scale.numeral(cr, value(18), "18", 19);
    legend(cr, "HYD", "PSI x 100");
}

// Needles: white pointers from the pivot out, tapering to a point over their last
// fifth. The long needle of the centre-pivot dials and the oil needle have their
// pivot at (or next to) the bitmap's left edge, where no cap fits on the bitmap:
// their caps are on the covers, over the pivots. The units needle has a tail, and
// its cap too is on the cover.
void pointer(cairo_t* cr, double from_x, double y, double tip_x, double width) {
    const double half = width / 2;
    const double shoulder = from_x + (tip_x - from_x) * 0.8;
    fill_polygon(cr,
                 {{from_x, y - half},
                  {shoulder, y - half},
                  {tip_x, y},
                  {shoulder, y + half},
                  {from_x, y + half}},
                 colour::marking);
}

void draw_long_needle(cairo_t* cr, int, int) {
    pointer(cr, bitmaps::long_needle_pivot.x, bitmaps::long_needle_pivot.y, 112, 5);
}

// One bitmap for both oil needles, each turning about its own point of it; from
// either pivot the root lies under its cap.
void draw_oil_needle(cairo_t* cr, int, int) {
    static_assert(bitmaps::oil_pressure_needle_pivot.y == bitmaps::oil_temperature_needle_pivot.y);
    pointer(cr, 0, bitmaps::oil_temperature_needle_pivot.y, 96, 4);
}

void draw_units_needle(cairo_t* cr, int, int) {
    needle(cr, {.pivot = pivot_of(bitmaps::gas_generator_units_needle),
                .length = 30,
                .width = 3,
                .tail = 14,
                .counterweight = 4,
                .hub = 4});
}

constexpr double centre_cap_radius = 11;
constexpr double oil_cap_radius = 8;
constexpr double units_cap_radius = 6;

void draw_cover(cairo_t* cr, int width, int height) {
    dial_cover(cr, width, height);
    hub_cap(cr, centre, centre_cap_radius);
}

void draw_gas_generator_cover(cairo_t* cr, int width, int height) {
    draw_cover(cr, width, height);
    hub_cap(cr, units_pivot, units_cap_radius);
}

void draw_oil_cover(cairo_t* cr, int width, int height) {
    dial_cover(cr, width, height);
    hub_cap(cr, pressure_pivot, oil_cap_radius);
    hub_cap(cr, temperature_pivot, oil_cap_radius);
}

// Which face, needle and cover each dial uses, for the registry and the previews.
struct OneNeedleDial {
    const char* name;
    gauge::DialBitmaps bitmaps;
    DrawFunction draw_face;
    std::span<const NeedleRow> table;
    double preview_value;
};

const OneNeedleDial one_needle_dials[] = {
    {"itt", bitmaps::itt, draw_itt_face, gauge::itt_table, rankine(700)},
    {"torque", bitmaps::torque, draw_torque_face, gauge::torque_table, 3000},
    {"propeller", bitmaps::propeller, draw_propeller_face, gauge::propeller_table, 1.0},
    {"fuel_flow", bitmaps::fuel_flow, draw_fuel_flow_face, gauge::fuel_flow_table, 400},
    {"hydraulic", bitmaps::hydraulic, draw_hydraulic_face, gauge::hydraulic_table, psf(1500)},
};

} // namespace

void register_engine_art(BitmapRegistry& registry) {
    for (const OneNeedleDial& d : one_needle_dials) {
        add_dial(registry, marlow_instr, d.bitmaps, d.draw_face, draw_long_needle, draw_cover);
        registry.add_preview(dial_preview(marlow_instr, d.bitmaps, std::string(d.name) + "_reading",
                                          angle_for_value(d.table, dial::centre, d.preview_value)));
    }
    add_dial(registry, marlow_instr, bitmaps::gas_generator, draw_gas_generator_face,
             draw_long_needle, draw_gas_generator_cover);
    registry.add(marlow_instr, bitmaps::gas_generator_units_needle, draw_units_needle);
    registry.add(marlow_instr, bitmaps::oil_face, draw_oil_face);
    registry.add(marlow_instr, bitmaps::oil_needle, draw_oil_needle);
    registry.add(marlow_instr, bitmaps::oil_cover, draw_oil_cover);
}

} // namespace art
