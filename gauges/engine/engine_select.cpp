// Engine selection: the engine number from the parameter string, and the rewrite of
// an instance's per-engine identifiers at installation.
#include "engine_select.hpp"

#include "engine_gauges.hpp"
#include "options.hpp"
#include "simulator_numbers.h"

#include <cstring>

namespace gauge {
namespace {

template <typename Id> constexpr uint32_t stride_of(Id id, std::span<const StrideRange<Id>> table) {
    for (const StrideRange<Id>& range : table)
        if (id >= range.low && id <= range.high) return range.stride;
    return 0;
}

// The rewrite moves every per-engine variable the host lists by the host's stride.
#define ENGINE_SELECT_SAME_STRIDE(name, id, stride, unit)                                          \
    static_assert(stride_of<int32_t>(id, token_var_stride) == stride,                              \
                  "VAR_ENG_" #name " moves by its own stride");
SIMULATOR_ENGINE_VARIABLES(ENGINE_SELECT_SAME_STRIDE)
#undef ENGINE_SELECT_SAME_STRIDE

uint32_t shift(uint32_t id, int engine, uint32_t stride) {
    return id + static_cast<uint32_t>(engine - 1) * stride; // wraps rather than overflows
}

// The published gauges that use the engine callback; an instance is matched to
// one by name, and its records are read for the engine-1 identifiers.
GaugeHeader* const engine_gauges[] = {
    &interstage_turb_temp_gauge.header, &torque_gauge.header,    &propeller_rpm_gauge.header,
    &gas_generator_rpm_gauge.header,    &fuel_flow_gauge.header, &oil_temp_press_gauge.header,
    &hydraulic_pressure_gauge.header,
};

const GaugeHeader* published_gauge_named(const char* name) {
    if (!name) return nullptr;
    for (const GaugeHeader* published : engine_gauges)
        if (published->name && std::strcmp(published->name, name) == 0) return published;
    return nullptr;
}

// Limits that keep a malformed tree or list from running away.
constexpr int max_depth = 64;
constexpr int max_children = 64;
constexpr int max_elements = 512;
constexpr int max_mouse_records = 512;

// Writes the engine's identifiers into the instance's records (`to`) from the
// engine-1 identifiers of the matching published records (`from`); they may be the
// same records, when the gauge is not one the module publishes. Each instance
// element is written once, however often the tree reaches it.
class Rewrite {
  public:
    explicit Rewrite(int engine) : engine_(engine) {}

    void elements(ElementRecord* const* from, ElementRecord* const* to, int depth) {
        if (!from || !to || depth > max_depth) return;
        for (int i = 0; i < max_children && from[i] && to[i]; ++i) {
            element(*from[i], *to[i]);
            elements(from[i]->children, to[i]->children, depth + 1);
        }
    }

    void mouse_areas(const MouseArea* from, MouseArea* to) {
        if (!from || !to) return;
        for (int i = 0; i < max_mouse_records && from[i].kind != MOUSE_END; ++i) {
            if (to[i].kind != from[i].kind) return;
            if (from[i].kind == MOUSE_TOOLTIP) {
                to[i].help_id = help(from[i].help_id);
                to[i].box_x = static_cast<int32_t>(help(static_cast<uint32_t>(from[i].box_x)));
                to[i].box_y = static_cast<int32_t>(help(static_cast<uint32_t>(from[i].box_y)));
            } else if (from[i].kind == MOUSE_CHILD) {
                to[i].key_event = engine_shift_id(from[i].key_event, engine_, key_event_stride);
            }
        }
    }

  private:
    uint32_t help(uint32_t id) const { return engine_shift_id(id, engine_, help_id_stride); }

    void variable(const TokenVariable& from, TokenVariable& to) const {
        to.id = engine_shift_id(from.id, engine_, token_var_stride);
    }

    bool first_visit(const ElementRecord* record) {
        for (int i = 0; i < visited_count_; ++i)
            if (visited_[i] == record) return false;
        if (visited_count_ == max_elements) return false;
        visited_[visited_count_++] = record;
        return true;
    }

    template <typename Record>
    static std::pair<const Record&, Record&> as(const ElementRecord& from, ElementRecord& to) {
        return {reinterpret_cast<const Record&>(from), reinterpret_cast<Record&>(to)};
    }

    void element(const ElementRecord& from_record, ElementRecord& to_record) {
        if (from_record.kind != to_record.kind || !first_visit(&to_record)) return;
        switch (to_record.kind) {
        case ELEMENT_NEEDLE: {
            auto [from, to] = as<NeedleRecord>(from_record, to_record);
            variable(from.source, to.source);
            break;
        }
        case ELEMENT_ICON: {
            auto [from, to] = as<IconRecord>(from_record, to_record);
            variable(from.source, to.source);
            break;
        }
        case ELEMENT_STRING: {
            auto [from, to] = as<StringRecord>(from_record, to_record);
            for (int i = 0; i < 3; ++i)
                variable(from.sources[i], to.sources[i]);
            break;
        }
        case ELEMENT_SLIDER: {
            auto [from, to] = as<SliderRecord>(from_record, to_record);
            variable(from.x_source, to.x_source);
            variable(from.y_source, to.y_source);
            break;
        }
        case ELEMENT_MOVING_IMAGE: {
            auto [from, to] = as<MovingImageRecord>(from_record, to_record);
            variable(from.x_source, to.x_source);
            variable(from.y_source, to.y_source);
            break;
        }
        case ELEMENT_SPRITE: {
            auto [from, to] = as<SpriteRecord>(from_record, to_record);
            variable(from.x_source, to.x_source);
            variable(from.y_source, to.y_source);
            variable(from.rotation_source, to.rotation_source);
            break;
        }
        default: // static images and unknown kinds hold no identifiers
            break;
        }
    }

    int engine_;
    const ElementRecord* visited_[max_elements] = {};
    int visited_count_ = 0;
};

} // namespace

int engine_number_of(const GaugeHeader* gauge) {
    if (!gauge || !gauge->parameters) return 1;
    constexpr const char* engine_keys[] = {"1", "2", "3", "4"};
    for (int i = 0; i < 4; ++i)
        if (find_option(gauge->parameters, engine_keys[i])) return i + 1;
    return 1;
}

uint32_t engine_shift_id(uint32_t engine_one_id, int engine,
                         std::span<const StrideRange<int32_t>> table) {
    return shift(engine_one_id, engine, stride_of(static_cast<int32_t>(engine_one_id), table));
}

uint32_t engine_shift_id(uint32_t engine_one_id, int engine,
                         std::span<const StrideRange<uint32_t>> table) {
    return shift(engine_one_id, engine, stride_of(engine_one_id, table));
}

void GAUGE_CALL engine_gauge_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    if (service != SERVICE_INSTALL || !gauge) return;
    const GaugeHeader* published = published_gauge_named(gauge->name);
    if (!published) published = gauge; // not ours: rewrite its records in place
    Rewrite rewrite(engine_number_of(gauge));
    rewrite.mouse_areas(published->mouse_areas, gauge->mouse_areas);
    rewrite.elements(published->element_list, gauge->element_list, 0);
}

} // namespace gauge
