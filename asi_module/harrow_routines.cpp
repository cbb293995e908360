// The gauge's routines. Each passes the gauge's own records to the host's services
// of the older interface, reached through the table the host left in ImportTable;
// until the host has filled it, or where it left a slot empty, nothing is called.
#include "harrow_gauge.hpp"
#include "harrow_table.hpp"

namespace harrow {
namespace {

const PanelServiceTable* services() {
    const ImportEntry& entry = ImportTable[0];
    if (entry.service_id != GAUGE_IMPORT_PANEL_SERVICES) return nullptr;
    return static_cast<const PanelServiceTable*>(entry.table);
}

// Calls the service in `slot` of the host's table, when there is one.
template <class Service, class... Args> void call(Service PanelServiceTable::*slot, Args... args) {
    const PanelServiceTable* table = services();
    if (table && table->*slot) (table->*slot)(args...);
}

// The first entry of the root element list.
ElementRecord* background() {
    ElementRecord** roots = harrow_gauge.header.element_list;
    return roots ? roots[0] : nullptr;
}

// The address in word 15 of the background plus 4 bytes, or none while the host has
// left word 15 empty.
void* host_record_plus_4(ElementRecord* element) {
    if (!element) return nullptr;
    void* record = reinterpret_cast<StaticImageRecordOld*>(element)->host_record;
    if (!record) return nullptr;
    return static_cast<unsigned char*>(record) + 4;
}

MouseArea* mouse_list() { return harrow_gauge.mouse_list; }
GaugeHeaderOld* header() { return &harrow_gauge.header; }

} // namespace

void GAUGE_CALL query_routine() { call(&PanelServiceTable::element_list_query, background()); }

void GAUGE_CALL install_routine(uintptr_t word) {
    ElementRecord* root = background();
    call(&PanelServiceTable::element_list_install, root, word);
    call(&PanelServiceTable::mouse_list_install, mouse_list(), header(), host_record_plus_4(root));
    call(&PanelServiceTable::mouse_list_register, mouse_list(), header());
}

void GAUGE_CALL initialize_routine() {
    call(&PanelServiceTable::element_list_initialize, background());
}

void GAUGE_CALL update_routine() { call(&PanelServiceTable::element_list_update, background()); }

void GAUGE_CALL generate_routine(uintptr_t word) {
    call(&PanelServiceTable::element_list_generate, background(), word);
}

void GAUGE_CALL draw_routine() { call(&PanelServiceTable::element_list_draw, background()); }

// The mouse list goes back to the module before the elements are released.
void GAUGE_CALL kill_routine() {
    call(&PanelServiceTable::mouse_list_unregister, mouse_list(), header());
    call(&PanelServiceTable::element_list_kill, background());
}

double GAUGE_CALL harrow_speed_clamp(TokenVariable* source) {
    if (!source) return 0.0;
    double knots = source->value.number;
    return knots > speed_limit ? speed_limit : knots;
}

} // namespace harrow
