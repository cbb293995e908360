// DME indicator: distance, ground speed and time to station on a red segment
// display, and a knob OFF / N1 / N2 that tells the host which receiver feeds it.
// Dashes when there is no signal or the selected receiver is switched off.
#include "host_services.hpp"
#include "nav/nav_bitmaps.hpp"
#include "nav/nav_gauges.hpp"
#include "nav/nav_logic.hpp"
#include "radios/radio_failures.hpp"
#include "radios/radio_power.hpp"
#include "simulator_numbers.h"
#include "sound/click_sound_player.hpp"

#include <cstdio>

namespace gauge {
namespace {

// Knob position: 0 OFF, 1 N1, 2 N2.
uint32_t dme_mode = 0;
constinit sound::ClickSound dme_click{sound::switch_click_wave};

void GAUGE_CALL dme_callback(GaugeHeader*, int32_t service, uintptr_t extra) {
    if (service == SERVICE_INSTALL) dme_click.install(extra);
    if (service == SERVICE_KILL) dme_click.release();
}

double GAUGE_CALL dme_knob_position(ElementRecord*) { return dme_mode; }
double GAUGE_CALL dme_display_cover(ElementRecord*) { return dme_mode == 0 ? 0 : ICON_HIDDEN; }

using Writer = void (*)(char*, size_t, double, bool);

// Writes the element's text with `write` and returns its first source value. The
// second source (the distance) decides whether the number is shown.
double write_number(ElementRecord* element, Writer write) {
    if (!element) return 0;
    auto* string = reinterpret_cast<StringRecord*>(element);
    const double value = string->sources[0].value.number;
    const bool shown =
        nav::dme_signal_shown(string->sources[1].value.number, dme_mode, nav1_on, nav2_on);
    write(string->text, static_cast<size_t>(string->char_count) + 1, value, shown);
    return value;
}

double write_label(ElementRecord* element, const char* label) {
    if (!element) return 0;
    auto* string = reinterpret_cast<StringRecord*>(element);
    if (string->text) std::snprintf(string->text, string->char_count + 1, "%s", label);
    return string->sources[0].value.number;
}

double GAUGE_CALL dme_distance_text(ElementRecord* e) {
    return write_number(e, nav::write_dme_distance);
}
double GAUGE_CALL dme_speed_text(ElementRecord* e) { return write_number(e, nav::write_dme_speed); }
double GAUGE_CALL dme_time_text(ElementRecord* e) { return write_number(e, nav::write_dme_time); }
double GAUGE_CALL dme_minutes_label(ElementRecord* e) { return write_label(e, "MIN"); }
double GAUGE_CALL dme_knots_label(ElementRecord* e) { return write_label(e, "KT"); }
double GAUGE_CALL dme_miles_label(ElementRecord* e) { return write_label(e, "NM"); }

// One position a click: the sound first, then the new source for the host.
void move_knob(uint32_t to, uint32_t key_event) {
    dme_mode = to;
    dme_click.play();
    if (key_event) host::trigger_key_event(key_event, 0);
}

uint32_t GAUGE_CALL dme_knob_left_click(MousePoint*, uint32_t) {
    if (dme_mode == 1)
        move_knob(0, 0);
    else if (dme_mode == 2)
        move_knob(1, KEY_DME_FROM_NAV1);
    return 0;
}

uint32_t GAUGE_CALL dme_knob_right_click(MousePoint*, uint32_t) {
    if (dme_mode == 0)
        move_knob(1, KEY_DME_FROM_NAV1);
    else if (dme_mode == 1)
        move_knob(2, KEY_DME_FROM_NAV2);
    return 0;
}

// The records. Every element is drawn over the one before it.

// A text of the red display. Its second source, the distance, tells whether there
// is a signal.
constexpr StringRecord display_text(Point position, uint32_t box_width, uint32_t box_height,
                                    uint32_t chars, uint32_t source, TextCallback callback) {
    return string_element({.position = position,
                           .image_flags = display_flags,
                           .sources = {source, VAR_DME_DISTANCE, 0},
                           .box_width = box_width,
                           .box_height = box_height,
                           .text_colour = 0x0000FF,
                           .background_colour = 0x000000,
                           .highlight_colour = 0x00FFFF,
                           .font = "Quartz",
                           .char_count = chars,
                           .failures = radio_failures::avionics_failed,
                           .callback = callback});
}

} // namespace

// clang-format off
constinit DmeIndicator dme_gauge = gauge_records(
    dme_gauge, {.name = "Bendix_KD1572_DME", .callback = dme_callback},
    elements(
        static_image(dme_bitmaps::face, {0, 0}, layer_flags),
        // knob: OFF, N1, N2; its source only makes the host refresh it
        icon({.bitmap = dme_bitmaps::knob_off, .position = {68, 41}, .image_flags = layer_flags,
              .source = VAR_DME_SOURCE, .scale = 1.0, .icon_count = 3,
              .callback = dme_knob_position}),
        // the labels, then the numbers
        //           position   box     chars source            text
        display_text({120, 21}, 27, 10, 3,    VAR_DME_TIME,     dme_minutes_label),
        display_text({86, 21},  18, 10, 4,    VAR_DME_SPEED,    dme_knots_label),
        display_text({35, 21},  18, 10, 2,    VAR_DME_DISTANCE, dme_miles_label),
        display_text({122, 7},  24, 14, 2,    VAR_DME_TIME,     dme_time_text),
        display_text({71, 7},   48, 14, 4,    VAR_DME_SPEED,    dme_speed_text),
        display_text({20, 7},   48, 14, 4,    VAR_DME_DISTANCE, dme_distance_text),
        // display cover, at scale 0 as the other covers of a display
        icon({.bitmap = dme_bitmaps::display_cover, .position = {7, 7}, .image_flags = layer_flags,
              .scale = 0.0, .callback = dme_display_cover})),
    {
        area_begin(),
          area_begin(0, {0, 0, 180, 32}), tooltip(0x317A), area_end(),  // the display
          area_begin(0, {66, 32, 50, 31}), tooltip(0x317C), area_end(), // the knob
          click_area({63, 42, 20, 25}, CURSOR_LEFTARROW, MOUSE_LEFT_BUTTON, dme_knob_left_click),
          click_area({83, 42, 20, 25}, CURSOR_RIGHTARROW, MOUSE_LEFT_BUTTON, dme_knob_right_click),
        area_end(),
        list_end(),
    });
// clang-format on

} // namespace gauge
