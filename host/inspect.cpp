#include "inspect.hpp"

#include "element_model.hpp"
#include "loaded_module.hpp"
#include "older_gauge.hpp"
#include "record_limits.hpp"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace panelhost {
namespace {

using nlohmann::json;

std::string hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

json source(const TokenVariable& variable) { return variable.id; }

// An axis an element moves or turns along: the source that drives it, how far a
// unit of it goes, and whether a callback refines the value.
template <class Callback>
json scaled_axis(const TokenVariable& variable, double scale, Callback callback) {
    return {{"source", source(variable)}, {"scale", scale}, {"callback", callback != nullptr}};
}

// An axis with the source's range instead of a scale.
template <class Callback>
json ranged_axis(const TokenVariable& variable, double start, double end, Callback callback) {
    return {{"source", source(variable)},
            {"range_start", start},
            {"range_end", end},
            {"callback", callback != nullptr}};
}

json failures(const FailureEntry* list) {
    json entries = json::array();
    for (const FailureEntry& entry : FailureEntries(list))
        entries.push_back({{"key", entry.key}, {"action", entry.action}});
    return entries;
}

json table(const NeedleRow* rows, uint32_t count) {
    json out = json::array();
    for (uint32_t i = 0; rows && i < count && i < max_needle_rows; ++i)
        out.push_back({{"x", rows[i].x},
                       {"y", rows[i].y},
                       {"value", rows[i].value},
                       {"degrees", rows[i].degrees}});
    return out;
}

// The fields a needle has in both interfaces' layouts.
template <class Needle> void describe_needle(const Needle& needle, json& out) {
    out["source"] = source(needle.source);
    out["row_count"] = needle.row_count;
    out["table"] = table(needle.nonlinearity, needle.row_count);
    out["value_callback"] = needle.value_callback != nullptr;
}

void describe_kind(const ElementRecord& element, json& out) {
    switch (element.kind) {
    case ELEMENT_NEEDLE:
        describe_needle(reinterpret_cast<const NeedleRecord&>(element), out);
        break;
    case ELEMENT_STRING: {
        const auto& string = reinterpret_cast<const StringRecord&>(element);
        out["sources"] = {source(string.sources[0]), source(string.sources[1]),
                          source(string.sources[2])};
        out["box"] = {string.box_width, string.box_height};
        out["text_colour"] = hex(string.text_colour);
        out["background_colour"] = hex(string.background_colour);
        out["highlight_colour"] = hex(string.highlight_colour);
        out["font_face"] =
            std::string(string.font_face, strnlen(string.font_face, FONT_FACE_BYTES));
        out["font_weight"] = string.font_weight;
        out["character_set"] = string.character_set;
        out["text_format"] = hex(string.text_format);
        out["char_count"] = string.char_count;
        out["text_callback"] = string.text_callback != nullptr;
        break;
    }
    case ELEMENT_SLIDER: {
        const auto& slider = reinterpret_cast<const SliderRecord&>(element);
        out["x"] = scaled_axis(slider.x_source, slider.x_scale, slider.x_callback);
        out["y"] = scaled_axis(slider.y_source, slider.y_scale, slider.y_callback);
        break;
    }
    case ELEMENT_ICON: {
        const auto& icon = reinterpret_cast<const IconRecord&>(element);
        out["source"] = source(icon.source);
        out["scale"] = icon.scale;
        out["icon_count"] = icon.icon_count;
        out["value_callback"] = icon.value_callback != nullptr;
        break;
    }
    case ELEMENT_MOVING_IMAGE: {
        const auto& image = reinterpret_cast<const MovingImageRecord&>(element);
        out["window_bitmap"] = element.resource_id + 1;
        out["x"] =
            ranged_axis(image.x_source, image.x_range_start, image.x_range_end, image.x_callback);
        out["y"] =
            ranged_axis(image.y_source, image.y_range_start, image.y_range_end, image.y_callback);
        break;
    }
    case ELEMENT_SPRITE: {
        const auto& sprite = reinterpret_cast<const SpriteRecord&>(element);
        out["window_bitmap"] = element.resource_id + 1;
        out["x"] = scaled_axis(sprite.x_source, sprite.x_scale, sprite.x_callback);
        out["y"] = scaled_axis(sprite.y_source, sprite.y_scale, sprite.y_callback);
        out["rotation"] =
            scaled_axis(sprite.rotation_source, sprite.rotation_scale, sprite.rotation_callback);
        out["texture_scale"] = {sprite.texture_scale_x, sprite.texture_scale_y};
        break;
    }
    default: break;
    }
}

// The kinds of the older interface, in their own layouts.
void describe_older_kind(const ElementRecord& element, json& out) {
    switch (element.kind) {
    case ELEMENT_STATIC_IMAGE:
        out["host_record_set"] =
            reinterpret_cast<const StaticImageRecordOld&>(element).host_record != nullptr;
        break;
    case ELEMENT_NEEDLE: {
        const auto& needle = reinterpret_cast<const NeedleRecordOld&>(element);
        describe_needle(needle, out);
        out["host_settings"] = {{"26", needle.host_setting_26},
                                {"27", needle.host_setting_27},
                                {"30", needle.host_setting_30}};
        break;
    }
    default: out["layout"] = "unknown in the older interface"; break;
    }
}

// The gauge a chain belongs to, of either interface.
struct Owner {
    const void* header;
    bool older;
};

json describe_element(const ElementRecord& element, Owner owner) {
    const void* owned_by = owner.older ? static_cast<const void*>(element.gauge_old)
                                       : static_cast<const void*>(element.gauge);
    json out = {
        {"kind", element.kind},
        {"kind_name", element_kind_name(element.kind)},
        {"resource_id", element.resource_id},
        {"position", {element.position_x, element.position_y}},
        {"offset", {element.offset_x, element.offset_y}},
        {"image_flags", hex(element.image_flags)},
        {"special_flags", hex(element.special_flags)},
        {"owned_by_gauge", owned_by == owner.header},
        {"failures", failures(element.failures)},
    };
    if (owner.older)
        describe_older_kind(element, out);
    else
        describe_kind(element, out);
    return out;
}

// Elements in chain order: each element, then its children.
void collect(const ElementRecord* element, Owner owner, json& out,
             std::set<const ElementRecord*>& seen, int depth) {
    if (!element || depth > max_element_depth || seen.size() >= max_elements_per_gauge ||
        !seen.insert(element).second)
        return;
    json described = describe_element(*element, owner);
    described["depth"] = depth;
    out.push_back(std::move(described));
    for (size_t i = 0; element->children && i < max_children_per_element && element->children[i];
         ++i)
        collect(element->children[i], owner, out, seen, depth + 1);
}

json describe_chain(ElementRecord* const* roots, Owner owner) {
    json elements = json::array();
    std::set<const ElementRecord*> seen;
    for (size_t i = 0; roots && i < max_children_per_element && roots[i]; ++i)
        collect(roots[i], owner, elements, seen, 0);
    return elements;
}

// An older header names routines instead of a callback, and no mouse list: its
// install routine hands that to the host.
json describe_older_gauge(const GaugeHeaderOld& header) {
    json routines = {
        {"query", header.query_routine != nullptr},
        {"install", header.install_routine != nullptr},
        {"initialize", header.initialize_routine != nullptr},
        {"update", header.update_routine != nullptr},
        {"generate", header.generate_routine != nullptr},
        {"draw", header.draw_routine != nullptr},
        {"kill", header.kill_routine != nullptr},
    };
    return {
        {"name", header.name ? header.name : ""},
        {"version", hex(header.version)},
        {"size_mm", header.size_mm},
        {"routines", std::move(routines)},
        {"elements", describe_chain(header.element_list, {&header, true})},
    };
}

json describe_mouse_area(const MouseArea& area) {
    static const char* const kinds[] = {"end", "area begin", "clickable", "area end", "tooltip"};
    json out = {{"kind", area.kind}, {"kind_name", area.kind <= 4 ? kinds[area.kind] : "unknown"}};
    if (area.kind == MOUSE_BEGIN || area.kind == MOUSE_CHILD) {
        out["box"] = {area.box_x, area.box_y, area.box_width, area.box_height};
        out["cursor"] = area.cursor;
    }
    if (area.kind == MOUSE_BEGIN || area.kind == MOUSE_TOOLTIP) out["help_id"] = area.help_id;
    if (area.kind == MOUSE_CHILD) {
        out["mouse_flags"] = hex(area.mouse_flags);
        out["key_event"] = hex(area.key_event);
        out["callback"] = area.action.callback != nullptr;
    }
    if (area.kind == MOUSE_TOOLTIP && area.action.tooltip) out["tooltip"] = area.action.tooltip;
    return out;
}

} // namespace

json describe_gauge(const GaugeHeader& header) {
    if (const GaugeHeaderOld* older = older_header(&header)) return describe_older_gauge(*older);
    json elements = describe_chain(header.element_list, {&header, false});

    json mouse = json::array();
    for (size_t i = 0; header.mouse_areas && i < max_mouse_records; ++i) {
        mouse.push_back(describe_mouse_area(header.mouse_areas[i]));
        if (header.mouse_areas[i].kind == MOUSE_END) break;
    }

    return {
        {"name", header.name ? header.name : ""},
        {"version", hex(header.version)},
        {"size_mm", header.size_mm},
        {"gauge_callback", header.gauge_callback != nullptr},
        {"user_word", header.user_word},
        {"elements", std::move(elements)},
        {"mouse_areas", std::move(mouse)},
    };
}

json describe_module(const LoadedModule& module) {
    const ModuleLinkage& linkage = module.linkage();
    json gauges = json::array();
    for (const GaugeHeader* header : module.gauges())
        gauges.push_back(describe_gauge(*header));
    return {
        {"module", module.name()},
        {"linkage",
         {{"module_id", hex(linkage.module_id)},
          {"version", hex(linkage.version)},
          {"flags", linkage.flags},
          {"priority", linkage.priority},
          {"gauge_count", module.gauges().size()}}},
        {"warnings", module.warnings()},
        {"gauges", std::move(gauges)},
    };
}

} // namespace panelhost
