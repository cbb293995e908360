// VOR indicator of the NAV1 receiver: course card turned by the OBS, course and
// glide-slope bars with a three-update lag, TO/FROM arrows, VOR/LOC and GS flags,
// and three marker lamps. Powered by the NAV1 receiver; the OBS knob works always.
#include "element_sources.hpp"
#include "host_services.hpp"
#include "nav/knob_halves.hpp"
#include "nav/nav_bitmaps.hpp"
#include "nav/nav_gauges.hpp"
#include "nav/nav_logic.hpp"
#include "radios/radio_power.hpp"
#include "simulator_numbers.h"

namespace gauge {
namespace {

// The filtered deviations, shared by every placement.
double course_bar_value = 0;
double glideslope_bar_value = 0;

double shown_when(bool condition) { return condition ? 0 : ICON_HIDDEN; }

double GAUGE_CALL vor_gs_flag(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    return shown_when(!nav1_on || icon_source(element) == 0);
}

double GAUGE_CALL vor_nav_flag(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    return shown_when(!nav1_on || source_word(element, &IconRecord::source) == 0);
}

// The TO/FROM word: 1 to, 2 from, 0 no signal.
constexpr uint32_t to_station = 1;
constexpr uint32_t from_station = 2;

// The TO or FROM arrow, lit while NAV1 is on and the TO/FROM word is `lit_at`.
template <uint32_t lit_at> double GAUGE_CALL vor_arrow(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    return shown_when(nav1_on && source_word(element, &IconRecord::source) == lit_at);
}

constexpr ValueCallback vor_to_arrow = vor_arrow<to_station>;
constexpr ValueCallback vor_from_arrow = vor_arrow<from_station>;

// A marker lamp, lit while NAV1 is on and the marker beacon value is `lit_at`:
// 1, 2 or 3 lights the O, M or A lamp.
template <int lit_at> double GAUGE_CALL vor_marker_lamp(ElementRecord* element) {
    if (!element) return ICON_HIDDEN;
    return shown_when(nav1_on && icon_source(element) == lit_at);
}

constexpr ValueCallback vor_marker_o_lamp = vor_marker_lamp<1>;
constexpr ValueCallback vor_marker_m_lamp = vor_marker_lamp<2>;
constexpr ValueCallback vor_marker_a_lamp = vor_marker_lamp<3>;

double GAUGE_CALL vor_course_bar(ElementRecord* element) {
    if (!element) return course_bar_value;
    const auto* bar = reinterpret_cast<const SliderRecord*>(element);
    course_bar_value = nav::smoothed_bar(course_bar_value, bar->x_source.value.number, nav1_on);
    return course_bar_value;
}

double GAUGE_CALL vor_glideslope_bar(ElementRecord* element) {
    if (!element) return glideslope_bar_value;
    const auto* bar = reinterpret_cast<const SliderRecord*>(element);
    glideslope_bar_value =
        nav::smoothed_bar(glideslope_bar_value, bar->y_source.value.number, nav1_on);
    return glideslope_bar_value;
}

constexpr auto obs_down_click =
    knob_half<VAR_NAV1_SELECTED_COURSE, KEY_NAV1_COURSE_SET, nav::KnobTurn::Down>;
constexpr auto obs_up_click =
    knob_half<VAR_NAV1_SELECTED_COURSE, KEY_NAV1_COURSE_SET, nav::KnobTurn::Up>;

constexpr auto& face_failures = failure_list<listed(FAILURE_NAV1_RECEIVER)>;
constexpr auto& signal_failures =
    failure_list<zero(FAILURE_NAV1_RECEIVER), zero(FAILURE_AVIONICS), freeze(FAILURE_ELECTRICAL)>;

// The knob turns half a turn per 30 degrees of course.
constexpr NeedleRow obs_knob_table[] = {{32, 250, 0, 0}, {32, 290, 30, 0}};

constexpr IconRecord signal_icon(uint32_t bitmap, Point position, uint32_t flags, uint32_t source,
                                 ValueCallback callback) {
    return one_image(bitmap, position, flags, source, signal_failures, callback);
}

} // namespace

constinit VorIndicator vor_indicator_gauge = gauge_records(
    vor_indicator_gauge, {.name = "Becker_IN3303_VOR1"},
    elements(with_failures(static_image(vor_bitmaps::face, {0, 0}, lit_layer_flags), face_failures),
             // GS flag
             signal_icon(vor_bitmaps::gs_flag, {216, 138}, lit_moving_flags,
                         VAR_NAV1_GLIDESLOPE_VALID, vor_gs_flag),
             // FROM arrow
             signal_icon(vor_bitmaps::from_arrow, {141, 176}, lit_moving_flags, VAR_NAV1_TO_FROM,
                         vor_from_arrow),
             // TO arrow
             signal_icon(vor_bitmaps::to_arrow, {141, 130}, lit_moving_flags, VAR_NAV1_TO_FROM,
                         vor_to_arrow),
             // NAV flag
             signal_icon(vor_bitmaps::nav_flag, {129, 220}, lit_moving_flags, VAR_NAV1_TO_FROM,
                         vor_nav_flag),
             // course bar
             slider({.bitmap = vor_bitmaps::course_bar,
                     .position = {150, 81},
                     .image_flags = lit_moving_flags,
                     .x_source = VAR_NAV1_COURSE_DEVIATION,
                     .x_scale = 60.0 / 127.0,
                     .failures = signal_failures,
                     .x_callback = vor_course_bar}),
             // glideslope bar
             slider({.bitmap = vor_bitmaps::glideslope_bar,
                     .position = {74, 157},
                     .image_flags = lit_moving_flags,
                     .x_scale = 1.0,
                     .y_source = VAR_NAV1_GLIDESLOPE_DEVIATION,
                     .y_scale = 0.5,
                     .failures = signal_failures,
                     .y_callback = vor_glideslope_bar}),
             // card
             sprite({.bitmap = vor_bitmaps::card,
                     .position = {25, 35},
                     .turning_point = {151, 158},
                     .image_flags = lit_moving_flags,
                     .rotation_source = VAR_NAV1_SELECTED_COURSE,
                     .rotation_scale = 1.0}),
             // bezel
             static_image(vor_bitmaps::bezel, {0, 0}, layer_flags),
             // marker A
             signal_icon(vor_bitmaps::marker_a, {77, 18}, display_flags, VAR_MARKER_BEACON,
                         vor_marker_a_lamp),
             // marker M
             signal_icon(vor_bitmaps::marker_m, {196, 18}, display_flags, VAR_MARKER_BEACON,
                         vor_marker_m_lamp),
             // marker O
             signal_icon(vor_bitmaps::marker_o, {136, 4}, display_flags, VAR_MARKER_BEACON,
                         vor_marker_o_lamp),
             // OBS knob
             needle({.bitmap = vor_bitmaps::obs_knob,
                     .pivot = {32, 270},
                     .image_flags = moving_flags,
                     .source = VAR_NAV1_SELECTED_COURSE,
                     .table = obs_knob_table})),
    {
        area_begin(0xAB72),
        area_begin(0xAB73, {2, 240, 60, 60}),
        click_area({0, 0, 30, 60}, CURSOR_DOWNARROW, knob_half_buttons, obs_down_click),
        click_area({30, 0, 30, 60}, CURSOR_UPARROW, knob_half_buttons, obs_up_click),
        area_end(),
        area_end(),
        list_end(),
    });

} // namespace gauge
