// The module's way to the host: the four panel services the gauges call, reached
// through the service table whose address the host writes into `ImportTable`.
// Until the host has filled it (or if it left a slot empty) every call does nothing,
// so a gauge never calls through a null pointer.
#pragma once

#include "gauge_abi.h"

#include <cstdint>

extern "C" ImportEntry ImportTable[2];

namespace host {

// The table the host installed, or null.
const PanelServiceTable* services();

// Shows panel window `window` if it is hidden, hides it if it is shown.
void toggle_window(uint32_t window);

// Asks the host to perform key event `event` with `value` at once.
void trigger_key_event(uint32_t event, uint32_t value);

// Fills `variable.value` with the current value of variable `variable.id`.
void lookup_var(TokenVariable& variable);

// Evaluates `code`; any out may be null. Returns false when the host offers no evaluator.
bool execute_calculator_code(const char* code, double* number_out, int32_t* integer_out,
                             const char** text_out);

} // namespace host
