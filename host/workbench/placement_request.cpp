#include "workbench/placement_request.hpp"

#include "text_case.hpp"
#include "workbench/json_request.hpp"

#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace panelhost {
namespace {

using nlohmann::json;

struct BadField : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string text_field(const json& body, const char* name) {
    auto it = body.find(name);
    if (it == body.end()) throw BadField(std::string("\"") + name + "\" is missing");
    if (!it->is_string() || it->get<std::string>().empty())
        throw BadField(std::string("\"") + name + "\" must be a non-empty string");
    return it->get<std::string>();
}

// A whole number of panel units from `low` to `high`, if the body gives it.
std::optional<int> units(const json& body, const char* name, int low, int high) {
    auto it = body.find(name);
    if (it == body.end()) return std::nullopt;
    double value = it->is_number() ? it->get<double>() : NAN;
    if (!std::isfinite(value) || value != std::trunc(value) || value < low || value > high)
        throw BadField(std::string("\"") + name + "\" must be a whole number from " +
                       std::to_string(low) + " to " + std::to_string(high));
    return int(value);
}

PlacementChange change_of(const json& body) {
    PlacementChange change;
    change.x = units(body, "x", -max_window_side, max_window_side);
    change.y = units(body, "y", -max_window_side, max_window_side);
    change.width = units(body, "width", 1, max_window_side);
    change.height = units(body, "height", 1, max_window_side);
    if (auto it = body.find("parameters"); it != body.end()) {
        if (!it->is_string()) throw BadField("\"parameters\" must be a string");
        change.parameters = it->get<std::string>();
    }
    return change;
}

bool any(const PlacementChange& change) {
    return change.x || change.y || change.width || change.height || change.parameters;
}

PlacementRequest read(const json& body) {
    std::string window = text_field(body, "window");
    if (body.contains("add")) {
        PlacementChange fields = change_of(body);
        if (!fields.x || !fields.y) throw BadField("a gauge added needs \"x\" and \"y\"");
        return AddPlacement{window,
                            {text_field(body, "add"), *fields.x, *fields.y, fields.width,
                             fields.height, fields.parameters}};
    }
    std::string gauge = text_field(body, "gauge");
    if (auto it = body.find("remove"); it != body.end()) {
        if (*it != true) throw BadField("\"remove\" can only be true");
        if (body.size() > 3) throw BadField("a gauge removed takes no other fields");
        return RemovePlacement{window, gauge};
    }
    if (body.contains("to_window"))
        return MovePlacement{window, gauge, text_field(body, "to_window"), change_of(body)};
    PlacementChange change = change_of(body);
    if (!any(change))
        throw BadField("say what to change: \"x\", \"y\", \"width\", \"height\" or \"parameters\"");
    return ChangePlacement{window, gauge, change};
}

// The window of the panel file's text with this section name, in any case.
const PanelWindow* find_window(const PanelConfig& config, const std::string& section) {
    for (const PanelWindow& window : config.windows)
        if (lower(window.section) == lower(section)) return &window;
    return nullptr;
}

// Why the window or gauge cannot be found in the text, or empty.
std::string missing(const PanelConfig& config, const std::string& section, const std::string* key) {
    const PanelWindow* window = find_window(config, section);
    if (!window) return "the panel file has no window [" + section + "]";
    if (!key) return {};
    for (const PanelGauge& gauge : window->gauges)
        if (lower(gauge.key) == lower(*key)) return {};
    return "window [" + section + "] has no gauge " + *key;
}

} // namespace

std::optional<PlacementRequest> read_placement_request(const std::string& body,
                                                       std::string& error) {
    return read_json_request(body, error, [](const json& document) { return read(document); });
}

PanelEdit apply_placement_request(const PlacementRequest& request, const std::string& text,
                                  bool& not_found) {
    std::istringstream in(text);
    PanelConfig config = read_panel_config(in, "panel");
    auto refuse = [&](std::string why) {
        not_found = true;
        return PanelEdit{text, std::move(why), {}};
    };
    not_found = false;
    if (const auto* change = std::get_if<ChangePlacement>(&request)) {
        if (auto why = missing(config, change->window, &change->gauge); !why.empty())
            return refuse(why);
        return change_placement(text, change->window, change->gauge, change->change);
    }
    if (const auto* move = std::get_if<MovePlacement>(&request)) {
        if (auto why = missing(config, move->window, &move->gauge); !why.empty())
            return refuse(why);
        if (auto why = missing(config, move->to_window, nullptr); !why.empty()) return refuse(why);
        PanelEdit moved = move_placement(text, move->window, move->gauge, move->to_window);
        if (!moved.error.empty() || !any(move->change)) return moved;
        PanelEdit placed = change_placement(moved.text, move->to_window, moved.key, move->change);
        if (!placed.error.empty()) return {text, placed.error, {}};
        return placed;
    }
    if (const auto* add = std::get_if<AddPlacement>(&request)) {
        if (auto why = missing(config, add->window, nullptr); !why.empty()) return refuse(why);
        return add_placement(text, add->window, add->placement);
    }
    const auto& remove = std::get<RemovePlacement>(request);
    if (auto why = missing(config, remove.window, &remove.gauge); !why.empty()) return refuse(why);
    return remove_placement(text, remove.window, remove.gauge);
}

} // namespace panelhost
