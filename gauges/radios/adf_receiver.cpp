// ADF receiver head. Unlike the COM and NAV heads it keeps the preset frequency
// itself: the knob changes the preset held here, and the transfer button sends it to
// the host as the new active frequency and takes the old active one back as preset.
// The ADF button switches the station identifier's audio, mirrored to the host.
#include "host_services.hpp"
#include "radios/adf_tuning.hpp"
#include "radios/radio_heads.hpp"
#include "radios/radio_icons.hpp"
#include "radios/radio_power.hpp"
#include "simulator_numbers.h"
#include "sound/click_sound_player.hpp"

#include <cstdio>

namespace gauge {
namespace {

using radio_layout::shown_if;

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
    uint32_t digits = current_value(VAR_ADF_FREQUENCY);
    return adf::active_khz(digits, current_value(VAR_ADF_FREQUENCY_TENTHS));
}

uint32_t adf_active_tenths() { return adf::active_tenths(current_value(VAR_ADF_FREQUENCY_TENTHS)); }

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
        host::trigger_key_event(KEY_ADF_IDENT_OFF, 0);
    }
    return 0;
}

uint32_t GAUGE_CALL adf_ident_click(MousePoint*, uint32_t) {
    if (!adf_on) return 0;
    host::trigger_key_event(adf_ident ? KEY_ADF_IDENT_OFF : KEY_ADF_IDENT_ON, 0);
    adf_click.play();
    adf_ident = !adf_ident;
    return 0;
}

constexpr HeadCallbacks adf_callbacks{
    .gauge = adf_gauge_callback,
    .power_icons = PowerIcons<adf_on>::callbacks,
    .transfer_light = adf_transfer_light,
    .preset_text = adf_preset_text,
    .active_text = adf_active_text,
    .ident_face_unlit = adf_ident_face_unlit,
    .ident_face_lit = adf_ident_face_lit,
    .whole = {adf_khz_up_click, adf_khz_down_click},
    .fraction = {adf_tenths_up_click, adf_tenths_down_click},
    .power_click = adf_power_click,
    .ident_click = adf_ident_click,
    .transfer_click = adf_transfer_click,
};

} // namespace

constinit IdentHead adf_gauge = radio_head(adf_gauge, radio_heads::adf, adf_callbacks);

} // namespace gauge
