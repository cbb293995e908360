// COM1 transceiver head: active and preset windows, transfer button, ON button,
// power lamp and the dual tuning knob. The frequencies live in the host; the knob
// and the transfer button send its step and swap events (frequency_tuning.hpp).
#include "radios/frequency_tuning.hpp"
#include "radios/radio_heads.hpp"
#include "radios/radio_icons.hpp"
#include "radios/radio_power.hpp"
#include "simulator_numbers.h"
#include "sound/click_sound_player.hpp"

namespace gauge {
namespace {

using radio_layout::shown_if;

constinit TuningState com_tuning{};
constinit sound::ClickSound com_click{sound::switch_click_wave};

constexpr Receiver com1{
    .rule = FrequencyRule::Com,
    .active_variable = radio_heads::com1.active_source,
    .preset_variable = radio_heads::com1.preset_source,
    .whole_up_event = KEY_COM_WHOLE_INC,
    .whole_down_event = KEY_COM_WHOLE_DEC,
    .fraction_up_event = KEY_COM_FRACTION_INC,
    .fraction_down_event = KEY_COM_FRACTION_DEC,
    .swap_event = KEY_COM_STANDBY_SWAP,
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

double GAUGE_CALL com_transfer_light(ElementRecord* element) {
    return transfer_light(com1, icon_source(element));
}

uint32_t GAUGE_CALL com_power_click(MousePoint*, uint32_t) {
    com_click.play();
    com_on = !com_on;
    return 0;
}

constexpr HeadCallbacks com_callbacks{
    .gauge = com_gauge_callback,
    .power_icons = PowerIcons<com_on>::callbacks,
    .transfer_light = com_transfer_light,
    .preset_text = frequency_text,
    .active_text = frequency_text,
    .whole = {Clicks::whole_up_click, Clicks::whole_down_click},
    .fraction = {Clicks::fraction_up_click, Clicks::fraction_down_click},
    .power_click = com_power_click,
    .transfer_click = Clicks::transfer_click,
};

} // namespace

constinit ComHead com1_gauge = radio_head(com1_gauge, radio_heads::com1, com_callbacks);

} // namespace gauge
