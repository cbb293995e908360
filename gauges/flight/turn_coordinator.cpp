// Turn coordinator: a pointer that swings with the rate of turn between two stops,
// a ball that slides sideways in a curved tube, and a flag while the supply is low.
// No clickable areas; two help areas, upper and lower.
#include "element_sources.hpp"
#include "flight/flight_bitmaps.hpp"
#include "flight_gauges.hpp"
#include "simulator_numbers.h"
#include "turn_coordinator_layout.hpp"

namespace gauge {
namespace {

using namespace turn_coordinator;

// The ball rises with the square of the sideslip (the y scale is negative).
double GAUGE_CALL turn_ball_height(ElementRecord* element) {
    const double v = source_value(element, &SliderRecord::y_source);
    return v * v;
}

double GAUGE_CALL turn_rate_value(ElementRecord* element) {
    return needle_source(element) * rate_units_per_count;
}

// The flag shows while the supply is 20 volts or less.
double GAUGE_CALL turn_flag_value(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    return icon_source(element) > 20.0 ? ICON_HIDDEN : 0;
}

constexpr auto& pointer_failures =
    failure_list<freeze(FAILURE_TURN_COORDINATOR), zero(FAILURE_ELECTRICAL)>;

} // namespace

constinit TurnCoordinator turn_coordinator_gauge =
    gauge_records(turn_coordinator_gauge, {.name = "Turn_Coordinator"},
                  elements(static_image(turn_coordinator_bitmaps::face, {0, 0}, lit_layer_flags),
                           // ball
                           slider({.bitmap = turn_coordinator_bitmaps::ball,
                                   .position = {ball_x, ball_y},
                                   .image_flags = lit_moving_flags,
                                   .x_source = VAR_TURN_COORDINATOR_BALL,
                                   .x_scale = ball_x_scale,
                                   .y_source = VAR_TURN_COORDINATOR_BALL,
                                   .y_scale = ball_y_scale,
                                   .y_callback = turn_ball_height}),
                           // tube lines
                           static_image(turn_coordinator_bitmaps::tube_lines,
                                        {tube_lines_x, tube_lines_y}, layer_flags),
                           // flag
                           icon({.bitmap = turn_coordinator_bitmaps::flag,
                                 .position = {flag_x, flag_y},
                                 .image_flags = lit_layer_flags,
                                 .source = VAR_MAIN_BUS_VOLTAGE,
                                 .scale = 1.0,
                                 .callback = turn_flag_value}),
                           // pointer
                           needle({.bitmap = turn_coordinator_bitmaps::pointer,
                                   .pivot = {pivot_x, pivot_y},
                                   .image_flags = lit_moving_flags,
                                   .source = VAR_TURN_RATE,
                                   .table = pointer_table,
                                   .failures = pointer_failures,
                                   .callback = turn_rate_value}),
                           // cover
                           static_image(turn_coordinator_bitmaps::cover, {0, 0}, layer_flags)),
                  {
                      area_begin(),
                      area_begin(0xAB71, {0, 0, 300, 200}),
                      area_end(),
                      area_begin(0xAB61, {0, 200, 300, 100}),
                      area_end(),
                      area_end(),
                      list_end(),
                  });

} // namespace gauge
