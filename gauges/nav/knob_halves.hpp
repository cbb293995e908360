// The click of one half of a course or heading knob (HSI, VOR indicator): reads the
// value the half starts from, steps it (nav::knob_step) and sends it to the host.
#pragma once

#include "gauge_tables.hpp"
#include "host_services.hpp"
#include "nav/nav_logic.hpp"

namespace gauge {

// A knob half turns by either button, and on while it is held.
constexpr uint32_t knob_half_buttons = MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON | MOUSE_REPEAT;

template <uint32_t StartsFrom, uint32_t SetEvent, nav::KnobTurn Turn>
uint32_t GAUGE_CALL knob_half(MousePoint*, uint32_t mouse_flags) {
    TokenVariable value = variable(StartsFrom);
    host::lookup_var(value);
    if (auto next = nav::knob_step(value.value.number, mouse_flags, Turn))
        host::trigger_key_event(SetEvent, *next);
    return 0;
}

} // namespace gauge
