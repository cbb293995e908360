#include "workbench_commands.hpp"

#include "key_event_names.hpp"
#include "simulator_numbers.h"
#include "workbench/json_request.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace panelhost {
namespace {

using nlohmann::json;

struct BadField : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const json& field(const json& body, const char* name) {
    auto it = body.find(name);
    if (it == body.end()) throw BadField(std::string("\"") + name + "\" is missing");
    return *it;
}

double number(const json& body, const char* name, double low, double high) {
    const json& value = field(body, name);
    if (!value.is_number()) throw BadField(std::string("\"") + name + "\" must be a number");
    double result = value.get<double>();
    if (!std::isfinite(result) || result < low || result > high)
        throw BadField(std::string("\"") + name + "\" must be a number from " +
                       std::to_string(low) + " to " + std::to_string(high));
    return result;
}

uint64_t whole(const json& body, const char* name, double low, double high) {
    double result = number(body, name, low, high);
    if (result != std::trunc(result))
        throw BadField(std::string("\"") + name + "\" must be a whole number");
    return uint64_t(result);
}

std::string text(const json& body, const char* name) {
    const json& value = field(body, name);
    if (!value.is_string()) throw BadField(std::string("\"") + name + "\" must be a string");
    return value.get<std::string>();
}

bool flag(const json& body, const char* name) {
    const json& value = field(body, name);
    if (!value.is_boolean()) throw BadField(std::string("\"") + name + "\" must be true or false");
    return value.get<bool>();
}

// Design pixels beyond this are no place on any gauge.
constexpr double max_coordinate = 100000;

WorkbenchCommand read_mouse(const json& body) {
    std::string action = text(body, "action");
    if (action == "release") return MouseRelease{};
    if (action != "press") throw BadField("\"action\" must be \"press\" or \"release\"");
    MousePress press;
    press.layout = whole(body, "layout", 0, 9007199254740991.0);
    press.gauge = size_t(whole(body, "gauge", 0, 1e6));
    press.x = number(body, "x", -max_coordinate, max_coordinate);
    press.y = number(body, "y", -max_coordinate, max_coordinate);
    std::string button = text(body, "button");
    if (button != "left" && button != "right")
        throw BadField("\"button\" must be \"left\" or \"right\"");
    press.right_button = button == "right";
    return press;
}

WorkbenchCommand read_key(const json& body) {
    SendKeyEvent key;
    const json& event = field(body, "event");
    if (event.is_string()) {
        std::optional<uint32_t> number = key_event_number(event.get<std::string>());
        if (!number) throw BadField("key event \"" + event.get<std::string>() + "\" is unknown");
        key.event = *number;
    } else {
        key.event = uint32_t(whole(body, "event", 0, 4294967295.0));
    }
    if (key.event < SIMULATOR_KEY_EVENT_FIRST)
        throw BadField("key events are numbered from 0x10000");
    // Values are 32-bit words; negative ones are sent as their two's complement.
    int64_t value = int64_t(number(body, "value", -2147483648.0, 4294967295.0));
    key.value = uint32_t(value);
    return key;
}

WorkbenchCommand read_scenario(const json& body) {
    std::string action = text(body, "action");
    using Action = ScenarioControl::Action;
    if (action == "play") return ScenarioControl{Action::Play, 0};
    if (action == "pause") return ScenarioControl{Action::Pause, 0};
    if (action == "restart") return ScenarioControl{Action::Restart, 0};
    if (action == "step")
        return ScenarioControl{Action::Step,
                               body.contains("seconds") ? number(body, "seconds", 0, 3600) : 1.0};
    if (action == "speed")
        return ScenarioControl{Action::Speed, number(body, "speed", 1.0 / 16, 16)};
    throw BadField("\"action\" must be play, pause, step, restart or speed");
}

// {"zoom": Z}, {"window": N, "zoom": Z} or {"window": N, "shown": true|false}, each
// with "page": ID when a page that says who it is sends it (only zooms need it).
WorkbenchCommand read_view(const json& body) {
    std::string page;
    if (body.contains("page")) {
        page = text(body, "page");
        if (std::string problem = page_id_problem(page); !problem.empty()) throw BadField(problem);
    }
    if (!body.contains("window"))
        return SetZoom{number(body, "zoom", min_zoom, max_zoom), {}, std::move(page)};
    const size_t window = size_t(whole(body, "window", 0, 1e6));
    if (body.contains("zoom") && body.contains("shown"))
        throw BadField("\"zoom\" and \"shown\" go in separate commands");
    if (body.contains("zoom"))
        return SetZoom{number(body, "zoom", min_zoom, max_zoom), window, std::move(page)};
    return ShowWindow{window, flag(body, "shown")};
}

WorkbenchCommand read(const std::string& kind, const json& body) {
    if (kind == "mouse") return read_mouse(body);
    if (kind == "variable")
        return SetVariable{uint32_t(whole(body, "id", 0, 4294967295.0)),
                           number(body, "value", -1e15, 1e15)};
    if (kind == "failure")
        return SetFailure{uint32_t(whole(body, "key", 1, 65535)), flag(body, "active")};
    if (kind == "key") return read_key(body);
    if (kind == "scenario") return read_scenario(body);
    if (kind == "view") return read_view(body);
    throw BadField("there is no command \"" + kind + "\"");
}

} // namespace

std::string page_id_problem(std::string_view page) {
    constexpr size_t longest_page_id = 64;
    const bool fits = !page.empty() && page.size() <= longest_page_id &&
                      std::all_of(page.begin(), page.end(), [](char c) {
                          return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                 (c >= '0' && c <= '9') || c == '-' || c == '_';
                      });
    if (fits) return {};
    return "\"page\" must be 1 to 64 letters, digits, '-' or '_'";
}

std::optional<WorkbenchCommand> read_command(const std::string& kind, const std::string& body,
                                             std::string& error) {
    return read_json_request(body, error,
                             [&kind](const json& document) { return read(kind, document); });
}

} // namespace panelhost
