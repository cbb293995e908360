#include "radios/frequency_tuning.hpp"

#include "host_services.hpp"

#include <cstdio>

namespace gauge {
namespace {

// The value of the tens-of-megahertz digit subtracted before reading the rest. A COM
// value below 0x1000 (108.00-109.97, never a COM frequency) is read as a NAV value
// rather than letting the subtraction wrap round.
uint32_t base(FrequencyRule rule, uint32_t bcd) {
    if (rule == FrequencyRule::Com && bcd >= 0x3000) return 0x3000;
    if (rule == FrequencyRule::Com && bcd >= 0x2000) return 0x2000;
    if (bcd >= 0x1000) return 0x1000;
    return 0;
}

uint32_t current_value(uint32_t variable) {
    TokenVariable token{};
    token.id = variable;
    host::lookup_var(token);
    return token.value.integer;
}

double preset_in_hundredths(const TuningState& state) {
    return state.whole * 100 + state.hundredths;
}

void send_if_on(const Receiver& receiver, bool allowed, uint32_t event) {
    if (*receiver.power && allowed) host::trigger_key_event(event, 0);
}

} // namespace

double whole_mhz(FrequencyRule rule, uint32_t bcd) {
    uint32_t b = base(rule, bcd);
    return 100 + (b >> 12) * 10 + ((bcd - b) >> 8);
}

double hundredths(FrequencyRule rule, uint32_t bcd) {
    uint32_t f = (bcd - base(rule, bcd)) % 256;
    if (f >= 16) f = f % 16 + 10 * (f / 16);
    return f;
}

double com_whole_mhz(uint32_t variable) {
    return whole_mhz(FrequencyRule::Com, current_value(variable));
}
double com_hundredths(uint32_t variable) {
    return hundredths(FrequencyRule::Com, current_value(variable));
}
double nav_whole_mhz(uint32_t variable) {
    return whole_mhz(FrequencyRule::Nav, current_value(variable));
}
double nav_hundredths(uint32_t variable) {
    return hundredths(FrequencyRule::Nav, current_value(variable));
}

namespace {

void refresh_whole(const Receiver& receiver) {
    receiver.state->whole = whole_mhz(receiver.rule, current_value(receiver.preset_variable));
}

void refresh_hundredths(const Receiver& receiver) {
    receiver.state->hundredths = hundredths(receiver.rule, current_value(receiver.preset_variable));
}

} // namespace

void refresh_preset(const Receiver& receiver) {
    refresh_whole(receiver);
    refresh_hundredths(receiver);
}

void whole_up(const Receiver& receiver) {
    refresh_whole(receiver);
    send_if_on(receiver, receiver.state->whole < receiver.whole_up_below, receiver.whole_up_event);
}

void whole_down(const Receiver& receiver) {
    refresh_whole(receiver);
    send_if_on(receiver, receiver.state->whole > receiver.whole_down_above,
               receiver.whole_down_event);
}

void fraction_up(const Receiver& receiver) {
    refresh_hundredths(receiver);
    send_if_on(receiver, preset_in_hundredths(*receiver.state) < receiver.fraction_up_below,
               receiver.fraction_up_event);
}

void fraction_down(const Receiver& receiver) {
    refresh_hundredths(receiver);
    send_if_on(receiver, preset_in_hundredths(*receiver.state) >= receiver.fraction_down_from,
               receiver.fraction_down_event);
}

void transfer(const Receiver& receiver) {
    if (!*receiver.power) return;
    host::trigger_key_event(receiver.swap_event, 0);
    receiver.state->transfer_light = 15;
}

double transfer_light(const Receiver& receiver, double lighting) {
    if (lighting > 0) return 0;
    if (*receiver.power && receiver.state->transfer_light > 0) {
        --receiver.state->transfer_light;
        return 0;
    }
    return ICON_HIDDEN;
}

double GAUGE_CALL frequency_text(ElementRecord* element) {
    if (!element) return 0;
    auto* string = reinterpret_cast<StringRecord*>(element);
    uint32_t v = string->sources[0].value.integer;
    if (string->text)
        std::snprintf(string->text, size_t(string->char_count) + 1, "1%02x.%02x", unsigned(v >> 8),
                      unsigned(v % 256));
    return v;
}

} // namespace gauge
