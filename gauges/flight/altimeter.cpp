// Altimeter: a pointer turning once per 1000 feet, a counter of rolling drums, and
// two windows of drums for the pressure setting in millibars and inches of mercury.
// The setting knob's halves send the host's key events; the host owns the setting.
#include "altimeter_layout.hpp"
#include "flight/flight_bitmaps.hpp"
#include "flight_gauges.hpp"
#include "host_services.hpp"

#include <cmath>
#include <iterator>

namespace gauge {
namespace {

using namespace altimeter;

// How far before the next cell a drum starts to roll, by the variable it counts:
// the altitude drums over the last 10 feet, the pressure drums over the last unit
// of their lowest figure. Unknown variables never roll.
double roll_width(uint32_t variable) {
    switch (variable) {
    case VAR_INDICATED_ALTITUDE: return 10;
    case VAR_KOHLSMAN_SETTING_MB: return 1;
    case VAR_KOHLSMAN_SETTING_HG: return 0.01;
    default: return 0;
    }
}

// A value that is not a number or is infinite reads as 0, where the host also
// stops the pointer for it.
double finite_or_zero(double v) { return std::isfinite(v) ? v : 0.0; }

// v's remainder in [0, cycle). Far beyond any altitude the product of the quotient
// loses the remainder (1e300 feet gives one of -1e284): there fmod takes it exactly.
double remainder_in_cycle(double v, double cycle) {
    const double r = v - std::floor(v / cycle) * cycle;
    if (r >= 0 && r < cycle) return r;
    const double exact = std::fmod(v, cycle);
    const double wrapped = exact < 0 ? exact + cycle : exact;
    return wrapped < cycle ? wrapped : 0.0;
}

// The drum's strip position for value v: the drum shows the cell of v's remainder
// in the cycle, and rolls linearly to the next cell over the last `width` units
// before it. The strip reads downwards, so the result is the cycle less the cell.
double drum_position(double v, double cycle_end, double width) {
    const double step = 0.1 * cycle_end;
    const double cycle = step * 10;
    const double r = remainder_in_cycle(finite_or_zero(v), cycle);
    const double lo = std::floor(r / step) * step;
    const double hi = std::ceil(r / step) * step;
    const double shown = hi - r < width ? hi + (lo - hi) * (hi - r) / width : lo;
    return cycle_end - shown;
}

double GAUGE_CALL altimeter_drum_value(ElementRecord* element) {
    if (!element) return 0;
    const auto* drum = reinterpret_cast<const MovingImageRecord*>(element);
    return drum_position(drum->y_source.value.number, drum->y_range_end,
                         roll_width(drum->y_source.id));
}

// The thousands drum is covered up to 1000 feet.
double GAUGE_CALL altimeter_hatch_value(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    const auto* hatch = reinterpret_cast<const IconRecord*>(element);
    return finite_or_zero(hatch->source.value.number) <= 1000.0 ? 0 : ICON_HIDDEN;
}

double GAUGE_CALL altimeter_flag_value(ElementRecord*) {
    TokenVariable first = variable(VAR_ALTIMETER_FAILED);
    TokenVariable second = variable(VAR_INSTRUMENT_POWER_FAILED);
    host::lookup_var(first);
    host::lookup_var(second);
    return first.value.number > 0 || second.value.number > 0 ? 0 : ICON_HIDDEN;
}

constexpr auto& altitude_failures =
    failure_list<freeze(FAILURE_PITOT_STATIC), freeze(FAILURE_ALTIMETER)>;

// The drum counter's drums, from the drum table.
constexpr Repeated<MovingImageRecord, std::size(drums)> drum_records() {
    Repeated<MovingImageRecord, std::size(drums)> run{};
    for (size_t i = 0; i < std::size(drums); ++i) {
        const Drum& d = drums[i];
        const bool counts_altitude = d.variable == VAR_INDICATED_ALTITUDE;
        run.records[i] = moving_image({.bitmap = d.strip,
                                       .position = {d.x, d.y},
                                       .image_flags = lit_moving_flags,
                                       .y_source = d.variable,
                                       .y_range_start = 0,
                                       .y_range_end = d.cycle,
                                       .failures = counts_altitude ? altitude_failures : nullptr,
                                       .y_callback = altimeter_drum_value});
    }
    return run;
}

} // namespace

constinit Altimeter altimeter_gauge =
    gauge_records(altimeter_gauge, {.name = "Altimeter"},
                  elements(static_image(altimeter_bitmaps::face, {0, 0}, lit_layer_flags),
                           // drums
                           drum_records(),
                           // hatch
                           icon({.bitmap = altimeter_bitmaps::hatch,
                                 .position = {hatch_x, hatch_y},
                                 .image_flags = lit_moving_flags,
                                 .source = VAR_INDICATED_ALTITUDE,
                                 .scale = 0,
                                 .failures = altitude_failures,
                                 .callback = altimeter_hatch_value}),
                           // flag
                           icon({.bitmap = altimeter_bitmaps::flag,
                                 .position = {flag_x, flag_y},
                                 .image_flags = lit_moving_flags,
                                 .source = VAR_INDICATED_ALTITUDE,
                                 .scale = 0,
                                 .callback = altimeter_flag_value}),
                           // pointer
                           needle({.bitmap = altimeter_bitmaps::pointer,
                                   .pivot = {pivot_x, pivot_y},
                                   .image_flags = lit_moving_flags,
                                   .source = VAR_INDICATED_ALTITUDE,
                                   .table = pointer_table,
                                   .failures = altitude_failures}),
                           // cover
                           static_image(altimeter_bitmaps::cover, {0, 0}, layer_flags),
                           // setting knob
                           needle({.bitmap = altimeter_bitmaps::knob,
                                   .pivot = {knob_x, knob_y},
                                   .image_flags = moving_flags,
                                   .source = VAR_KOHLSMAN_SETTING_MB,
                                   .table = knob_table})),
                  {
                      area_begin(0xAB07),
                      tooltip(0x3051),
                      click_area({232, 224, 14, 58}, CURSOR_DOWNARROW,
                                 MOUSE_LEFT_BUTTON | MOUSE_REPEAT, nullptr, KEY_KOHLSMAN_DEC),
                      click_area({261, 224, 14, 58}, CURSOR_UPARROW,
                                 MOUSE_LEFT_BUTTON | MOUSE_REPEAT, nullptr, KEY_KOHLSMAN_INC),
                      area_end(),
                      list_end(),
                  });

} // namespace gauge
