// Attitude indicator: a horizon card that shifts with pitch and turns with bank, a
// bank ring that turns with it, an aircraft symbol the knob moves up and down, and
// a GYRO flag. The knob's halves send the host's key events; the host moves the
// symbol.
#include "attitude_layout.hpp"
#include "element_sources.hpp"
#include "flight/flight_bitmaps.hpp"
#include "flight_gauges.hpp"
#include "host_services.hpp"
#include "simulator_numbers.h"

namespace gauge {
namespace {

using namespace attitude;

// The card travels at most 40 units of pitch either way.
double GAUGE_CALL attitude_pitch_value(ElementRecord* element) {
    const double v = source_value(element, &SpriteRecord::y_source);
    if (v > pitch_limit) return pitch_limit;
    if (v < -pitch_limit) return -pitch_limit;
    return v;
}

// Both conditions are read as whole numbers; either one set raises the flag.
double GAUGE_CALL attitude_gyro_flag_value(ElementRecord*) {
    TokenVariable first = variable(VAR_INSTRUMENT_POWER_FAILED);
    host::lookup_var(first);
    TokenVariable second = variable(VAR_ATTITUDE_GYRO_FAILED);
    host::lookup_var(second);
    return first.value.integer != 0 || second.value.integer != 0 ? 0 : ICON_HIDDEN;
}

constexpr auto& gyro_failures =
    failure_list<listed(FAILURE_ATTITUDE), listed(FAILURE_ENGINE_SYSTEMS),
                 listed(FAILURE_HEADING_GYRO)>;

} // namespace

constinit Attitude attitude_gauge = gauge_records(
    attitude_gauge, {.name = "Attitude"},
    elements(static_image(attitude_bitmaps::face, {0, 0}, lit_layer_flags),
             // horizon card
             sprite({.bitmap = attitude_bitmaps::card,
                     .position = {window_x, window_y},
                     .turning_point = {card_centre_x, card_centre_y},
                     .image_flags = lit_moving_flags,
                     .y_source = VAR_PITCH,
                     .y_scale = card_pixels_per_degree,
                     .rotation_source = VAR_BANK,
                     .rotation_scale = -1.0,
                     .texture_scale_x = 1.0f,
                     .texture_scale_y = card_texture_scale_y,
                     .failures = gyro_failures,
                     .y_callback = attitude_pitch_value}),
             // bank ring
             sprite({.bitmap = attitude_bitmaps::ring,
                     .position = {window_x, window_y},
                     .turning_point = {ring_centre_x, ring_centre_y},
                     .image_flags = lit_moving_flags,
                     .y_scale = 1.0,
                     .rotation_source = VAR_BANK,
                     .rotation_scale = -1.0,
                     .failures = gyro_failures}),
             // GYRO flag
             icon({.bitmap = attitude_bitmaps::gyro_flag,
                   .position = {gyro_flag_x, gyro_flag_y},
                   .image_flags = lit_layer_flags,
                   .scale = 1.0,
                   .callback = attitude_gyro_flag_value}),
             // aircraft symbol
             slider({.bitmap = attitude_bitmaps::symbol,
                     .position = {symbol_x, symbol_y},
                     .image_flags = layer_flags,
                     .y_source = VAR_ATTITUDE_SYMBOL_HEIGHT,
                     .y_scale = symbol_pixels_per_unit}),
             // cover
             static_image(attitude_bitmaps::cover, {0, 0}, layer_flags)),
    {
        area_begin(),
        tooltip(0x3092),
        click_area({121, 243, 25, 50}, CURSOR_DOWNARROW, MOUSE_LEFT_BUTTON | MOUSE_REPEAT, nullptr,
                   KEY_ATTITUDE_SYMBOL_DOWN),
        click_area({146, 243, 25, 50}, CURSOR_UPARROW, MOUSE_LEFT_BUTTON | MOUSE_REPEAT, nullptr,
                   KEY_ATTITUDE_SYMBOL_UP),
        area_end(),
        list_end(),
    });

} // namespace gauge
