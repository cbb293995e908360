// Panel toggle buttons: small square buttons that open, close or toggle panel
// windows, step the view, or call up host windows.
//
// Three are pure data: their click area names a key event that the host sends by
// itself. The other ten share one gauge callback and one mouse callback; what they
// do comes from their parameter string:
//
//   o<window>  open that window on a click        (each "o" in turn)
//   c<window>  close it on a click                (each "c", after the "o"s)
//   t<window>  toggle it on a click               (each "t", after the "c"s)
//   p<n>       step the view n times forward (n > 0) or back (n < 0); p0 sends
//              the view event for no step once
//   a<window>  close that window at the gauge's first installation
//   b<face>    show face 100 ... 200 (steps of 10) instead of the gauge's own
//   h<help>    the whole-gauge tooltip: a help name or a number from 0xA000
//
// A window is a name of the window table (RADIO_STACK_PANEL) or a number. Without a
// parameter string a click shows or hides the main panel window.
#include "host_services.hpp"
#include "options.hpp"
#include "panel/panel_bitmaps.hpp"
#include "panel/panel_gauges.hpp"
#include "simulator_numbers.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace gauge {
namespace {

namespace faces = panel_bitmaps;

// A click steps the view at most this many times, so that a mistyped count such as
// "p99999999" cannot hold the simulator for minutes.
constexpr int64_t max_view_steps = 100;

// The window toggled when the gauge has no parameter string.
constexpr uint32_t main_panel_window = 0;

bool has_text(const char* text) { return text && *text; }

bool selectable_face(int32_t face) {
    return face >= int32_t(faces::first_selectable_face) &&
           face <= int32_t(faces::last_selectable_face) &&
           face % int32_t(faces::selectable_face_step) == 0;
}

// "b" and "h", at every installation. A face that cannot be chosen leaves the face as
// it is and skips the help id as well.
void apply_face_and_help(GaugeHeader& gauge) {
    const char* parameters = gauge.parameters;
    if (!has_text(parameters)) return;
    if (const char* face = option_value(parameters, "b")) {
        int32_t number = read_integer(face);
        ElementRecord* root = gauge.element_list ? gauge.element_list[0] : nullptr;
        if (!root || !selectable_face(number)) return;
        root->resource_id = uint32_t(number);
    }
    if (const char* help = option_value(parameters, "h"))
        if (gauge.mouse_areas) gauge.mouse_areas[0].help_id = parse_help_id(help);
}

// "a", at the first installation only.
void apply_close_at_start(const GaugeHeader& gauge) {
    if (!has_text(gauge.parameters)) return;
    int32_t window = parse_window_number(option_value(gauge.parameters, "a"));
    if (window >= 0) host::trigger_key_event(KEY_PANEL_WINDOW_CLOSE, uint32_t(window));
}

// Every option `key` in turn, each search starting after the previous key.
void send_window_events(const char* parameters, const char* key, uint32_t event) {
    for (const char* value = option_value(parameters, key); value;
         value = option_value(value, key)) {
        int32_t window = parse_window_number(value);
        if (window >= 0) host::trigger_key_event(event, uint32_t(window));
    }
}

// The first "p".
void step_view(const char* parameters) {
    const char* value = option_value(parameters, "p");
    if (!value) return;
    int64_t steps = read_integer(value);
    if (steps == 0) {
        host::trigger_key_event(KEY_VIEW_RESET, 0);
        return;
    }
    uint32_t event = steps > 0 ? KEY_VIEW_NEXT : KEY_VIEW_PREVIOUS;
    for (int64_t i = std::min(steps > 0 ? steps : -steps, max_view_steps); i > 0; --i)
        host::trigger_key_event(event, 0);
}

// Performs the click options; false when there is no parameter string to read.
bool apply_click_options(const GaugeHeader* gauge) {
    if (!gauge || !has_text(gauge->parameters)) return false;
    const char* parameters = gauge->parameters;
    send_window_events(parameters, "o", KEY_PANEL_WINDOW_OPEN);
    send_window_events(parameters, "c", KEY_PANEL_WINDOW_CLOSE);
    send_window_events(parameters, "t", KEY_PANEL_WINDOW_TOGGLE);
    step_view(parameters);
    return true;
}

void GAUGE_CALL toggle_gauge_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    if (!gauge || service != int32_t(SERVICE_INSTALL)) return;
    apply_face_and_help(*gauge);
    // user_word marks the gauge as installed once.
    if (gauge->user_word == 0) {
        apply_close_at_start(*gauge);
        gauge->user_word = 1;
    }
}

uint32_t GAUGE_CALL toggle_click(MousePoint* point, uint32_t) {
    if (!apply_click_options(point ? point->gauge : nullptr))
        host::toggle_window(main_panel_window);
    return 0;
}

struct ToggleFields {
    const char* name;
    uint32_t face;
    uint32_t help_id;
    const char* tooltip; // or none
    uint32_t key_event;  // sent by the host on a click; 0: toggle_click decides
};

// clang-format off
constexpr ToggleFields toggles[] = {
    // gauge                  face                            help id  tooltip                              click
    {"ATC_Toggle",            faces::atc_face,                0xAB94,  nullptr,                             KEY_ATC_WINDOW},
    {"Kneeboard_Toggle",      faces::kneeboard_face,          0xAB93,  nullptr,                             KEY_KNEEBOARD_WINDOW},
    {"Map_Toggle",            faces::map_face,                0xAB8F,  nullptr,                             KEY_MAP_WINDOW},
    {"Invisible_Toggle",      faces::blank_face,              0,       nullptr,                             0},
    {"Radios_Toggle",         faces::radios_face,             0xAB86,  nullptr,                             0},
    {"GPS_Toggle",            faces::gps_face,                0xAB87,  nullptr,                             0},
    {"Throttle_Toggle",       faces::throttle_face,           0xAB88,  nullptr,                             0},
    {"Compass_Toggle",        faces::compass_face,            0xAB89,  nullptr,                             0},
    {"Close_Subpanel",        faces::close_face,              0,       "Close subpanel window",             0},
    {"Landing_View_Toggle",   faces::landing_view_face,       0,       "Switch normal view / landing view", 0},
    {"Electricity_Toggle",    faces::electricity_face,        0,       "Display/Hide electricity subpanel", 0},
    {"Overhead_Toggle",       faces::overhead_face,           0xAB95,  nullptr,                             0},
    {"Engine_Instr_Toggle",   faces::engine_instruments_face, 0,       nullptr,                             0},
};
// clang-format on

constexpr Box click_box{3, 3, 13, 13};

// Builds the records of the toggle named `name` in the table above; `self` is the
// object being initialised, whose addresses the records point at.
constexpr ToggleButton toggle_button(ToggleButton& self, std::string_view name) {
    const ToggleFields* found = nullptr;
    for (const ToggleFields& fields : toggles)
        if (name == fields.name) found = &fields;
    if (!found) throw "no toggle of that name"; // stops the compilation
    const ToggleFields& fields = *found;
    const bool configurable = fields.key_event == 0;

    ToggleButton button{};
    button.header = gauge_header(fields.name, self.roots, 19, self.mouse_areas,
                                 configurable ? toggle_gauge_callback : nullptr);
    link_chain(button, self,
               // face
               static_image(fields.face, {0, 0}, layer_flags));
    size_t record = 0;
    button.mouse_areas[record++] = area_begin(fields.help_id);
    if (fields.tooltip) button.mouse_areas[record++] = tooltip(fields.tooltip);
    button.mouse_areas[record++] =
        click_area(click_box, CURSOR_HAND, MOUSE_LEFT_BUTTON, configurable ? toggle_click : nullptr,
                   fields.key_event);
    button.mouse_areas[record++] = area_end();
    button.mouse_areas[record++] = list_end();
    return button;
}

} // namespace

constinit ToggleButton atc_toggle_gauge = toggle_button(atc_toggle_gauge, "ATC_Toggle");
constinit ToggleButton kneeboard_toggle_gauge =
    toggle_button(kneeboard_toggle_gauge, "Kneeboard_Toggle");
constinit ToggleButton map_toggle_gauge = toggle_button(map_toggle_gauge, "Map_Toggle");
constinit ToggleButton invisible_toggle_gauge =
    toggle_button(invisible_toggle_gauge, "Invisible_Toggle");
constinit ToggleButton radios_toggle_gauge = toggle_button(radios_toggle_gauge, "Radios_Toggle");
constinit ToggleButton gps_toggle_gauge = toggle_button(gps_toggle_gauge, "GPS_Toggle");
constinit ToggleButton throttle_toggle_gauge =
    toggle_button(throttle_toggle_gauge, "Throttle_Toggle");
constinit ToggleButton compass_toggle_gauge = toggle_button(compass_toggle_gauge, "Compass_Toggle");
constinit ToggleButton close_subpanel_gauge = toggle_button(close_subpanel_gauge, "Close_Subpanel");
constinit ToggleButton landing_view_toggle_gauge =
    toggle_button(landing_view_toggle_gauge, "Landing_View_Toggle");
constinit ToggleButton electricity_toggle_gauge =
    toggle_button(electricity_toggle_gauge, "Electricity_Toggle");
constinit ToggleButton overhead_toggle_gauge =
    toggle_button(overhead_toggle_gauge, "Overhead_Toggle");
constinit ToggleButton engine_instr_toggle_gauge =
    toggle_button(engine_instr_toggle_gauge, "Engine_Instr_Toggle");

} // namespace gauge
