// COM1 transceiver head: active and preset windows, transfer button, ON button,
// power lamp and the dual tuning knob. The frequencies live in the host; the knob
// and the transfer button send its step and swap events (frequency_tuning.hpp).
#include "radios/frequency_tuning.hpp"
#include "radios/radio_gauges.hpp"
#include "radios/radio_icons.hpp"
#include "radios/radio_layout.hpp"
#include "radios/radio_power.hpp"
#include "sound/click_sound_player.hpp"

namespace gauge {
namespace {

using namespace radio_layout;
namespace bitmaps = com_bitmaps;

constinit TuningState com_tuning{};
constinit sound::ClickSound com_click{sound::switch_click_wave};

constexpr Receiver com1{
    .rule = FrequencyRule::Com,
    .active_variable = 23,
    .preset_variable = 617,
    .whole_up_event = 0x10065,
    .whole_down_event = 0x10064,
    .fraction_up_event = 0x10067,
    .fraction_down_event = 0x10066,
    .swap_event = 0x10344,
    .whole_up_below = 136,
    .whole_down_above = 118,
    .fraction_up_below = 13697.5,
    .fraction_down_from = 11801, // above 118.00
    .power = &com_on,
    .state = &com_tuning,
};
using Clicks = TuningClicks<com1>;

void GAUGE_CALL com_gauge_callback(GaugeHeader*, int32_t service, uintptr_t extra) {
    switch (service) {
    case SERVICE_INSTALL: com_click.install(extra); break;
    case SERVICE_UPDATE: refresh_preset(com1); break;
    case SERVICE_KILL: com_click.release(); break;
    default: break;
    }
}

double GAUGE_CALL com_lit_faces(ElementRecord* element) {
    return shown_if(icon_source(element) > 0);
}
double GAUGE_CALL com_transfer_light(ElementRecord* element) {
    return transfer_light(com1, icon_source(element));
}
double GAUGE_CALL com_on_face_unlit(ElementRecord* element) {
    return shown_if(icon_source(element) == 0 && com_on);
}
double GAUGE_CALL com_on_face_lit(ElementRecord* element) {
    return shown_if(icon_source(element) > 0 && com_on);
}
double GAUGE_CALL com_lamp(ElementRecord*) { return shown_if(com_on); }
double GAUGE_CALL com_window_cover(ElementRecord*) { return shown_if(!com_on); }

uint32_t GAUGE_CALL com_power_click(MousePoint*, uint32_t) {
    com_click.play();
    com_on = !com_on;
    return 0;
}

constexpr FailureEntry radios_failed[] = {{failure_all_radios, 3, 0}, {0, 0, 0}};
constexpr FailureEntry com_failed[] = {{failure_all_radios, 3, 0}, {9, 0, 0}, {0, 0, 0}};

constexpr uint32_t com_help = 0x3160;
constexpr int top_y = 16;   // the windows
constexpr int row_y = 77;   // the push buttons
constexpr Point transfer_position{transfer_x, 19};

constexpr ComHead make_com_head(ComHead& self) {
    ComHead g{};
    GaugeHeader* h = &self.header;
    g.header = gauge_header("Becker_AR3202_COM1", self.roots, 100, self.mouse_areas,
                            com_gauge_callback);
    g.roots[0] = &self.face.record.common;
    g.face.record = static_image(bitmaps::face, {0, 0}, 0x3, h, self.face.children);
    g.face.children[0] = &self.backing.record.common;
    g.backing.record = icon(one_image(bitmaps::window, {57, top_y}, 0x4003, 0, radios_failed,
                                      nullptr, 0.0),
                            h, self.backing.children);
    g.backing.children[0] = &self.lit_faces.record.common;
    g.lit_faces.record = icon(one_image(bitmaps::buttons_lit, {on_button_x, row_y}, 0x4003,
                                        panel_lighting, radios_failed, com_lit_faces),
                              h, self.lit_faces.children);
    g.lit_faces.children[0] = &self.transfer_light.record.common;
    g.transfer_light.record = icon(one_image(bitmaps::transfer_lit, transfer_position, 0x4003,
                                             panel_lighting, radios_failed, com_transfer_light),
                                   h, self.transfer_light.children);
    g.transfer_light.children[0] = &self.preset_text.record.common;
    g.preset_text.record = string_element(
        frequency_window(preset_text_x, top_y, com1.preset_variable, com_failed, frequency_text),
        h, self.preset_text.children);
    g.preset_text.children[0] = &self.active_text.record.common;
    g.active_text.record = string_element(
        frequency_window(active_text_x, top_y, com1.active_variable, com_failed, frequency_text),
        h, self.active_text.children);
    g.active_text.children[0] = &self.on_face_unlit.record.common;
    g.on_face_unlit.record = icon(one_image(bitmaps::on_pressed, {on_button_x, row_y}, 0x3,
                                            panel_lighting, nullptr, com_on_face_unlit),
                                  h, self.on_face_unlit.children);
    g.on_face_unlit.children[0] = &self.on_face_lit.record.common;
    g.on_face_lit.record = icon(one_image(bitmaps::on_pressed_lit, {on_button_x, row_y}, 0x7,
                                          panel_lighting, radios_failed, com_on_face_lit),
                                h, self.on_face_lit.children);
    g.on_face_lit.children[0] = &self.lamp.record.common;
    g.lamp.record = icon(one_image(bitmaps::lamp, {lamp_x, 51}, 0x7, 0, com_failed, com_lamp),
                         h, self.lamp.children);
    g.lamp.children[0] = &self.window_cover.record.common;
    g.window_cover.record = icon(one_image(bitmaps::window, {57, top_y}, 0x3, 0, radios_failed,
                                           com_window_cover, 0.0),
                                 h, nullptr);

    MouseArea* a = g.mouse_areas;
    *a++ = area_begin();
    a = face_help_areas(a, com_help, 75);
    a = tooltip_area(a, {on_button_x, row_y, button_width, button_height},
                     tooltip("COM1 radio main switch"));
    a = knob_areas(
        a, {Clicks::whole_up_click, Clicks::whole_down_click, click_repeating, click_once},
        {Clicks::fraction_up_click, Clicks::fraction_down_click, click_repeating, click_once});
    *a++ = click_area({on_button_x, row_y, button_width, button_height}, CURSOR_HAND,
                      click_once, com_power_click);
    *a++ = click_area({transfer_position.x, transfer_position.y, button_width, button_height},
                      CURSOR_HAND, click_once, Clicks::transfer_click);
    *a++ = area_end();
    *a++ = list_end();
    return g;
}

} // namespace

constinit ComHead com1_gauge = make_com_head(com1_gauge);

} // namespace gauge
