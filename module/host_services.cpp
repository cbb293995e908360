#include "host_services.hpp"

namespace host {

const PanelServiceTable* services() {
    const ImportEntry& entry = ImportTable[0];
    if (entry.service_id != GAUGE_IMPORT_PANEL_SERVICES) return nullptr;
    return static_cast<const PanelServiceTable*>(entry.table);
}

void toggle_window(uint32_t window) {
    const PanelServiceTable* table = services();
    if (table && table->toggle_window) table->toggle_window(window);
}

void trigger_key_event(uint32_t event, uint32_t value) {
    const PanelServiceTable* table = services();
    if (table && table->trigger_key_event) table->trigger_key_event(event, value);
}

void lookup_var(TokenVariable& variable) {
    const PanelServiceTable* table = services();
    if (table && table->lookup_var) table->lookup_var(&variable);
}

bool execute_calculator_code(const char* code, double* number_out, int32_t* integer_out,
                             const char** text_out) {
    const PanelServiceTable* table = services();
    if (!table || !table->execute_calculator_code) return false;
    table->execute_calculator_code(code, number_out, integer_out, text_out);
    return true;
}

} // namespace host
