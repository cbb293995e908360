// The Harrow_ASI gauge, written to the host's older interface: its records, and the
// seven routines its header names, which hand the records to the host's
// element-list and mouse-list services.
#pragma once

#include "gauge_abi.h"

extern "C" ImportEntry ImportTable[2];

namespace harrow {

// Every record of the gauge, in one object so that they can point at each other.
struct HarrowGauge {
    GaugeHeaderOld header;
    ElementRecord* roots[2];
    StaticImageRecordOld background;
    ElementRecord* background_children[2];
    NeedleRecordOld needle;
    MouseArea mouse_list[3];
};

extern HarrowGauge harrow_gauge;

// The routines of the header, in the order of the gauge's life.
void GAUGE_CALL query_routine();
void GAUGE_CALL install_routine(uintptr_t word);
void GAUGE_CALL initialize_routine();
void GAUGE_CALL update_routine();
void GAUGE_CALL generate_routine(uintptr_t word);
void GAUGE_CALL draw_routine();
void GAUGE_CALL kill_routine();

// The needle's value callback: the airspeed from its source variable, held at 300 knots.
double GAUGE_CALL harrow_speed_clamp(TokenVariable* source);

} // namespace harrow
