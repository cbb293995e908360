#include "current_gauge_instance.hpp"

#include "element_model.hpp"
#include "element_update.hpp"

#include <algorithm>
#include <cstring>

namespace panelhost {

// Room for a record of any kind, suitably aligned.
union CurrentGaugeInstance::ElementStorage {
    ElementRecord common;
    StaticImageRecord static_image;
    NeedleRecord needle;
    StringRecord string;
    SliderRecord slider;
    IconRecord icon;
    MovingImageRecord moving_image;
    SpriteRecord sprite;
};

CurrentGaugeInstance::CurrentGaugeInstance(const GaugeHeader& published,
                                           std::optional<std::string> parameters,
                                           uintptr_t resource_handle, DesignSize design_size)
    : GaugeInstance(design_size), parameters_(std::move(parameters)),
      resource_handle_(resource_handle) {
    header_ = published;
    header_.parameters = parameters_ ? parameters_->data() : nullptr;

    roots_ = copy_list(published.element_list, 0, "root element list has no terminating zero");
    header_.element_list = roots_.data();

    take_mouse_list(published.mouse_areas);
}

CurrentGaugeInstance::~CurrentGaugeInstance() { kill(); }

std::vector<ElementRecord*> CurrentGaugeInstance::copy_list(ElementRecord* const* list, int depth,
                                                            const char* unended) {
    std::vector<ElementRecord*> copies;
    for (size_t i = 0; list && list[i]; ++i) {
        if (i == max_children_per_element) {
            problems_.push_back(unended);
            break;
        }
        if (ElementRecord* copy = copy_element(list[i], depth)) copies.push_back(copy);
    }
    copies.push_back(nullptr);
    return copies;
}

ElementRecord* CurrentGaugeInstance::copy_element(ElementRecord* source, int depth) {
    for (const auto& [from, to] : copied_)
        if (from == source) return to; // shared or cyclic: one copy, evaluated once
    if (depth > max_element_depth || element_copies_.size() >= max_elements_per_gauge) {
        problems_.push_back("element chain deeper or longer than this host follows; cut");
        return nullptr;
    }

    auto storage = std::make_unique<ElementStorage>();
    std::memset(static_cast<void*>(storage.get()), 0, sizeof(ElementStorage));
    std::memcpy(static_cast<void*>(storage.get()), source, element_record_bytes(source->kind));
    ElementRecord* copy = &storage->common;
    element_copies_.push_back(std::move(storage));
    copied_.emplace_back(source, copy);
    copy->gauge = &header_;
    states_.push_back(state_of_copy(copy, depth));

    if (source->children) {
        child_lists_.push_back(std::make_unique<std::vector<ElementRecord*>>(
            copy_list(source->children, depth + 1, "child list has no terminating zero; cut")));
        copy->children = child_lists_.back()->data();
    }
    return copy;
}

// The drawing state of a copied element; a string element gets its text buffer here.
ElementState CurrentGaugeInstance::state_of_copy(ElementRecord* copy, int depth) {
    ElementState state;
    state.record = copy;
    state.kind = copy->kind;
    state.known_kind = copy->kind < ELEMENT_KIND_COUNT;
    state.depth = depth;
    if (!state.known_kind)
        problems_.push_back("element of unknown kind " + std::to_string(copy->kind) +
                            " is not drawn");
    if (copy->kind == ELEMENT_STRING) {
        auto* string = reinterpret_cast<StringRecord*>(copy);
        state.text_capacity = std::min(string->char_count, max_text_chars) + 1;
        text_buffers_.push_back(std::make_unique<char[]>(state.text_capacity));
        string->text = text_buffers_.back().get();
    }
    return state;
}

void CurrentGaugeInstance::call_gauge_callback(uint32_t service, uintptr_t extra) {
    if (header_.gauge_callback)
        header_.gauge_callback(&header_, static_cast<int32_t>(service), extra);
}

void CurrentGaugeInstance::install_gauge(Simulation&) {
    call_gauge_callback(SERVICE_INSTALL, resource_handle_);
    // Installation may have rewritten the mouse records.
    rebuild_mouse_map();
}

void CurrentGaugeInstance::update_gauge(Simulation& simulation) {
    call_gauge_callback(SERVICE_UPDATE, 0);
    for (ElementState& state : states_)
        update_element(state, simulation);
}

void CurrentGaugeInstance::kill_gauge() { call_gauge_callback(SERVICE_KILL, 0); }

} // namespace panelhost
