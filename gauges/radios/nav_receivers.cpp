// NAV1 and NAV2 receiver heads: one design built twice, each bound to its own
// receiver's state, token variables and key events. Besides the COM head's parts
// they have a VOICE button that switches the station identifier's audio, mirrored to
// the host by ident on and off events.
#include "radios/frequency_tuning.hpp"
#include "radios/radio_gauges.hpp"
#include "radios/radio_icons.hpp"
#include "radios/radio_layout.hpp"
#include "radios/radio_power.hpp"
#include "host_services.hpp"
#include "sound/click_sound_player.hpp"

namespace gauge {
namespace {

using namespace radio_layout;
namespace bitmaps = nav_bitmaps;

struct NavState {
    bool ident = false;
    TuningState tuning{};
    sound::ClickSound click{sound::switch_click_wave};
};

// Everything that differs between the two receivers.
struct NavReceiver {
    const char* gauge_name;
    const Receiver& tuning; // a receiver of its own, so that it can bind the knob clicks
    NavState* state;
    uint32_t ident_on_event;
    uint32_t ident_off_event;
    const FailureEntry* receiver_failed; // the texts and the lamp
    uint32_t help_id;
    const char* power_tooltip;
    const char* ident_tooltip;
};

constinit NavState nav1_state{};
constinit NavState nav2_state{};

constexpr FailureEntry radios_failed[] = {{failure_all_radios, 3, 0}, {0, 0, 0}};
constexpr FailureEntry nav1_failed[] = {{failure_all_radios, 3, 0}, {14, 0, 0}, {0, 0, 0}};
constexpr FailureEntry nav2_failed[] = {{failure_all_radios, 3, 0}, {15, 0, 0}, {0, 0, 0}};

// NAV frequencies run 108.00 to 117.95 MHz.
constexpr Receiver nav_tuning(uint32_t active, uint32_t preset, uint32_t first_step_event,
                              uint32_t swap_event, bool* power, TuningState* state) {
    return {.rule = FrequencyRule::Nav,
            .active_variable = active,
            .preset_variable = preset,
            .whole_up_event = first_step_event + 1,
            .whole_down_event = first_step_event,
            .fraction_up_event = first_step_event + 3,
            .fraction_down_event = first_step_event + 2,
            .swap_event = swap_event,
            .whole_up_below = 117,
            .whole_down_above = 108,
            .fraction_up_below = 11795,
            .fraction_down_from = 10805,
            .power = power,
            .state = state};
}

constexpr Receiver nav1_tuning =
    nav_tuning(24, 872, 0x10068, 0x10390, &nav1_on, &nav1_state.tuning);
constexpr Receiver nav2_tuning =
    nav_tuning(27, 873, 0x1006C, 0x10394, &nav2_on, &nav2_state.tuning);

// clang-format off
constexpr NavReceiver nav1{
    "Becker_NR3320_NAV1", nav1_tuning,
    &nav1_state, 0x1012D, 0x10128, nav1_failed, 0x3168,
    "NAV1 radio main switch", "NAV1 radio Ident switch"};
constexpr NavReceiver nav2{
    "Becker_NR3320_NAV2", nav2_tuning,
    &nav2_state, 0x1012E, 0x10129, nav2_failed, 0x3169,
    "NAV2 radio main switch", "NAV2 radio Ident switch"};
// clang-format on

// The callbacks of one receiver.
template <const NavReceiver& nav> struct NavCallbacks {
    static bool powered() { return *nav.tuning.power; }
    static bool ident() { return nav.state->ident; }

    static void GAUGE_CALL gauge_callback(GaugeHeader*, int32_t service, uintptr_t extra) {
        switch (service) {
        case SERVICE_INSTALL:
            // A fresh panel starts with the identifier silent.
            if (!(powered() && ident())) host::trigger_key_event(nav.ident_off_event, 0);
            nav.state->click.install(extra);
            break;
        case SERVICE_UPDATE: refresh_preset(nav.tuning); break;
        case SERVICE_KILL: nav.state->click.release(); break;
        default: break;
        }
    }

    static double GAUGE_CALL lit_faces(ElementRecord* element) {
        return shown_if(icon_source(element) > 0);
    }
    static double GAUGE_CALL transfer_light_value(ElementRecord* element) {
        return transfer_light(nav.tuning, icon_source(element));
    }
    static double GAUGE_CALL voice_face_unlit(ElementRecord*) { return shown_if(ident()); }
    static double GAUGE_CALL voice_face_lit(ElementRecord* element) {
        return shown_if(icon_source(element) > 0 && ident());
    }
    static double GAUGE_CALL on_face_unlit(ElementRecord* element) {
        return shown_if(icon_source(element) == 0 && powered());
    }
    static double GAUGE_CALL on_face_lit(ElementRecord* element) {
        return shown_if(icon_source(element) > 0 && powered());
    }
    static double GAUGE_CALL lamp(ElementRecord*) { return shown_if(powered()); }
    static double GAUGE_CALL window_cover(ElementRecord*) { return shown_if(!powered()); }

    // Switching off also silences the identifier and releases the VOICE button.
    static uint32_t GAUGE_CALL power_click(MousePoint*, uint32_t) {
        *nav.tuning.power = !powered();
        nav.state->click.play();
        if (!powered()) {
            nav.state->ident = false;
            host::trigger_key_event(nav.ident_off_event, 0);
        }
        return 0;
    }

    static uint32_t GAUGE_CALL ident_click(MousePoint*, uint32_t) {
        if (!powered()) return 0;
        host::trigger_key_event(ident() ? nav.ident_off_event : nav.ident_on_event, 0);
        nav.state->click.play();
        nav.state->ident = !ident();
        return 0;
    }
};

constexpr int top_y = 16; // the windows
constexpr int row_y = 77; // the push buttons
constexpr Box on_box{on_button_x, row_y, button_width, button_height};
constexpr Box voice_box{ident_button_x, row_y, button_width, button_height};
constexpr Box transfer_box{transfer_x, 20, button_width, button_height};

template <const NavReceiver& nav> constexpr IdentHead make_nav_head(IdentHead& self) {
    using C = NavCallbacks<nav>;
    using Clicks = TuningClicks<nav.tuning>;
    IdentHead g{};
    GaugeHeader* h = &self.header;
    g.header = gauge_header(nav.gauge_name, self.roots, 100, self.mouse_areas, C::gauge_callback);
    g.roots[0] = &self.face.record.common;
    g.face.record = static_image(bitmaps::face, {0, 0}, 0x3, h, self.face.children);
    g.face.children[0] = &self.backing.record.common;
    g.backing.record = icon(one_image(bitmaps::window, {57, top_y}, 0x4003, 0, radios_failed,
                                      nullptr, 0.0),
                            h, self.backing.children);
    g.backing.children[0] = &self.lit_faces.record.common;
    g.lit_faces.record = icon(one_image(bitmaps::buttons_lit, {on_button_x, 78}, 0x4003,
                                        panel_lighting, radios_failed, C::lit_faces),
                              h, self.lit_faces.children);
    g.lit_faces.children[0] = &self.transfer_light.record.common;
    g.transfer_light.record =
        icon(one_image(bitmaps::transfer_lit, {transfer_box.x, transfer_box.y}, 0x4003,
                       panel_lighting, radios_failed, C::transfer_light_value),
             h, self.transfer_light.children);
    g.transfer_light.children[0] = &self.preset_text.record.common;
    g.preset_text.record = string_element(frequency_window(preset_text_x, top_y,
                                                           nav.tuning.preset_variable,
                                                           nav.receiver_failed, frequency_text),
                                          h, self.preset_text.children);
    g.preset_text.children[0] = &self.active_text.record.common;
    g.active_text.record = string_element(frequency_window(active_text_x, top_y,
                                                           nav.tuning.active_variable,
                                                           nav.receiver_failed, frequency_text),
                                          h, self.active_text.children);
    g.active_text.children[0] = &self.ident_face_unlit.record.common;
    g.ident_face_unlit.record = icon(one_image(bitmaps::voice_pressed, {voice_box.x, row_y}, 0x3,
                                               0, nullptr, C::voice_face_unlit),
                                     h, self.ident_face_unlit.children);
    g.ident_face_unlit.children[0] = &self.ident_face_lit.record.common;
    g.ident_face_lit.record =
        icon(one_image(bitmaps::voice_pressed_lit, {voice_box.x, row_y}, 0x7, panel_lighting,
                       radios_failed, C::voice_face_lit),
             h, self.ident_face_lit.children);
    g.ident_face_lit.children[0] = &self.on_face_unlit.record.common;
    g.on_face_unlit.record = icon(one_image(bitmaps::on_pressed, {on_button_x, row_y}, 0x3,
                                            panel_lighting, nullptr, C::on_face_unlit),
                                  h, self.on_face_unlit.children);
    g.on_face_unlit.children[0] = &self.on_face_lit.record.common;
    g.on_face_lit.record = icon(one_image(bitmaps::on_pressed_lit, {on_button_x, row_y}, 0x7,
                                          panel_lighting, radios_failed, C::on_face_lit),
                                h, self.on_face_lit.children);
    g.on_face_lit.children[0] = &self.lamp.record.common;
    g.lamp.record = icon(one_image(bitmaps::lamp, {lamp_x, 52}, 0x7, 0, nav.receiver_failed,
                                   C::lamp),
                         h, self.lamp.children);
    g.lamp.children[0] = &self.window_cover.record.common;
    g.window_cover.record = icon(one_image(bitmaps::window, {57, top_y}, 0x3, 0, radios_failed,
                                           C::window_cover, 0.0),
                                 h, nullptr);

    MouseArea* a = g.mouse_areas;
    *a++ = area_begin();
    a = face_help_areas(a, nav.help_id, 76);
    a = tooltip_area(a, on_box, tooltip(nav.power_tooltip));
    a = tooltip_area(a, voice_box, tooltip(nav.ident_tooltip));
    a = knob_areas(
        a, {Clicks::whole_up_click, Clicks::whole_down_click, click_repeating, click_once},
        {Clicks::fraction_up_click, Clicks::fraction_down_click, click_repeating, click_once});
    *a++ = click_area(on_box, CURSOR_HAND, click_once, C::power_click);
    *a++ = click_area(voice_box, CURSOR_HAND, click_once, C::ident_click);
    *a++ = click_area(transfer_box, CURSOR_HAND, click_once, Clicks::transfer_click);
    *a++ = area_end();
    *a++ = list_end();
    return g;
}

} // namespace

constinit IdentHead nav1_gauge = make_nav_head<nav1>(nav1_gauge);
constinit IdentHead nav2_gauge = make_nav_head<nav2>(nav2_gauge);

} // namespace gauge
