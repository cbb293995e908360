// NAV1 and NAV2 receiver heads: one design built twice, each bound to its own
// receiver's state, token variables and key events. Besides the COM head's parts
// they have a VOICE button that switches the station identifier's audio, mirrored to
// the host by ident on and off events.
#include "host_services.hpp"
#include "radios/frequency_tuning.hpp"
#include "radios/radio_heads.hpp"
#include "radios/radio_icons.hpp"
#include "radios/radio_power.hpp"
#include "simulator_numbers.h"
#include "sound/click_sound_player.hpp"

namespace gauge {
namespace {

using radio_layout::shown_if;

struct NavState {
    bool ident = false;
    TuningState tuning{};
    sound::ClickSound click{sound::switch_click_wave};
};

// What binds the callbacks to one receiver (its records are in radio_heads.hpp).
struct NavReceiver {
    const Receiver& tuning; // a receiver of its own, so that it can bind the knob clicks
    NavState* state;
    uint32_t ident_on_event;
    uint32_t ident_off_event;
};

constinit NavState nav1_state{};
constinit NavState nav2_state{};

// NAV frequencies run 108.00 to 117.95 MHz. `events` are the receiver's whole up,
// whole down, fraction up, fraction down and swap events.
constexpr Receiver nav_tuning(const HeadRow& head, const uint32_t (&events)[5], bool* power,
                              TuningState* state) {
    return {.rule = FrequencyRule::Nav,
            .active_variable = head.active_source,
            .preset_variable = head.preset_source,
            .whole_up_event = events[0],
            .whole_down_event = events[1],
            .fraction_up_event = events[2],
            .fraction_down_event = events[3],
            .swap_event = events[4],
            .whole_up_below = 117,
            .whole_down_above = 108,
            .fraction_up_below = 11795,
            .fraction_down_from = 10805,
            .power = power,
            .state = state};
}

constexpr Receiver nav1_tuning =
    nav_tuning(radio_heads::nav1,
               {KEY_NAV1_WHOLE_INC, KEY_NAV1_WHOLE_DEC, KEY_NAV1_FRACTION_INC,
                KEY_NAV1_FRACTION_DEC, KEY_NAV1_STANDBY_SWAP},
               &nav1_on, &nav1_state.tuning);
constexpr Receiver nav2_tuning =
    nav_tuning(radio_heads::nav2,
               {KEY_NAV2_WHOLE_INC, KEY_NAV2_WHOLE_DEC, KEY_NAV2_FRACTION_INC,
                KEY_NAV2_FRACTION_DEC, KEY_NAV2_STANDBY_SWAP},
               &nav2_on, &nav2_state.tuning);

constexpr NavReceiver nav1{nav1_tuning, &nav1_state, KEY_NAV1_IDENT_ON, KEY_NAV1_IDENT_OFF};
constexpr NavReceiver nav2{nav2_tuning, &nav2_state, KEY_NAV2_IDENT_ON, KEY_NAV2_IDENT_OFF};

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

    static double GAUGE_CALL transfer_light_value(ElementRecord* element) {
        return transfer_light(nav.tuning, icon_source(element));
    }
    static double GAUGE_CALL voice_face_unlit(ElementRecord*) { return shown_if(ident()); }
    static double GAUGE_CALL voice_face_lit(ElementRecord* element) {
        return shown_if(icon_source(element) > 0 && ident());
    }

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

// The callbacks of one receiver's head.
template <const NavReceiver& nav> constexpr HeadCallbacks nav_callbacks() {
    using C = NavCallbacks<nav>;
    using Clicks = TuningClicks<nav.tuning>;
    return {
        .gauge = C::gauge_callback,
        .power_icons = PowerIcons<*nav.tuning.power>::callbacks,
        .transfer_light = C::transfer_light_value,
        .preset_text = frequency_text,
        .active_text = frequency_text,
        .ident_face_unlit = C::voice_face_unlit,
        .ident_face_lit = C::voice_face_lit,
        .whole = {Clicks::whole_up_click, Clicks::whole_down_click},
        .fraction = {Clicks::fraction_up_click, Clicks::fraction_down_click},
        .power_click = C::power_click,
        .ident_click = C::ident_click,
        .transfer_click = Clicks::transfer_click,
    };
}

} // namespace

constinit IdentHead nav1_gauge = radio_head(nav1_gauge, radio_heads::nav1, nav_callbacks<nav1>());
constinit IdentHead nav2_gauge = radio_head(nav2_gauge, radio_heads::nav2, nav_callbacks<nav2>());

} // namespace gauge
