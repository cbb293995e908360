// Radio magnetic indicator: a compass card turned by the heading and two bearing
// pointers, each fed by a navigation receiver or the ADF as its selector says. A
// pointer whose receiver is off, or whose station gives no bearing, parks at 90.
#include "host_services.hpp"
#include "nav/nav_bitmaps.hpp"
#include "nav/nav_gauges.hpp"
#include "radios/radio_power.hpp"
#include "simulator_numbers.h"
#include "sound/click_sound_player.hpp"

namespace gauge {
namespace {

constexpr double park = 90; // pointing to the right
constexpr uint32_t no_bearing_bit = 0x80;

// Selectors: 0 on the VOR receiver, 1 on the ADF.
uint32_t rmi_left_adf = 0;
uint32_t rmi_right_adf = 0;
constinit sound::ClickSound rmi_click{sound::selector_click_wave};

void GAUGE_CALL rmi_callback(GaugeHeader*, int32_t service, uintptr_t extra) {
    if (service == SERVICE_INSTALL) rmi_click.install(extra);
    if (service == SERVICE_KILL) rmi_click.release();
}

// One pointer's receiver on the VOR side of its selector.
struct VorSide {
    uint32_t bearing;
    uint32_t station_code;
    const bool& powered;
};

constexpr VorSide single_bar_vor{VAR_NAV1_BEARING, VAR_NAV1_STATION_CODE, nav1_on};
constexpr VorSide double_bar_vor{VAR_NAV2_BEARING, VAR_NAV2_STATION_CODE, nav2_on};

// Retargets the pointer's source for the next update and returns the bearing it
// shows now: its current source value, or the park value. The host refreshes the
// new source only before the next update, so a switch shows one update late.
double pointer_value(ElementRecord* element, uint32_t selector, const VorSide& vor) {
    if (!element) return park;
    auto* pointer = reinterpret_cast<NeedleRecord*>(element);
    const double shown = pointer->source.value.number;
    if (selector == 1) {
        pointer->source.id = VAR_ADF_BEARING;
        return adf_on ? shown : park;
    }
    pointer->source.id = vor.bearing;
    if (!vor.powered) return park;
    TokenVariable code = variable(vor.station_code);
    host::lookup_var(code);
    return code.value.integer & no_bearing_bit ? park : shown;
}

double GAUGE_CALL rmi_single_bar(ElementRecord* element) {
    return pointer_value(element, rmi_left_adf, single_bar_vor);
}

double GAUGE_CALL rmi_double_bar(ElementRecord* element) {
    return pointer_value(element, rmi_right_adf, double_bar_vor);
}

double GAUGE_CALL rmi_left_selector(ElementRecord*) { return rmi_left_adf; }
double GAUGE_CALL rmi_right_selector(ElementRecord*) { return rmi_right_adf; }

uint32_t GAUGE_CALL rmi_left_click(MousePoint*, uint32_t) {
    rmi_left_adf = rmi_left_adf == 0 ? 1 : 0;
    rmi_click.play();
    return 0;
}

uint32_t GAUGE_CALL rmi_right_click(MousePoint*, uint32_t) {
    rmi_right_adf = rmi_right_adf == 0 ? 1 : 0;
    rmi_click.play();
    return 0;
}

// A bearing in degrees from the top of the dial.
constexpr NeedleRow pointer_table[] = {{150, 50, 0, 0}, {150, 250, 180, 0}};

constexpr auto& card_failures =
    failure_list<freeze(FAILURE_ELECTRICAL), listed(FAILURE_COMPASS_SYSTEM)>;
constexpr auto& double_bar_failures =
    failure_list<freeze(FAILURE_ELECTRICAL), listed(FAILURE_ADF_RECEIVER),
                 listed(FAILURE_NAV2_RECEIVER), listed(FAILURE_AVIONICS)>;
constexpr auto& single_bar_failures =
    failure_list<freeze(FAILURE_ELECTRICAL), listed(FAILURE_ADF_RECEIVER),
                 listed(FAILURE_NAV1_RECEIVER), listed(FAILURE_AVIONICS)>;

// The two bearing pointers turn about the face's centre, each fed by the receiver
// its selector names (its record starts on the VOR side).
constexpr NeedleRecord bearing_pointer(const Bitmap& bitmap, const VorSide& vor,
                                       const FailureEntry* failures, ValueCallback callback) {
    return needle({.bitmap = bitmap,
                   .pivot = {150, 150},
                   .image_flags = lit_moving_flags,
                   .source = vor.bearing,
                   .table = pointer_table,
                   .failures = failures,
                   .callback = callback});
}

// A selector knob: image 0 on the VOR, 1 on the ADF.
constexpr IconRecord selector(const Bitmap& vor_image, Point position, ValueCallback callback) {
    return icon({.bitmap = vor_image,
                 .position = position,
                 .image_flags = layer_flags,
                 .scale = 1.0,
                 .icon_count = 2,
                 .callback = callback});
}

} // namespace

constinit Rmi rmi_gauge = gauge_records(
    rmi_gauge, {.name = "Collins_RMI", .callback = rmi_callback},
    elements(static_image(rmi_bitmaps::face, {0, 0}, lit_layer_flags),
             // card
             sprite({.bitmap = rmi_bitmaps::card,
                     .position = {35, 35},
                     .turning_point = {150, 150},
                     .image_flags = lit_moving_flags,
                     .rotation_source = VAR_HEADING_INDICATOR,
                     .rotation_scale = 1.0,
                     .failures = card_failures}),
             bearing_pointer(rmi_bitmaps::double_bar, double_bar_vor, double_bar_failures,
                             rmi_double_bar),
             bearing_pointer(rmi_bitmaps::single_bar, single_bar_vor, single_bar_failures,
                             rmi_single_bar),
             // overlay
             static_image(rmi_bitmaps::overlay, {0, 0}, layer_flags),
             selector(rmi_bitmaps::left_selector_vor, {35, 206}, rmi_left_selector),
             selector(rmi_bitmaps::right_selector_vor, {206, 206}, rmi_right_selector)),
    {
        area_begin(0xAB5A),
        click_area({35, 206, 59, 59}, CURSOR_HAND, MOUSE_LEFT_BUTTON, rmi_left_click),
        click_area({206, 206, 59, 59}, CURSOR_HAND, MOUSE_LEFT_BUTTON, rmi_right_click),
        area_end(),
        list_end(),
    });

} // namespace gauge
