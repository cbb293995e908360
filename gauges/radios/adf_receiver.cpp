// ADF receiver head. Unlike the COM and NAV heads it keeps the preset frequency
// itself: the knob changes the preset held here, and the transfer button sends it to
// the host as the new active frequency and takes the old active one back as preset.
// The ADF button switches the station identifier's audio, mirrored to the host.
#include "host_services.hpp"
#include "radios/adf_tuning.hpp"
#include "radios/radio_gauges.hpp"
#include "radios/radio_icons.hpp"
#include "radios/radio_layout.hpp"
#include "radios/radio_power.hpp"
#include "sound/click_sound_player.hpp"

#include <cstdio>

namespace gauge {
namespace {

using namespace radio_layout;
namespace bitmaps = adf_bitmaps;

constexpr uint32_t active_digits_variable = 16;
constexpr uint32_t active_tenths_variable = 18;
constexpr uint32_t ident_on_event = 0x10131;
constexpr uint32_t ident_off_event = 0x1012C;

bool adf_ident = false;
int32_t adf_preset = adf::lowest_preset; // tenths of a kilohertz
uint32_t adf_active_khz_field = 0;
uint32_t adf_active_tenths_field = 0;
int32_t adf_transfer_counter = 0;
constinit sound::ClickSound adf_click{sound::switch_click_wave};

uint32_t current_value(uint32_t variable) {
    TokenVariable token{};
    token.id = variable;
    host::lookup_var(token);
    return token.value.integer;
}

uint32_t adf_active_khz() {
    uint32_t digits = current_value(active_digits_variable);
    return adf::active_khz(digits, current_value(active_tenths_variable));
}

uint32_t adf_active_tenths() { return adf::active_tenths(current_value(active_tenths_variable)); }

// The active frequency in tenths of a kilohertz, refreshing the active fields.
int64_t refresh_active() {
    adf_active_khz_field = adf_active_khz();
    adf_active_tenths_field = adf_active_tenths();
    return int64_t(adf_active_khz_field) * 10 + adf_active_tenths_field;
}

// "0344.5" below 1000 kHz, "1234.5" from there.
void write_frequency(ElementRecord* element, int64_t tenths) {
    auto* string = reinterpret_cast<StringRecord*>(element);
    if (!string->text) return;
    double khz = double(tenths) / 10;
    std::snprintf(string->text, size_t(string->char_count) + 1, khz < 1000 ? "0%4.1f" : "%4.1f",
                  khz);
}

void GAUGE_CALL adf_gauge_callback(GaugeHeader*, int32_t service, uintptr_t extra) {
    switch (service) {
    case SERVICE_INSTALL: adf_click.install(extra); break;
    case SERVICE_UPDATE: refresh_active(); break;
    case SERVICE_KILL: adf_click.release(); break;
    default: break;
    }
}

double GAUGE_CALL adf_active_text(ElementRecord* element) {
    if (element) write_frequency(element, refresh_active());
    return 0;
}

double GAUGE_CALL adf_preset_text(ElementRecord* element) {
    if (element) write_frequency(element, adf_preset);
    return 0;
}

double GAUGE_CALL adf_lit_faces(ElementRecord* element) {
    return shown_if(icon_source(element) > 0);
}
double GAUGE_CALL adf_transfer_light(ElementRecord* element) {
    if (icon_source(element) > 0) return 0;
    if (adf_on && adf_transfer_counter > 0) {
        --adf_transfer_counter;
        return 0;
    }
    return ICON_HIDDEN;
}
double GAUGE_CALL adf_ident_face_unlit(ElementRecord*) { return shown_if(adf_ident); }
double GAUGE_CALL adf_ident_face_lit(ElementRecord* element) {
    return shown_if(icon_source(element) > 0 && adf_ident);
}
double GAUGE_CALL adf_on_face_unlit(ElementRecord* element) {
    return shown_if(icon_source(element) == 0 && adf_on);
}
double GAUGE_CALL adf_on_face_lit(ElementRecord* element) {
    return shown_if(icon_source(element) > 0 && adf_on);
}
double GAUGE_CALL adf_lamp(ElementRecord*) { return shown_if(adf_on); }
double GAUGE_CALL adf_window_cover(ElementRecord*) { return shown_if(!adf_on); }

bool left_click(uint32_t flags) { return flags & MOUSE_LEFT_BUTTON; }
bool right_click(uint32_t flags) { return flags & MOUSE_RIGHT_BUTTON; }

uint32_t GAUGE_CALL adf_khz_up_click(MousePoint*, uint32_t flags) {
    if (adf_on) adf_preset = adf::khz_up(adf_preset, left_click(flags), right_click(flags));
    return 0;
}
uint32_t GAUGE_CALL adf_khz_down_click(MousePoint*, uint32_t flags) {
    if (adf_on) adf_preset = adf::khz_down(adf_preset, left_click(flags), right_click(flags));
    return 0;
}
uint32_t GAUGE_CALL adf_tenths_up_click(MousePoint*, uint32_t) {
    if (adf_on) adf_preset = adf::tenths_up(adf_preset);
    return 0;
}
uint32_t GAUGE_CALL adf_tenths_down_click(MousePoint*, uint32_t) {
    if (adf_on) adf_preset = adf::tenths_down(adf_preset);
    return 0;
}

uint32_t GAUGE_CALL adf_transfer_click(MousePoint*, uint32_t) {
    int64_t old_active = refresh_active();
    if (!adf_on) return 0;
    adf::ActiveSetting setting = adf::setting_for(adf_preset);
    host::trigger_key_event(setting.event, setting.value);
    // The host's digits give at most 1999 kHz and 255 tenths: the preset holds them.
    adf_preset = int32_t(old_active);
    adf_transfer_counter = 15;
    return 0;
}

uint32_t GAUGE_CALL adf_power_click(MousePoint*, uint32_t) {
    adf_on = !adf_on;
    adf_click.play();
    if (!adf_on) {
        adf_ident = false;
        host::trigger_key_event(ident_off_event, 0);
    }
    return 0;
}

uint32_t GAUGE_CALL adf_ident_click(MousePoint*, uint32_t) {
    if (!adf_on) return 0;
    host::trigger_key_event(adf_ident ? ident_off_event : ident_on_event, 0);
    adf_click.play();
    adf_ident = !adf_ident;
    return 0;
}

constexpr FailureEntry radios_failed[] = {{failure_all_radios, 3, 0}, {0, 0, 0}};
constexpr FailureEntry adf_texts_failed[] = {
    {20, 3, 0}, {failure_all_radios, 3, 0}, {5, 0, 0}, {0, 0, 0}};

constexpr uint32_t adf_help = 0x3170;
constexpr int top_y = 15; // the windows
constexpr int row_y = 77; // the push buttons
constexpr Box on_box{on_button_x, row_y, button_width, button_height};
constexpr Box ident_box{adf_ident_button_x, row_y, button_width, button_height};
constexpr Box transfer_box{transfer_x, 20, button_width, button_height};
constexpr uint32_t both_buttons_repeating = MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON | MOUSE_REPEAT;

constexpr IdentHead make_adf_head(IdentHead& self) {
    IdentHead g{};
    GaugeHeader* h = &self.header;
    g.header = gauge_header("Becker_AD3502_ADF", self.roots, 100, self.mouse_areas,
                            adf_gauge_callback);
    g.roots[0] = &self.face.record.common;
    g.face.record = static_image(bitmaps::face, {0, 0}, 0x3, h, self.face.children);
    g.face.children[0] = &self.backing.record.common;
    g.backing.record = icon(one_image(bitmaps::window, {57, top_y}, 0x4003, 0, radios_failed,
                                      nullptr, 0.0),
                            h, self.backing.children);
    g.backing.children[0] = &self.lit_faces.record.common;
    g.lit_faces.record = icon(one_image(bitmaps::buttons_lit, {on_button_x, 78}, 0x4003,
                                        panel_lighting, radios_failed, adf_lit_faces),
                              h, self.lit_faces.children);
    g.lit_faces.children[0] = &self.transfer_light.record.common;
    g.transfer_light.record =
        icon(one_image(bitmaps::transfer_lit, {transfer_box.x, transfer_box.y}, 0x4003,
                       panel_lighting, radios_failed, adf_transfer_light),
             h, self.transfer_light.children);
    g.transfer_light.children[0] = &self.preset_text.record.common;
    g.preset_text.record = string_element(frequency_window(preset_text_x, top_y,
                                                           active_digits_variable,
                                                           adf_texts_failed, adf_preset_text),
                                          h, self.preset_text.children);
    g.preset_text.children[0] = &self.active_text.record.common;
    g.active_text.record = string_element(frequency_window(active_text_x, top_y,
                                                           active_digits_variable,
                                                           adf_texts_failed, adf_active_text),
                                          h, self.active_text.children);
    g.active_text.children[0] = &self.ident_face_unlit.record.common;
    g.ident_face_unlit.record = icon(one_image(bitmaps::ident_pressed, {ident_box.x, row_y}, 0x3,
                                               0, nullptr, adf_ident_face_unlit),
                                     h, self.ident_face_unlit.children);
    g.ident_face_unlit.children[0] = &self.ident_face_lit.record.common;
    g.ident_face_lit.record =
        icon(one_image(bitmaps::ident_pressed_lit, {ident_box.x, row_y}, 0x7, panel_lighting,
                       radios_failed, adf_ident_face_lit),
             h, self.ident_face_lit.children);
    g.ident_face_lit.children[0] = &self.on_face_unlit.record.common;
    g.on_face_unlit.record = icon(one_image(bitmaps::on_pressed, {on_button_x, row_y}, 0x3,
                                            panel_lighting, nullptr, adf_on_face_unlit),
                                  h, self.on_face_unlit.children);
    g.on_face_unlit.children[0] = &self.on_face_lit.record.common;
    g.on_face_lit.record = icon(one_image(bitmaps::on_pressed_lit, {on_button_x, row_y}, 0x7,
                                          panel_lighting, radios_failed, adf_on_face_lit),
                                h, self.on_face_lit.children);
    g.on_face_lit.children[0] = &self.lamp.record.common;
    g.lamp.record = icon(one_image(bitmaps::lamp, {lamp_x, 50}, 0x7, 0, radios_failed, adf_lamp),
                         h, self.lamp.children);
    g.lamp.children[0] = &self.window_cover.record.common;
    g.window_cover.record = icon(one_image(bitmaps::window, {57, top_y}, 0x3, 0, radios_failed,
                                           adf_window_cover, 0.0),
                                 h, nullptr);

    MouseArea* a = g.mouse_areas;
    *a++ = area_begin();
    a = face_help_areas(a, adf_help, 76);
    a = tooltip_area(a, on_box, tooltip("ADF1 radio main switch"));
    a = tooltip_area(a, ident_box, tooltip("ADF1 radio Ident switch"));
    a = knob_areas(
        a, {adf_khz_up_click, adf_khz_down_click, both_buttons_repeating, both_buttons_repeating},
        {adf_tenths_up_click, adf_tenths_down_click, click_repeating, click_repeating});
    *a++ = click_area(on_box, CURSOR_HAND, click_once, adf_power_click);
    *a++ = click_area(ident_box, CURSOR_HAND, click_once, adf_ident_click);
    *a++ = click_area(transfer_box, CURSOR_HAND, click_once, adf_transfer_click);
    *a++ = area_end();
    *a++ = list_end();
    return g;
}

} // namespace

constinit IdentHead adf_gauge = make_adf_head(adf_gauge);

} // namespace gauge
