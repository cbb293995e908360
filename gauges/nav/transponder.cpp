// Transponder control head: code and flight-level windows, ON and VFR buttons and
// four digit columns. The squawk code lives in the host; the gauge shows it and
// changes it only by the host's transponder key events, sent while switched on.
#include "element_sources.hpp"
#include "host_services.hpp"
#include "nav/nav_bitmaps.hpp"
#include "nav/nav_gauges.hpp"
#include "nav/nav_logic.hpp"
#include "radios/radio_failures.hpp"
#include "simulator_numbers.h"
#include "sound/click_sound_player.hpp"

#include <cstdio>

namespace gauge {
namespace {

using radio_failures::avionics_failed;

constexpr uint32_t vfr_code = 0x1200;
constexpr const char* pressure_altitude = "(A:PRESSURE ALTITUDE,feet)";

// Switched on by the ON button only; off after every load of the module.
bool xpdr_on = false;
constinit sound::ClickSound xpdr_click{sound::switch_click_wave};

void GAUGE_CALL xpdr_callback(GaugeHeader*, int32_t service, uintptr_t extra) {
    if (service == SERVICE_INSTALL) xpdr_click.install(extra);
    if (service == SERVICE_KILL) xpdr_click.release();
}

double GAUGE_CALL xpdr_lit_face(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    return icon_source(element) > 0 ? 0 : ICON_HIDDEN;
}

double GAUGE_CALL xpdr_on_face_unlit(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    return icon_source(element) == 0 && xpdr_on ? 0 : ICON_HIDDEN;
}

double GAUGE_CALL xpdr_on_face_lit(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    return icon_source(element) > 0 && xpdr_on ? 0 : ICON_HIDDEN;
}

double GAUGE_CALL xpdr_lamp(ElementRecord*) { return xpdr_on ? 0 : ICON_HIDDEN; }
double GAUGE_CALL xpdr_window_cover(ElementRecord*) { return xpdr_on ? ICON_HIDDEN : 0; }

// The element's text buffer and its size, or a null buffer.
struct TextBuffer {
    char* text = nullptr;
    size_t size = 0;
};

TextBuffer text_of(ElementRecord* element) {
    if (!element) return {};
    auto* string = reinterpret_cast<StringRecord*>(element);
    return {string->text, static_cast<size_t>(string->char_count) + 1};
}

double decode_bcd_code(uint32_t token_variable) {
    TokenVariable code = variable(token_variable);
    host::lookup_var(code);
    return nav::decode_bcd_code(code.value.integer);
}

double GAUGE_CALL xpdr_fl_label_text(ElementRecord* element) {
    TextBuffer buffer = text_of(element);
    if (buffer.text) std::snprintf(buffer.text, buffer.size, "FL");
    return 0;
}

double GAUGE_CALL xpdr_code_text(ElementRecord* element) {
    TextBuffer buffer = text_of(element);
    nav::write_code_text(buffer.text, buffer.size, decode_bcd_code(VAR_TRANSPONDER_CODE));
    return 0;
}

double GAUGE_CALL xpdr_flight_level_text(ElementRecord* element) {
    double altitude = 0;
    if (!host::execute_calculator_code(pressure_altitude, &altitude, nullptr, nullptr))
        altitude = 0;
    TextBuffer buffer = text_of(element);
    nav::write_flight_level_text(buffer.text, buffer.size, nav::flight_level(altitude));
    return 0;
}

uint32_t GAUGE_CALL xpdr_on_click(MousePoint*, uint32_t) {
    xpdr_click.play();
    xpdr_on = !xpdr_on;
    return 0;
}

uint32_t GAUGE_CALL xpdr_vfr_click(MousePoint*, uint32_t) {
    if (xpdr_on) host::trigger_key_event(KEY_XPDR_CODE_SET, vfr_code);
    return 0;
}

// A digit column's half: its key event, while switched on.
template <uint32_t KeyEvent> uint32_t GAUGE_CALL xpdr_digit_click(MousePoint*, uint32_t) {
    if (xpdr_on) host::trigger_key_event(KeyEvent, 0);
    return 0;
}

constexpr auto& text_failures =
    failure_list<hide(FAILURE_ELECTRICAL), hide(FAILURE_AVIONICS), listed(FAILURE_TRANSPONDER)>;

// The digit columns, thousands to units: lower half down, upper half up.
// The code's four digits, thousands to ones, each turned by the two halves of its
// wheel: down below, up above.
constexpr uint32_t held_left = MOUSE_LEFT_BUTTON | MOUSE_REPEAT;
constexpr MouseArea digit_down(int32_t x, MouseCallback click) {
    return click_area({x, 26, 16, 26}, CURSOR_DOWNARROW, held_left, click);
}
constexpr MouseArea digit_up(int32_t x, MouseCallback click) {
    return click_area({x, 0, 16, 26}, CURSOR_UPARROW, held_left, click);
}

constexpr StringRecord window_text(Point position, uint32_t width, uint32_t chars,
                                   const uint32_t (&sources)[3], TextCallback callback) {
    return string_element({.position = position,
                           .image_flags = display_flags,
                           .sources = {sources[0], sources[1], sources[2]},
                           .box_width = width,
                           .box_height = 19,
                           .text_colour = 0x1E1E1E,
                           .background_colour = 0x000000,
                           .highlight_colour = 0x1E1E1E,
                           .font = "Quartz",
                           .char_count = chars,
                           .failures = text_failures,
                           .callback = callback});
}

} // namespace

constinit Transponder transponder_gauge = gauge_records(
    transponder_gauge, {.name = "Becker_ATC3401_XPDR", .callback = xpdr_callback},
    elements(static_image(transponder_bitmaps::face, {0, 0}, layer_flags),
             // window backing
             one_image(transponder_bitmaps::window_backing, {58, 14}, lit_layer_flags, 0,
                       avionics_failed, nullptr, 0.0),
             // lit buttons
             one_image(transponder_bitmaps::lit_strip, {91, 76}, lit_layer_flags,
                       VAR_PANEL_LIGHTING, avionics_failed, xpdr_lit_face),
             // lit VFR button
             one_image(transponder_bitmaps::vfr_face, {200, 76}, lit_layer_flags,
                       VAR_PANEL_LIGHTING, avionics_failed, xpdr_lit_face),
             // lit IDT button
             one_image(transponder_bitmaps::ident_face, {164, 20}, lit_layer_flags,
                       VAR_PANEL_LIGHTING, avionics_failed, xpdr_lit_face),
             // FL label
             window_text({223, 15}, 26, 3, {0, 0, 0}, xpdr_fl_label_text),
             // code
             window_text({72, 15}, 52, 4, {VAR_TRANSPONDER_CODE, 0, 0}, xpdr_code_text),
             // flight level
             window_text(
                 {248, 15}, 48, 3,
                 {VAR_FLIGHT_LEVEL_REFRESH_A, VAR_KOHLSMAN_SETTING_MB, VAR_FLIGHT_LEVEL_REFRESH_B},
                 xpdr_flight_level_text),
             // ON pressed
             one_image(transponder_bitmaps::on_face_unlit, {91, 76}, layer_flags,
                       VAR_PANEL_LIGHTING, nullptr, xpdr_on_face_unlit),
             // ON pressed, lit
             one_image(transponder_bitmaps::on_face_lit, {91, 76}, display_flags,
                       VAR_PANEL_LIGHTING, avionics_failed, xpdr_on_face_lit),
             // lamp
             one_image(transponder_bitmaps::reply_lamp, {171, 50}, display_flags, 0,
                       avionics_failed, xpdr_lamp),
             // window cover
             one_image(transponder_bitmaps::window_backing, {58, 14}, layer_flags, 0,
                       avionics_failed, xpdr_window_cover, 0.0)),
    {
        area_begin(),
        tooltip(0x3180),
        click_area({91, 76, 25, 19}, CURSOR_HAND, MOUSE_LEFT_BUTTON, xpdr_on_click),
        click_area({200, 76, 25, 19}, CURSOR_HAND, MOUSE_LEFT_BUTTON, xpdr_vfr_click),
        digit_down(68, xpdr_digit_click<KEY_XPDR_1000_DEC>),
        digit_up(68, xpdr_digit_click<KEY_XPDR_1000_INC>),
        digit_down(84, xpdr_digit_click<KEY_XPDR_100_DEC>),
        digit_up(84, xpdr_digit_click<KEY_XPDR_100_INC>),
        digit_down(100, xpdr_digit_click<KEY_XPDR_10_DEC>),
        digit_up(100, xpdr_digit_click<KEY_XPDR_10_INC>),
        digit_down(116, xpdr_digit_click<KEY_XPDR_1_DEC>),
        digit_up(116, xpdr_digit_click<KEY_XPDR_1_INC>),
        area_end(),
        list_end(),
    });

} // namespace gauge
