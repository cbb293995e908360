#include "panel_services.hpp"

#include "older_gauge.hpp"
#include "older_list_services.hpp"

namespace panelhost {
namespace {

Simulation* active_simulation = nullptr;
OlderGauge* driven_older_gauge = nullptr;

int32_t GAUGE_CALL toggle_window_service(uint32_t window) {
    if (active_simulation) active_simulation->toggle_window(window);
    return 1;
}

int32_t GAUGE_CALL trigger_key_event_service(uint32_t event, uint32_t value) {
    if (active_simulation) active_simulation->trigger_key_event(event, value);
    return 1;
}

void GAUGE_CALL lookup_var_service(TokenVariable* variable) {
    if (active_simulation && variable) active_simulation->lookup(*variable);
}

int32_t GAUGE_CALL execute_calculator_code_service(const char* code, double* number_out,
                                                   int32_t* integer_out, const char** text_out) {
    static const char empty[] = "";
    if (!active_simulation) {
        if (number_out) *number_out = 0.0;
        if (integer_out) *integer_out = 0;
        if (text_out) *text_out = empty;
        return 0;
    }
    active_simulation->evaluate(code, number_out, integer_out, text_out);
    return 1;
}

void GAUGE_CALL unused_service() {}

// The older interface's element-list and mouse-list services, passed on to the
// gauge whose routine called them; outside a routine they do nothing.
void serve_older(uint32_t slot, void* list, GaugeHeaderOld* gauge, uintptr_t word) {
    if (driven_older_gauge)
        driven_older_gauge->serve({OlderCall::service, slot, list, gauge, word});
}

PanelServiceTable make_table() {
    PanelServiceTable table{};
    for (UnusedService& slot : table.unused_0_23)
        slot = unused_service;
    table.unused_30 = unused_service;
    for (UnusedService& slot : table.unused_37_39)
        slot = unused_service;
    for (UnusedService& slot : table.unused_41_68)
        slot = unused_service;
    for (UnusedService& slot : table.unused_70_71)
        slot = unused_service;
    set_older_list_services<serve_older>(table);
    table.toggle_window = toggle_window_service;
    table.trigger_key_event = trigger_key_event_service;
    table.lookup_var = lookup_var_service;
    table.execute_calculator_code = execute_calculator_code_service;
    return table;
}

} // namespace

PanelServiceTable* panel_service_table() {
    static PanelServiceTable table = make_table();
    return &table;
}

ServiceScope::ServiceScope(Simulation& simulation) : NestedCurrent(active_simulation, simulation) {}

OlderGaugeScope::OlderGaugeScope(OlderGauge& gauge) : NestedCurrent(driven_older_gauge, gauge) {}

} // namespace panelhost
