// The radio heads from one design. COM1, NAV1, NAV2 and ADF draw the same parts
// in the same order: face, window backing, lit push-button faces, lit transfer
// button, preset and active texts, [the ident button pressed, unlit and lit,] the ON
// button pressed, unlit and lit, power lamp and window cover; and they have the same
// mouse areas: help over the face, tooltips on the buttons, the knob's eight areas
// and the buttons. The table below holds what differs between them; each receiver's
// file adds its callbacks, which are bound to that receiver's own state.
#pragma once

#include "radios/adf_tuning.hpp"
#include "radios/radio_failures.hpp"
#include "radios/radio_gauges.hpp"
#include "radios/radio_icons.hpp"
#include "radios/radio_layout.hpp"
#include "simulator_numbers.h"

#include <iterator>

namespace gauge {

// What one head's records hold that differs from the other heads'.
struct HeadRow {
    const char* name;
    radio_layout::HeadLayout layout; // bitmaps and positions
    uint32_t preset_source;          // token variables of the two texts
    uint32_t active_source;
    const FailureEntry* texts_failed;
    const FailureEntry* lamp_failed = texts_failed; // unless the lamp fails otherwise
    uint32_t help_id;                               // of the face's help areas
    const char* power_tooltip;                      // over the ON button
    const char* ident_tooltip = nullptr;            // over the ident button, on a head with one
    // The clicks the knob's halves answer: unless said otherwise, held over the
    // preset window they repeat, on the knob they step once a press.
    radio_layout::KnobFlags whole_flags = radio_layout::repeating_over_window;
    radio_layout::KnobFlags fraction_flags = radio_layout::repeating_over_window;
};

namespace radio_heads {

using namespace radio_layout;
using namespace radio_failures;

// The table of the four heads. NAV1 and NAV2 are one design bound to two receivers.
// The ADF keeps its preset itself: both its texts name the active frequency's
// variable, which only makes the host refresh them.
inline constexpr HeadRow com1{
    .name = "Becker_AR3202_COM1",
    .layout = com_layout,
    .preset_source = VAR_COM_STANDBY_FREQUENCY,
    .active_source = VAR_COM_FREQUENCY,
    .texts_failed = com_displays_failed,
    .help_id = 0x3160,
    .power_tooltip = "COM1 radio main switch",
};
inline constexpr HeadRow nav1{
    .name = "Becker_NR3320_NAV1",
    .layout = nav_layout,
    .preset_source = VAR_NAV1_STANDBY_FREQUENCY,
    .active_source = VAR_NAV1_FREQUENCY,
    .texts_failed = nav1_displays_failed,
    .help_id = 0x3168,
    .power_tooltip = "NAV1 radio main switch",
    .ident_tooltip = "NAV1 radio Ident switch",
};
inline constexpr HeadRow nav2{
    .name = "Becker_NR3320_NAV2",
    .layout = nav_layout,
    .preset_source = VAR_NAV2_STANDBY_FREQUENCY,
    .active_source = VAR_NAV2_FREQUENCY,
    .texts_failed = nav2_displays_failed,
    .help_id = 0x3169,
    .power_tooltip = "NAV2 radio main switch",
    .ident_tooltip = "NAV2 radio Ident switch",
};
inline constexpr HeadRow adf{
    .name = "Becker_AD3502_ADF",
    .layout = adf_layout,
    .preset_source = VAR_ADF_FREQUENCY,
    .active_source = VAR_ADF_FREQUENCY,
    .texts_failed = adf_texts_failed,
    .lamp_failed = avionics_failed,
    .help_id = 0x3170,
    .power_tooltip = "ADF1 radio main switch",
    .ident_tooltip = "ADF1 radio Ident switch",
    // The kilohertz ring steps by 100 on a right click.
    .whole_flags = {.window = both_buttons_repeating, .knob = both_buttons_repeating},
    .fraction_flags = {.window = click_repeating, .knob = click_repeating},
};

} // namespace radio_heads

// The callbacks of one head, as its receiver's file binds them.
struct HeadCallbacks {
    GaugeCallback gauge;
    PowerIconCallbacks power_icons;
    ValueCallback transfer_light;
    TextCallback preset_text;
    TextCallback active_text;
    ValueCallback ident_face_unlit = nullptr; // heads with an ident button
    ValueCallback ident_face_lit = nullptr;
    radio_layout::KnobClicks whole;
    radio_layout::KnobClicks fraction;
    MouseCallback power_click;
    MouseCallback ident_click = nullptr; // heads with an ident button
    MouseCallback transfer_click;
};

// Builds one head's records; `self` is the head object being initialised, whose
// addresses the records point at.
template <class Head>
constexpr Head radio_head(Head& self, const HeadRow& row, const HeadCallbacks& call) {
    using namespace radio_layout;
    using namespace radio_failures;
    const HeadLayout& at = row.layout;
    const HeadBitmaps& bitmaps = at.bitmaps;
    if (Head::ident_button != (at.ident_x != no_button))
        throw "the row's ident button does not fit the head"; // stops the build

    const Point window{window_x, at.window_y};
    const Point on_button{on_button_x, button_row_y};
    const Point ident_button{at.ident_x, button_row_y};
    const Point lamp_at{lamp_x, at.lamp_y};
    const Point transfer{transfer_x, at.transfer_y};

    const auto face = static_image(bitmaps.face, {0, 0}, layer_flags);
    const auto backing =
        one_image(bitmaps.window, window, lit_layer_flags, 0, avionics_failed, nullptr, 0.0);
    const auto lit_faces =
        one_image(bitmaps.buttons_lit, {on_button_x, at.lit_faces_y}, lit_layer_flags,
                  VAR_PANEL_LIGHTING, avionics_failed, call.power_icons.lit_faces);
    const auto transfer_light = one_image(bitmaps.transfer_lit, transfer, lit_layer_flags,
                                          VAR_PANEL_LIGHTING, avionics_failed, call.transfer_light);
    const auto preset_text = frequency_window(preset_text_x, at.window_y, row.preset_source,
                                              row.texts_failed, call.preset_text);
    const auto active_text = frequency_window(active_text_x, at.window_y, row.active_source,
                                              row.texts_failed, call.active_text);
    const auto ident_face_unlit = one_image(bitmaps.ident_pressed, ident_button, layer_flags, 0,
                                            nullptr, call.ident_face_unlit);
    const auto ident_face_lit = one_image(bitmaps.ident_pressed_lit, ident_button, display_flags,
                                          VAR_PANEL_LIGHTING, avionics_failed, call.ident_face_lit);
    const auto on_face_unlit =
        one_image(bitmaps.on_pressed, on_button, layer_flags, VAR_PANEL_LIGHTING, nullptr,
                  call.power_icons.on_face_unlit);
    const auto on_face_lit =
        one_image(bitmaps.on_pressed_lit, on_button, display_flags, VAR_PANEL_LIGHTING,
                  avionics_failed, call.power_icons.on_face_lit);
    const auto lamp =
        one_image(bitmaps.lamp, lamp_at, display_flags, 0, row.lamp_failed, call.power_icons.lamp);
    const auto window_cover = one_image(bitmaps.window, window, layer_flags, 0, avionics_failed,
                                        call.power_icons.window_cover, 0.0);

    Head g{};
    g.header = gauge_header(row.name, self.roots, 100, self.mouse_areas, call.gauge);
    if constexpr (Head::ident_button) {
        link_chain(g, self, face, backing, lit_faces, transfer_light, preset_text, active_text,
                   ident_face_unlit, ident_face_lit, on_face_unlit, on_face_lit, lamp,
                   window_cover);
    } else {
        link_chain(g, self, face, backing, lit_faces, transfer_light, preset_text, active_text,
                   on_face_unlit, on_face_lit, lamp, window_cover);
    }

    const Box on_box{on_button.x, on_button.y, button_width, button_height};
    const Box ident_box{ident_button.x, ident_button.y, button_width, button_height};
    const Box transfer_box{transfer.x, transfer.y, button_width, button_height};
    MouseArea* a = g.mouse_areas;
    *a++ = area_begin();
    a = face_help_areas(a, row.help_id, at.help_split_y);
    a = tooltip_area(a, on_box, tooltip(row.power_tooltip));
    if constexpr (Head::ident_button) a = tooltip_area(a, ident_box, tooltip(row.ident_tooltip));
    a = knob_areas(a, call.whole, row.whole_flags, call.fraction, row.fraction_flags);
    *a++ = click_area(on_box, CURSOR_HAND, click_once, call.power_click);
    if constexpr (Head::ident_button)
        *a++ = click_area(ident_box, CURSOR_HAND, click_once, call.ident_click);
    *a++ = click_area(transfer_box, CURSOR_HAND, click_once, call.transfer_click);
    *a++ = area_end();
    *a++ = list_end();
    if (a != std::end(g.mouse_areas)) throw "the mouse areas do not fill the list";
    return g;
}

} // namespace gauge
