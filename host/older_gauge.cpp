#include "older_gauge.hpp"

#include "element_model.hpp"
#include "element_update.hpp"
#include "panel_services.hpp"
#include "record_limits.hpp"

#include <algorithm>
#include <span>

namespace panelhost {
namespace {

// Elements of the older layouts, reached through their common part.
StaticImageRecordOld& as_static_image(ElementRecord* record) {
    return *reinterpret_cast<StaticImageRecordOld*>(record);
}

NeedleRecordOld& as_needle(ElementRecord* record) {
    return *reinterpret_cast<NeedleRecordOld*>(record);
}

} // namespace

bool older_layout_known(uint32_t kind) {
    return kind == ELEMENT_STATIC_IMAGE || kind == ELEMENT_NEEDLE;
}

const GaugeHeaderOld* older_header(const GaugeHeader* header) {
    if (!header || header->version != GAUGE_HEADER_VERSION_OLD) return nullptr;
    return reinterpret_cast<const GaugeHeaderOld*>(header);
}

OlderGauge::OlderGauge(const GaugeHeaderOld& published, uintptr_t resource_handle,
                       std::vector<std::string>& problems)
    : published_(published), resource_handle_(resource_handle), problems_(problems) {}

void OlderGauge::install(Simulation& simulation) {
    simulation_ = &simulation;
    run(OlderRoutine::query, published_.query_routine);
    run(OlderRoutine::install, published_.install_routine, resource_handle_);
    run(OlderRoutine::initialize, published_.initialize_routine);
}

void OlderGauge::update(Simulation& simulation) {
    simulation_ = &simulation;
    ++cycle_;
    run(OlderRoutine::update, published_.update_routine);
    run(OlderRoutine::generate, published_.generate_routine, cycle_);
    run(OlderRoutine::draw, published_.draw_routine);
}

void OlderGauge::kill() {
    run(OlderRoutine::kill, published_.kill_routine);
    // A kill routine that left the elements installed still leaves no word of the
    // module pointing at this placement.
    forget_host_record();
}

void OlderGauge::run(OlderRoutine routine, GaugeRoutine function) {
    log({OlderCall::routine, uint32_t(routine)});
    if (!function) return;
    OlderGaugeScope scope(*this);
    function();
}

void OlderGauge::run(OlderRoutine routine, GaugeWordRoutine function, uintptr_t word) {
    log({OlderCall::routine, uint32_t(routine), nullptr, nullptr, word});
    if (!function) return;
    OlderGaugeScope scope(*this);
    function(word);
}

void OlderGauge::log(const OlderCall& call) {
    if (calls_.size() < max_logged_older_calls) calls_.push_back(call);
}

void OlderGauge::serve(const OlderCall& call) {
    log(call);
    switch (call.number) {
    case SLOT_MOUSE_LIST_INSTALL:
    case SLOT_MOUSE_LIST_REGISTER:
    case SLOT_MOUSE_LIST_UNREGISTER: serve_mouse_list(call); return;
    default: break;
    }
    auto* root = static_cast<ElementRecord*>(const_cast<void*>(call.record));
    if (!takes_chain(root, call.number)) return;
    switch (call.number) {
    case SLOT_ELEMENT_LIST_QUERY: break; // the chain has been read
    case SLOT_ELEMENT_LIST_INSTALL: install_elements(); break;
    case SLOT_ELEMENT_LIST_INITIALIZE: initialize_elements(); break;
    case SLOT_ELEMENT_LIST_UPDATE: update_values(); break;
    case SLOT_ELEMENT_LIST_GENERATE: generate_angles(); break;
    case SLOT_ELEMENT_LIST_DRAW: shown_ = working_; break;
    case SLOT_ELEMENT_LIST_KILL: release_elements(); break;
    default: break;
    }
}

// The first element-list service reads the chain from the root it is given; later
// ones act on that chain and must name the same root.
bool OlderGauge::takes_chain(const ElementRecord* root, uint32_t slot) {
    if (!root) return false;
    if (!chain_root_) {
        chain_root_ = root;
        working_.clear();
        read_chain(const_cast<ElementRecord*>(root), 0);
        return true;
    }
    if (root == chain_root_) return true;
    problems_.push_back("service " + std::to_string(slot) +
                        " was given another element list than the gauge's; ignored");
    return false;
}

void OlderGauge::read_chain(ElementRecord* element, int depth) {
    for (const ElementState& state : working_)
        if (state.record == element) return; // shared or cyclic: evaluated once
    if (depth > max_element_depth || working_.size() >= max_elements_per_gauge) {
        problems_.push_back("element chain deeper or longer than this host follows; cut");
        return;
    }
    ElementState state;
    state.record = element;
    state.kind = element->kind;
    state.known_kind = older_layout_known(element->kind);
    state.depth = depth;
    state.drawn = false;
    if (!state.known_kind)
        problems_.push_back("element of kind " + std::to_string(element->kind) +
                            " has no older layout; not drawn");
    working_.push_back(state);

    if (!element->children) return;
    for (size_t i = 0; element->children[i]; ++i) {
        if (i == max_children_per_element) {
            problems_.push_back("child list has no terminating zero; cut");
            break;
        }
        read_chain(element->children[i], depth + 1);
    }
}

// Every static image of the list gets this placement's host record in its word 15.
void OlderGauge::install_elements() {
    host_record_.element_count = uint32_t(working_.size());
    for (ElementState& state : working_)
        if (state.kind == ELEMENT_STATIC_IMAGE)
            as_static_image(state.record).host_record = &host_record_;
}

void OlderGauge::initialize_elements() {
    for (ElementState& state : working_) {
        state.value_x = 0;
        state.needle_angle = 0;
        state.drawn = false;
    }
}

// Sources, value callbacks, failures and the hidden bit, element by element.
void OlderGauge::update_values() {
    if (!simulation_) return;
    for (ElementState& state : working_) {
        state.drawn = state.known_kind;
        if (!state.known_kind) continue;
        std::optional<uint32_t> action = active_failure_action(
            state.record->failures, [&](uint32_t key) { return simulation_->failure_active(key); });
        if (state.kind == ELEMENT_NEEDLE) {
            FailedValue failed = apply_failure(action, needle_value(state), state.value_x);
            state.value_x = failed.value;
            state.drawn = failed.drawn;
        } else {
            state.drawn = apply_failure(action, 0, 0).drawn;
        }
        if (state.record->image_flags & IMAGE_FLAG_HIDDEN) state.drawn = false;
    }
}

// The older needle's callback is given its refreshed source variable.
double OlderGauge::needle_value(ElementState& state) {
    NeedleRecordOld& needle = as_needle(state.record);
    if (needle.source.id != 0) simulation_->lookup(needle.source);
    if (needle.value_callback) return needle.value_callback(&needle.source);
    return needle.source.id != 0 ? source_value(needle.source, *simulation_) : 0.0;
}

void OlderGauge::generate_angles() {
    for (ElementState& state : working_) {
        if (state.kind != ELEMENT_NEEDLE || !state.known_kind) continue;
        const NeedleRecordOld& needle = as_needle(state.record);
        uint32_t rows = needle.nonlinearity ? std::min(needle.row_count, max_needle_rows) : 0;
        state.needle_angle =
            needle_angle(std::span(needle.nonlinearity, rows), needle.common.position_x,
                         needle.common.position_y, state.value_x);
    }
}

void OlderGauge::release_elements() {
    forget_host_record();
    host_record_.element_count = 0;
    working_.clear();
    shown_.clear();
}

void OlderGauge::forget_host_record() {
    for (ElementState& state : working_) {
        if (state.kind != ELEMENT_STATIC_IMAGE) continue;
        void*& word_15 = as_static_image(state.record).host_record;
        if (word_15 == &host_record_) word_15 = nullptr;
    }
}

void OlderGauge::serve_mouse_list(const OlderCall& call) {
    const auto* list = static_cast<const MouseArea*>(call.record);
    switch (call.number) {
    case SLOT_MOUSE_LIST_INSTALL:
        installed_mouse_list_ = list;
        if (call.word == reinterpret_cast<uintptr_t>(&host_record_.mouse_list_state))
            host_record_.mouse_list_state = 1;
        else
            problems_.push_back("mouse list installed without this placement's host record");
        break;
    case SLOT_MOUSE_LIST_REGISTER:
        registered_mouse_list_ = list;
        if (list && list == installed_mouse_list_) host_record_.mouse_list_state = 2;
        break;
    case SLOT_MOUSE_LIST_UNREGISTER:
        if (list == registered_mouse_list_) {
            registered_mouse_list_ = nullptr;
            installed_mouse_list_ = nullptr;
            host_record_.mouse_list_state = 0;
        }
        break;
    default: break;
    }
}

} // namespace panelhost
