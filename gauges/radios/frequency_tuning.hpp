// Tuning of the COM and NAV receivers. The host holds both frequencies of each
// receiver as four BCD digits of megahertz without the leading "1" (0x2350 is
// 123.50 MHz). The gauges never write a frequency: a knob click reads the preset,
// checks the receiver's limits and sends the host's step event; the transfer button
// sends the swap event.
//
// One set of functions serves every receiver; each receiver binds them to its own
// constants through the `TuningClicks` template below.
#pragma once

#include "gauge_abi.h"

#include <cstdint>

namespace gauge {

// How the tens-of-megahertz digit is read: COM frequencies run 118-136 MHz, NAV
// frequencies 108-117 MHz.
enum class FrequencyRule { Com, Nav };

double whole_mhz(FrequencyRule rule, uint32_t bcd);
double hundredths(FrequencyRule rule, uint32_t bcd);

// The same, refreshing the token variable first.
double com_whole_mhz(uint32_t variable);
double com_hundredths(uint32_t variable);
double nav_whole_mhz(uint32_t variable);
double nav_hundredths(uint32_t variable);

// The state a receiver keeps: the preset as last decoded, and how many more updates
// the transfer button shows lit.
struct TuningState {
    double whole = 0;
    double hundredths = 0;
    int32_t transfer_light = 0;
};

// A receiver's constants. The limits are in hundredths of a megahertz, tested on
// whole * 100 + hundredths (exact: both are whole numbers).
struct Receiver {
    FrequencyRule rule;
    uint32_t active_variable;
    uint32_t preset_variable;
    uint32_t whole_up_event;
    uint32_t whole_down_event;
    uint32_t fraction_up_event;
    uint32_t fraction_down_event;
    uint32_t swap_event;
    double whole_up_below;     // whole up is sent while whole < this
    double whole_down_above;   // whole down while whole > this
    double fraction_up_below;  // fraction up while the preset < this
    double fraction_down_from; // fraction down while the preset >= this
    bool* power;
    TuningState* state;
};

// Service 6: decodes the preset into the state.
void refresh_preset(const Receiver& receiver);

void whole_up(const Receiver& receiver);
void whole_down(const Receiver& receiver);
void fraction_up(const Receiver& receiver);
void fraction_down(const Receiver& receiver);
void transfer(const Receiver& receiver);

// Shows the lit transfer button: always while the panel is lit; otherwise for as many
// calls as the counter holds while the receiver is on.
double transfer_light(const Receiver& receiver, double lighting);

// The string callback of every COM and NAV frequency window: "1%02x.%02x" of the two
// BCD bytes of the element's source value.
double GAUGE_CALL frequency_text(ElementRecord* element);

// A mouse callback that carries out `action` on `receiver`.
template <const Receiver& receiver, void (*action)(const Receiver&)>
uint32_t GAUGE_CALL receiver_click(MousePoint*, uint32_t) {
    action(receiver);
    return 0;
}

// The mouse callbacks of one receiver.
template <const Receiver& receiver> struct TuningClicks {
    static constexpr MouseCallback whole_up_click = receiver_click<receiver, whole_up>;
    static constexpr MouseCallback whole_down_click = receiver_click<receiver, whole_down>;
    static constexpr MouseCallback fraction_up_click = receiver_click<receiver, fraction_up>;
    static constexpr MouseCallback fraction_down_click = receiver_click<receiver, fraction_down>;
    static constexpr MouseCallback transfer_click = receiver_click<receiver, transfer>;
};

} // namespace gauge
