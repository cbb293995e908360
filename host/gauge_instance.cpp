#include "gauge_instance.hpp"

#include "element_model.hpp"
#include "element_update.hpp"
#include "older_gauge.hpp"

#include <algorithm>
#include <cstring>

namespace panelhost {

// Room for a record of any kind, suitably aligned.
union GaugeInstance::ElementStorage {
    ElementRecord common;
    StaticImageRecord static_image;
    NeedleRecord needle;
    StringRecord string;
    SliderRecord slider;
    IconRecord icon;
    MovingImageRecord moving_image;
    SpriteRecord sprite;
};

namespace {

// Without a known design size the whole-gauge area reaches this far.
constexpr double unbounded_extent = 1e9;

double extent_or_unbounded(double extent) { return extent > 0 ? extent : unbounded_extent; }

int32_t clamped_pixel(double value) {
    if (!(value > -1e9)) return -1000000000;
    if (!(value < 1e9)) return 1000000000;
    return static_cast<int32_t>(value);
}

} // namespace

GaugeInstance::GaugeInstance(const GaugeHeader& published, std::optional<std::string> parameters,
                             uintptr_t resource_handle, DesignSize design_size)
    : header_(published), parameters_(std::move(parameters)), resource_handle_(resource_handle),
      design_size_(design_size) {
    header_.parameters = parameters_ ? parameters_->data() : nullptr;
    header_.user_word = published.user_word;

    if (published.element_list) {
        for (size_t i = 0; published.element_list[i]; ++i) {
            if (i == max_children_per_element) {
                problems_.push_back("root element list has no terminating zero");
                break;
            }
            if (ElementRecord* root = copy_element(published.element_list[i], 0))
                roots_.push_back(root);
        }
    }
    roots_.push_back(nullptr);
    header_.element_list = roots_.data();

    copy_mouse_areas(published.mouse_areas);
    header_.mouse_areas = mouse_areas_.empty() ? nullptr : mouse_areas_.data();
    rebuild_mouse_map();
}

GaugeInstance::GaugeInstance(const GaugeHeaderOld& published, uintptr_t resource_handle,
                             DesignSize design_size)
    : resource_handle_(resource_handle), design_size_(design_size),
      older_(std::make_unique<OlderGauge>(published, resource_handle, problems_)) {
    header_.version = published.version;
    header_.name = published.name;
    header_.element_list = published.element_list;
    header_.size_mm = published.size_mm;
}

void GaugeInstance::rebuild_mouse_map() {
    mouse_map_ = read_mouse_map(header_.mouse_areas, extent_or_unbounded(design_size_.width),
                                extent_or_unbounded(design_size_.height), max_mouse_records);
}

GaugeInstance::~GaugeInstance() { kill(); }

const std::vector<ElementState>& GaugeInstance::elements() const {
    return older_ ? older_->elements() : states_;
}

ElementRecord* GaugeInstance::copy_element(ElementRecord* source, int depth) {
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
    states_.push_back(state);

    if (source->children) {
        auto children = std::make_unique<std::vector<ElementRecord*>>();
        for (size_t i = 0; source->children[i]; ++i) {
            if (i == max_children_per_element) {
                problems_.push_back("child list has no terminating zero; cut");
                break;
            }
            if (ElementRecord* child = copy_element(source->children[i], depth + 1))
                children->push_back(child);
        }
        children->push_back(nullptr);
        copy->children = children->data();
        child_lists_.push_back(std::move(children));
    }
    return copy;
}

void GaugeInstance::copy_mouse_areas(const MouseArea* source) {
    if (!source) return;
    for (size_t i = 0; i < max_mouse_records; ++i) {
        mouse_areas_.push_back(source[i]);
        if (source[i].kind == MOUSE_END) return;
    }
    problems_.push_back("mouse list has no end record; cut");
    MouseArea end{};
    mouse_areas_.push_back(end);
}

void GaugeInstance::call_gauge_callback(uint32_t service, uintptr_t extra) {
    if (header_.gauge_callback)
        header_.gauge_callback(&header_, static_cast<int32_t>(service), extra);
}

// The owner a mouse callback is told of: an older gauge's routines and callbacks
// know only the module's own header.
GaugeHeader* GaugeInstance::owner_for_callbacks() {
    if (!older_) return &header_;
    return reinterpret_cast<GaugeHeader*>(const_cast<GaugeHeaderOld*>(&older_->published()));
}

// An older gauge's mouse list is the one its routines registered with the host.
void GaugeInstance::take_registered_mouse_list() {
    mouse_areas_.clear();
    copy_mouse_areas(older_->mouse_list());
    header_.mouse_areas = mouse_areas_.empty() ? nullptr : mouse_areas_.data();
    rebuild_mouse_map();
}

void GaugeInstance::install(Simulation& simulation) {
    if (installed_) return;
    installed_ = true;
    if (older_) {
        older_->install(simulation);
        take_registered_mouse_list();
        return;
    }
    call_gauge_callback(SERVICE_INSTALL, resource_handle_);
    // Installation may have rewritten the mouse records.
    rebuild_mouse_map();
}

void GaugeInstance::update(Simulation& simulation) {
    if (!installed_ || killed_) return;
    if (older_) {
        older_->update(simulation);
        return;
    }
    call_gauge_callback(SERVICE_UPDATE, 0);
    for (ElementState& state : states_) update_element(state, simulation);
}

void GaugeInstance::kill() {
    if (!installed_ || killed_) return;
    killed_ = true;
    if (older_) {
        older_->kill();
        take_registered_mouse_list();
        return;
    }
    call_gauge_callback(SERVICE_KILL, 0);
}

void GaugeInstance::reinstall(Simulation& simulation) {
    kill();
    installed_ = false;
    killed_ = false;
    install(simulation);
}

bool GaugeInstance::click(double x, double y, uint32_t buttons, Simulation& simulation) {
    if (!installed_ || killed_) return false;
    std::optional<size_t> target = click_target(mouse_map_, x, y, buttons);
    if (!target) return false;
    const MouseArea& area = *mouse_map_.nodes[*target].record;
    if (area.key_event != 0) {
        simulation.trigger_key_event(area.key_event, 0);
    } else if (area.action.callback) {
        MousePoint point{clamped_pixel(x), clamped_pixel(y), owner_for_callbacks()};
        area.action.callback(&point, buttons);
    }
    return true;
}

} // namespace panelhost
