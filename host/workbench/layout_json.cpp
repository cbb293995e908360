#include "workbench/layout_json.hpp"

#include "element_model.hpp"
#include "failure_names.hpp"
#include "help_texts.hpp"
#include "key_event_names.hpp"
#include "mouse_map.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

namespace panelhost {
namespace {

using nlohmann::json;

constexpr size_t longest_module_text = 256;

// A text from module memory, read no further than `longest_module_text`.
std::string module_text(const char* text) {
    if (!text) return {};
    return std::string(text, strnlen(text, longest_module_text));
}

const char* cursor_name(int32_t cursor) {
    switch (cursor) {
    case CURSOR_UPARROW: return "up";
    case CURSOR_DOWNARROW: return "down";
    case CURSOR_LEFTARROW: return "left";
    case CURSOR_RIGHTARROW: return "right";
    case CURSOR_HAND: return "hand";
    default: return nullptr;
    }
}

// The text an area gives the pointer: its tooltip text, else the host's text for
// its help id; null for an area without either (the page takes the innermost
// area under the pointer that has one, as the host does).
json tip_of(const MouseNode& node) {
    if (node.tooltip) return module_text(node.tooltip);
    if (node.help_id) return help_text(node.help_id);
    return nullptr;
}

const char* failure_action_name(uint32_t action) {
    switch (action) {
    case FAILURE_ACTION_NONE: return "no effect";
    case FAILURE_ACTION_FREEZE: return "keeps its last value";
    case FAILURE_ACTION_ZERO: return "reads 0";
    case FAILURE_ACTION_HIDE: return "is not drawn";
    default: return "unknown action";
    }
}

json optional_json(const auto& value) { return value ? json(*value) : json(nullptr); }

json point_json(const std::optional<PanelPoint>& point) {
    return point ? json({point->x, point->y}) : json(nullptr);
}

json screen_place_json(const ScreenPlace& screen) {
    return {{"position", optional_json(screen.position)},
            {"window_pos", point_json(screen.position_fraction)},
            {"window_size", point_json(screen.size_fraction)},
            {"size_ratio", optional_json(screen.size_ratio)},
            {"zorder", screen.zorder}};
}

json colour_json(const std::optional<PanelColor>& color) {
    if (!color) return nullptr;
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color->red & 0xFF, color->green & 0xFF,
                  color->blue & 0xFF);
    return text;
}

} // namespace

json mouse_areas_json(const GaugeInstance& instance) {
    json nodes = json::array();
    const MouseMap& map = instance.mouse_map();
    for (size_t i = 0; i < map.nodes.size(); ++i) {
        const MouseNode& node = map.nodes[i];
        const MouseArea& record = *node.record;
        bool clickable = record.kind == MOUSE_CHILD;
        json item = {{"box", {node.box.x, node.box.y, node.box.width, node.box.height}},
                     {"parent", node.parent},
                     {"depth", node.depth},
                     {"clickable", clickable},
                     {"tip", tip_of(node)}};
        if (clickable) {
            const char* cursor = cursor_name(record.cursor);
            item["cursor"] = cursor ? json(cursor) : json(nullptr);
            item["left"] = (record.mouse_flags & MOUSE_LEFT_BUTTON) != 0;
            item["right"] = (record.mouse_flags & MOUSE_RIGHT_BUTTON) != 0;
            item["repeat"] = (record.mouse_flags & MOUSE_REPEAT) != 0;
            if (record.key_event) item["key_event"] = key_event_name(record.key_event);
        }
        nodes.push_back(std::move(item));
    }
    return nodes;
}

// Every failure key the placed gauges' elements list: the host's name for it, the
// gauges it acts on, and what it does to each of their elements.
json failure_keys_json(const Panel& panel) {
    std::map<uint32_t, std::set<std::string>> uses;
    std::map<uint32_t, std::set<std::string>> gauges;
    for (const PlacedWindow& window : panel.windows())
        for (const PlacedGauge& gauge : window.gauges) {
            if (!gauge.instance) continue;
            const auto& elements = gauge.instance->elements();
            for (size_t i = 0; i < elements.size(); ++i) {
                const FailureEntry* list =
                    elements[i].record ? elements[i].record->failures : nullptr;
                for (const FailureEntry& entry : FailureEntries(list)) {
                    uses[entry.key].insert(
                        gauge.instance->name() + ": " + element_kind_name(elements[i].kind) + " " +
                        std::to_string(i + 1) + " " + failure_action_name(entry.action));
                    gauges[entry.key].insert(gauge.instance->name());
                }
            }
        }
    json keys = json::array();
    for (const auto& [key, users] : uses)
        keys.push_back(
            {{"key", key}, {"name", failure_name(key)}, {"gauges", gauges[key]}, {"uses", users}});
    return keys;
}

json palette_json(const PanelHost& host) {
    json gauges = json::array();
    for (const auto& [name, module] : host.modules())
        for (const GaugeHeader* header : module->gauges()) {
            const std::string gauge = module_text(header->name);
            if (gauge.empty()) continue;
            auto [width, height] = module->design_size(*header);
            gauges.push_back({{"module", name},
                              {"gauge", gauge},
                              {"width", width},
                              {"height", height},
                              {"thumbnail", "/api/palette/" + name + "/" + gauge + ".png"}});
        }
    return gauges;
}

// The catalog with its groups in the order the enumeration gives them.
json variable_catalog_json() {
    std::vector<VariableInfo> catalog = variable_catalog();
    std::stable_sort(catalog.begin(), catalog.end(),
                     [](const auto& a, const auto& b) { return int(a.group) < int(b.group); });
    json variables = json::array();
    for (const VariableInfo& info : catalog) {
        json item = {{"id", info.id},
                     {"name", info.name},
                     {"unit", info.unit},
                     {"group", group_name(info.group)},
                     {"integer", info.reading == Reading::Integer}};
        if (info.low != info.high) item["range"] = {info.low, info.high};
        variables.push_back(std::move(item));
    }
    return variables;
}

std::string json_text(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

json window_json(const PlacedWindow& window, json gauge_ids, json background_address) {
    return {{"title", window.title},
            {"section", window.section},
            {"ident", optional_json(window.ident)},
            {"virtual_cockpit", window.virtual_cockpit},
            {"width", window.width},
            {"height", window.height},
            {"screen", screen_place_json(window.screen)},
            {"background_color", colour_json(window.background_color)},
            {"background", std::move(background_address)},
            {"gauges", std::move(gauge_ids)}};
}

} // namespace panelhost
