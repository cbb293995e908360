// What the workbench page asks of the host, read from the JSON bodies of its
// requests. Reading checks every field (types, ranges, finite numbers), so that a
// command that reaches the panel thread can be carried out as it stands; what only
// the panel knows (which gauges exist) the session checks when it is submitted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace panelhost {

// A mouse button goes down on gauge `gauge` (its number in the layout) at design
// pixels (x, y) of the gauge.
struct MousePress {
    uint64_t layout = 0; // the layout the page numbered the gauge in
    size_t gauge = 0;
    double x = 0, y = 0;
    bool right_button = false;
};
// The button the page pressed last comes up.
struct MouseRelease {};
struct SetVariable {
    uint32_t id = 0;
    double value = 0;
};
struct SetFailure {
    uint32_t key = 0;
    bool active = false;
};
struct SendKeyEvent {
    uint32_t event = 0;
    uint32_t value = 0;
};
struct ScenarioControl {
    enum class Action { Play, Pause, Step, Restart, Speed };
    Action action = Action::Play;
    double amount = 0; // Step: seconds of scenario time; Speed: the speed
};
// Panel pixels per panel unit of the pictures the host draws for the page: of
// every window, or of window `window` alone (a page that shows it larger). Asked by
// page `page` ("" for a request that names none); a window's pictures are drawn at
// the largest zoom that a page watching asks (page_zooms.hpp).
struct SetZoom {
    double zoom = 1;
    std::optional<size_t> window;
    std::string page;
};
// Opens or closes panel window `window` (its number in the layout), as the
// simulator's window menu does.
struct ShowWindow {
    size_t window = 0;
    bool shown = true;
};

using WorkbenchCommand = std::variant<MousePress, MouseRelease, SetVariable, SetFailure,
                                      SendKeyEvent, ScenarioControl, SetZoom, ShowWindow>;

// Reads the body of a POST to /api/<kind> ("mouse", "variable", "failure", "key",
// "scenario", "view"; a view is a zoom, of all windows or of one, or a window
// opened or closed, and may name the page that sends it). None, with `error` saying
// what is wrong, when it cannot.
std::optional<WorkbenchCommand> read_command(const std::string& kind, const std::string& body,
                                             std::string& error);

// Why `page` cannot name a page (in a view command or a frame request: letters,
// digits, '-' and '_', 1 to 64 of them), or empty.
std::string page_id_problem(std::string_view page);

// The range a zoom is held to.
inline constexpr double min_zoom = 0.25;
inline constexpr double max_zoom = 4.0;

} // namespace panelhost
