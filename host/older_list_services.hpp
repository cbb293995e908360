// The older interface's element-list and mouse-list services (slots 24 to 34) of a
// panel-service table, each passing its call on to one function with the slot it
// came in by. Slots differ only in their arguments, so whoever serves them (the host,
// or a test that records what a module asks for) writes one function, not one a slot.
#pragma once

#include "gauge_abi.h"

#include <cstdint>

namespace panelhost {

// One call to a list service: its slot; the list it names (an element list's root,
// or a mouse list); for the mouse-list slots, the gauge header passed; and its word
// (slots 25 and 28: the routine's word; slot 32: the host record's address).
using OlderListService = void (*)(uint32_t slot, void* list, GaugeHeaderOld* gauge, uintptr_t word);

namespace older_list_slots {

template <OlderListService Serve, uint32_t Slot> void GAUGE_CALL element_list(ElementRecord* root) {
    Serve(Slot, root, nullptr, 0);
}

template <OlderListService Serve, uint32_t Slot>
void GAUGE_CALL element_list_word(ElementRecord* root, uintptr_t word) {
    Serve(Slot, root, nullptr, word);
}

template <OlderListService Serve>
void GAUGE_CALL mouse_list_install(MouseArea* list, GaugeHeaderOld* gauge, void* host_record) {
    Serve(SLOT_MOUSE_LIST_INSTALL, list, gauge, reinterpret_cast<uintptr_t>(host_record));
}

template <OlderListService Serve, uint32_t Slot>
void GAUGE_CALL mouse_list(MouseArea* list, GaugeHeaderOld* gauge) {
    Serve(Slot, list, gauge, 0);
}

} // namespace older_list_slots

// Points every list slot of `table` at `Serve`; the table's other slots are left as
// they are.
template <OlderListService Serve> void set_older_list_services(PanelServiceTable& table) {
    using namespace older_list_slots;
    table.element_list_query = element_list<Serve, SLOT_ELEMENT_LIST_QUERY>;
    table.element_list_install = element_list_word<Serve, SLOT_ELEMENT_LIST_INSTALL>;
    table.element_list_initialize = element_list<Serve, SLOT_ELEMENT_LIST_INITIALIZE>;
    table.element_list_update = element_list<Serve, SLOT_ELEMENT_LIST_UPDATE>;
    table.element_list_generate = element_list_word<Serve, SLOT_ELEMENT_LIST_GENERATE>;
    table.element_list_draw = element_list<Serve, SLOT_ELEMENT_LIST_DRAW>;
    table.element_list_kill = element_list<Serve, SLOT_ELEMENT_LIST_KILL>;
    table.mouse_list_install = mouse_list_install<Serve>;
    table.mouse_list_register = mouse_list<Serve, SLOT_MOUSE_LIST_REGISTER>;
    table.mouse_list_unregister = mouse_list<Serve, SLOT_MOUSE_LIST_UNREGISTER>;
}

} // namespace panelhost
