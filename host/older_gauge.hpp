// A placed gauge of the older interface (header version 0x262). Such a gauge has no
// gauge callback: its header names seven routines, which the host calls for each
// phase of the gauge's life, and which hand the gauge's own records to the host's
// element-list and mouse-list services (slots 24 to 34). While one of its routines
// runs, those services act on the OlderGauge that called it.
//
// The host maps the older records onto its element model: the chain the services
// are given becomes ElementState entries (static images and needles of the older
// layouts) that the renderer draws like any other gauge's.
//
// The routines always pass the module's one chain and mouse list, so every placement
// of such a gauge shares them: each OlderGauge keeps its own states of the shared
// elements, its own host record and its own registration of the mouse list.
#pragma once

#include "element_state.hpp"
#include "gauge_abi.h"
#include "simulation.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace panelhost {

// The header as the older interface's, when its version says it is one; else null.
const GaugeHeaderOld* older_header(const GaugeHeader* header);

// Whether the older interface has a layout for elements of `kind`: static images and
// needles only; the host draws no other kind of an older gauge.
bool older_layout_known(uint32_t kind);

// The routines of an older header, numbered by their word in it.
enum class OlderRoutine : uint32_t {
    query = 3,
    install = 4,
    initialize = 5,
    update = 6,
    generate = 7,
    draw = 8,
    kill = 9,
};

// One call made while driving an older gauge: one of its routines, or a service that
// a routine called.
struct OlderCall {
    enum Kind { routine, service };
    Kind kind = routine;
    uint32_t number = 0;          // routine: its OlderRoutine word; service: its slot
    const void* record = nullptr; // service: the element list's root, or the mouse list
    const void* gauge = nullptr;  // mouse-list services: the header passed
    uintptr_t word = 0;           // install and generate routines, slots 25 and 28: the
                                  // word; slot 32: the host-record address passed
    bool operator==(const OlderCall&) const = default;
};

// What word 15 of an older background points at while its element list is
// installed. The gauge's install routine hands the address of `mouse_list_state`
// (4 bytes in) on to the mouse-list installation, which keeps the list's state there.
struct OlderHostRecord {
    uint32_t element_count = 0;    // elements of the installed list
    uint32_t mouse_list_state = 0; // 0 none, 1 installed, 2 registered
};

class OlderGauge {
  public:
    // Problems found in the records the services are given go to `problems`.
    OlderGauge(const GaugeHeaderOld& published, uintptr_t resource_handle,
               std::vector<std::string>& problems);
    OlderGauge(const OlderGauge&) = delete;
    OlderGauge& operator=(const OlderGauge&) = delete;

    // The query, install (given the module's resource handle) and initialise routines.
    void install(Simulation& simulation);
    // One cycle: the update, generate (given the cycle's number, from 1) and draw routines.
    void update(Simulation& simulation);
    // The kill routine; afterwards no word of the module points at this placement.
    void kill();

    // A service of slots 24 to 34, called by the routine running now.
    void serve(const OlderCall& call);

    // The element states of the last drawn cycle, back to front.
    const std::vector<ElementState>& elements() const { return shown_; }
    // The mouse list registered with the host, or null.
    const MouseArea* mouse_list() const { return registered_mouse_list_; }
    // The routines called and the services they called, in order, since the last
    // clear_calls (the first max_logged_older_calls of them).
    const std::vector<OlderCall>& calls() const { return calls_; }
    void clear_calls() { calls_.clear(); }
    const OlderHostRecord& host_record() const { return host_record_; }
    const GaugeHeaderOld& published() const { return published_; }

  private:
    void run(OlderRoutine routine, GaugeRoutine function);
    void run(OlderRoutine routine, GaugeWordRoutine function, uintptr_t word);
    void log(const OlderCall& call);

    bool takes_chain(const ElementRecord* root, uint32_t slot);
    void read_chain(ElementRecord* element, int depth);
    void install_elements();
    void initialize_elements();
    void update_values();
    double needle_value(ElementState& state);
    void generate_angles();
    void release_elements();
    void forget_host_record();
    void serve_mouse_list(const OlderCall& call);

    const GaugeHeaderOld& published_;
    uintptr_t resource_handle_;
    std::vector<std::string>& problems_;
    Simulation* simulation_ = nullptr;
    uintptr_t cycle_ = 0;

    const ElementRecord* chain_root_ = nullptr;
    std::vector<ElementState> working_; // evaluated by update and generate
    std::vector<ElementState> shown_;   // what the last draw made visible
    OlderHostRecord host_record_;
    const MouseArea* installed_mouse_list_ = nullptr;
    const MouseArea* registered_mouse_list_ = nullptr;
    std::vector<OlderCall> calls_;
};

// Longer call logs stop growing.
constexpr size_t max_logged_older_calls = 4096;

} // namespace panelhost
