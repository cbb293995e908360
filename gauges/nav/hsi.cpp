// Horizontal situation indicator: compass card, heading bug, course pointer with
// its TO/FROM arrow and a deviation bar that turns with it, a glideslope pointer,
// HDG / NAV / VERT flags, and the course and heading-bug knobs. The navigation
// parts follow the NAV1 receiver and read its power flag.
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

constexpr double lowest_supply = 20;

// The course pointer's last angle (course less heading).
double hsi_course_angle = 0;

double read(uint32_t id) {
    TokenVariable token = variable(id);
    host::lookup_var(token);
    return token.value.number;
}

double GAUGE_CALL hsi_compass_card(ElementRecord* element) {
    if (!element) return 0;
    return -needle_source(element);
}

double GAUGE_CALL hsi_heading_bug(ElementRecord* element) {
    if (!element) return 0;
    return needle_source(element) - read(VAR_HEADING_INDICATOR);
}

double GAUGE_CALL hsi_course_pointer(ElementRecord* element) {
    if (!element) return hsi_course_angle;
    hsi_course_angle = needle_source(element) - read(VAR_HEADING_INDICATOR);
    return hsi_course_angle;
}

// Across the course with no indication or NAV1 off, along it for +1, reversed
// for -1. Drawn before the course pointer: uses the angle of its last update.
double GAUGE_CALL hsi_to_from_angle(ElementRecord* element) {
    const double across = hsi_course_angle + 90;
    if (!element || !nav1_on) return across;
    const double sense = needle_source(element);
    if (sense == -1) return across + 90;
    if (sense == 1) return across - 90;
    return across;
}

double GAUGE_CALL hsi_deviation_offset(ElementRecord* element) {
    if (!nav1_on) return 0;
    return source_value(element, &SpriteRecord::x_source);
}

double GAUGE_CALL hsi_deviation_rotation(ElementRecord*) { return hsi_course_angle; }

// Shown only with NAV1 on and a glideslope received.
double GAUGE_CALL hsi_glideslope_y(ElementRecord* element) {
    if (!element) return 0;
    auto* pointer = reinterpret_cast<SliderRecord*>(element);
    const bool shown = nav1_on && pointer->x_source.value.number != 0;
    if (shown)
        pointer->common.image_flags &= ~IMAGE_FLAG_HIDDEN;
    else
        pointer->common.image_flags |= IMAGE_FLAG_HIDDEN;
    return pointer->y_source.value.number;
}

double GAUGE_CALL hsi_hdg_flag(ElementRecord* element) {
    if (!element) return 0;
    const bool failed = icon_source(element) != 0 || read(VAR_INSTRUMENT_POWER_FAILED) != 0 ||
                        read(VAR_HEADING_SLAVING_FAILED) != 0;
    return failed ? 0 : ICON_HIDDEN;
}

// The NAV and VERT flags' shared decision: 0 (flag shown) on a failure or low
// supply, else the flag's own value. With the alternate source the NAV flag
// follows its own value alone and the VERT flag stays in view.
enum class NavFlag { Nav, Vert };

double nav_flag_value(double own, NavFlag flag) {
    if (read(VAR_INSTRUMENT_POWER_FAILED) != 0) return 0;
    if (read(VAR_HSI_ALTERNATE_SOURCE) != 0) return flag == NavFlag::Nav ? own : 0;
    if (read(VAR_NAV_INDICATION_FAILED) != 0) return 0;
    if (read(VAR_HSI_SUPPLY) < lowest_supply) return 0;
    return own;
}

double GAUGE_CALL hsi_nav_flag(ElementRecord* element) {
    if (!element) return 0;
    return nav_flag_value(icon_source(element), NavFlag::Nav);
}

double GAUGE_CALL hsi_vert_flag(ElementRecord* element) {
    if (!element) return 0;
    return nav_flag_value(-icon_source(element), NavFlag::Vert);
}

constexpr auto hsi_bug_down = knob_half<VAR_HEADING_BUG, KEY_HEADING_BUG_SET, nav::KnobTurn::Down>;
constexpr auto hsi_bug_up = knob_half<VAR_HEADING_BUG, KEY_HEADING_BUG_SET, nav::KnobTurn::Up>;
// The course knob's down half starts from the course the pointer shows, the up
// half from the receiver's selected course.
constexpr auto hsi_course_down =
    knob_half<VAR_HSI_COURSE, KEY_NAV1_COURSE_SET, nav::KnobTurn::Down>;
constexpr auto hsi_course_up =
    knob_half<VAR_NAV1_SELECTED_COURSE, KEY_NAV1_COURSE_SET, nav::KnobTurn::Up>;

constexpr auto& card_failures =
    failure_list<freeze(FAILURE_ELECTRICAL), freeze(FAILURE_COMPASS_SYSTEM),
                 freeze(FAILURE_HEADING_GYRO)>;
constexpr auto& hidden_with_nav_failures =
    failure_list<hide(FAILURE_ELECTRICAL), hide(FAILURE_AVIONICS), hide(FAILURE_NAV1_RECEIVER)>;
constexpr auto& pointer_failures = failure_list<freeze(FAILURE_ELECTRICAL), zero(FAILURE_AVIONICS)>;
constexpr auto& bar_failures =
    failure_list<zero(FAILURE_ELECTRICAL), zero(FAILURE_AVIONICS), zero(FAILURE_NAV1_RECEIVER)>;

constexpr Point centre{151, 145};

// The card, the heading bug and the pointers turn about the face's centre.
constexpr NeedleRecord centred(const Bitmap& bitmap, uint32_t source, const FailureEntry* failures,
                               ValueCallback callback) {
    return needle({.bitmap = bitmap,
                   .pivot = centre,
                   .image_flags = lit_moving_flags,
                   .source = source,
                   .failures = failures,
                   .callback = callback});
}

// The NAV, HDG and VERT flags, shown or hidden by their callbacks.
constexpr IconRecord flag(const Bitmap& bitmap, Point position, uint32_t source,
                          ValueCallback callback) {
    return one_image(bitmap, position, lit_layer_flags, source, nullptr, callback);
}

// The two knobs under the face, turned by the value they set.
constexpr NeedleRecord knob(const Bitmap& bitmap, Point pivot, uint32_t source,
                            uint32_t special_flags = 0) {
    return needle({.bitmap = bitmap,
                   .pivot = pivot,
                   .image_flags = moving_flags,
                   .source = source,
                   .special_flags = special_flags});
}

} // namespace

constinit Hsi hsi_gauge = gauge_records(
    hsi_gauge, {.name = "HSI", .size_mm = 150},
    elements(
        static_image(hsi_bitmaps::face, {0, 0}, lit_layer_flags),
        centred(hsi_bitmaps::card, VAR_HEADING_INDICATOR, card_failures, hsi_compass_card),
        centred(hsi_bitmaps::heading_bug, VAR_HEADING_BUG, nullptr, hsi_heading_bug),
        centred(hsi_bitmaps::to_from, VAR_HSI_TO_FROM, hidden_with_nav_failures, hsi_to_from_angle),
        flag(hsi_bitmaps::nav_flag, {0, 0}, VAR_HSI_COURSE_VALID, hsi_nav_flag),
        centred(hsi_bitmaps::course_pointer, VAR_HSI_COURSE, pointer_failures, hsi_course_pointer),
        // deviation bar
        sprite({.bitmap = hsi_bitmaps::deviation_bar,
                .position = {48, 42},
                .turning_point = centre,
                .image_flags = lit_moving_flags,
                .x_source = VAR_HSI_LATERAL_DEVIATION,
                .x_scale = -36.0,
                .y_scale = 1.0,
                .rotation_source = VAR_HSI_COURSE,
                .rotation_scale = -1.0,
                .failures = bar_failures,
                .x_callback = hsi_deviation_offset,
                .rotation_callback = hsi_deviation_rotation}),
        flag(hsi_bitmaps::hdg_flag, {157, 28}, VAR_HEADING_GYRO_FAILED, hsi_hdg_flag),
        // glideslope pointer
        slider({.bitmap = hsi_bitmaps::glideslope_pointer,
                .position = {260, 138},
                .image_flags = lit_moving_flags,
                .x_source = VAR_HSI_GLIDESLOPE_VALID,
                .x_scale = 1.0,
                .y_source = VAR_HSI_VERTICAL_DEVIATION,
                .y_scale = 40.0,
                .failures = hidden_with_nav_failures,
                .y_callback = hsi_glideslope_y}),
        flag(hsi_bitmaps::vert_flag, {244, 114}, VAR_HSI_GLIDESLOPE_VALID, hsi_vert_flag),
        static_image(hsi_bitmaps::marks, {32, 31}, lit_layer_flags),
        static_image(hsi_bitmaps::bezel, {0, 0}, layer_flags),
        knob(hsi_bitmaps::course_knob, {43, 266}, VAR_NAV1_SELECTED_COURSE),
        knob(hsi_bitmaps::heading_knob, {259, 266}, VAR_HEADING_BUG, ELEMENT_SPECIAL_KNOB)),
    {
        area_begin(),
        tooltip(0x3094),
        area_begin(0xAB38, {19, 242, 48, 48}),
        area_end(),
        area_begin(0xAB33, {235, 242, 48, 48}),
        area_end(),
        click_area({235, 242, 24, 48}, CURSOR_DOWNARROW, knob_half_buttons, hsi_bug_down),
        click_area({259, 242, 24, 48}, CURSOR_UPARROW, knob_half_buttons, hsi_bug_up),
        click_area({19, 242, 24, 48}, CURSOR_DOWNARROW, knob_half_buttons, hsi_course_down),
        click_area({43, 242, 24, 48}, CURSOR_UPARROW, knob_half_buttons, hsi_course_up),
        area_end(),
        list_end(),
    });

} // namespace gauge
