// What the radio heads share: bitmaps, the frequency windows' text style, the
// mouse-area boxes of the knob and of the preset window, and small builders.
// The art generator draws the faces from the same numbers.
#pragma once

#include "gauge_tables.hpp"

namespace gauge::radio_layout {

// Bitmaps of the COM head.
namespace com_bitmaps {
constexpr uint32_t face = 2000;
constexpr uint32_t window = 2010;         // backing (scale 0) and cover
constexpr uint32_t transfer_lit = 2020;
constexpr uint32_t on_pressed = 2030;
constexpr uint32_t lamp = 2040;
constexpr uint32_t buttons_lit = 2050;
constexpr uint32_t on_pressed_lit = 2060;
} // namespace com_bitmaps

// Bitmaps of the NAV heads (both receivers).
namespace nav_bitmaps {
constexpr uint32_t face = 1230;
constexpr uint32_t on_pressed = 1240;
constexpr uint32_t voice_pressed = 1250;
constexpr uint32_t window = 1260;
constexpr uint32_t lamp = 1270;
constexpr uint32_t transfer_lit = 1280;
constexpr uint32_t buttons_lit = 1290;
constexpr uint32_t on_pressed_lit = 1300;
constexpr uint32_t voice_pressed_lit = 1310;
} // namespace nav_bitmaps

// Bitmaps of the ADF head.
namespace adf_bitmaps {
constexpr uint32_t face = 2070;
constexpr uint32_t window = 2180;
constexpr uint32_t lamp = 2190;
constexpr uint32_t buttons_lit = 2200;
constexpr uint32_t on_pressed = 2210;
constexpr uint32_t on_pressed_lit = 2220;
constexpr uint32_t ident_pressed = 2230;
constexpr uint32_t ident_pressed_lit = 2240;
constexpr uint32_t transfer_lit = 2250;
} // namespace adf_bitmaps

constexpr int face_width = 350;
constexpr int face_height = 115;
constexpr int window_width = 237; // both windows, one bitmap
constexpr int window_height = 19;
constexpr int button_width = 25;
constexpr int button_height = 19;
constexpr int lamp_size = 10;

constexpr uint32_t panel_lighting = 10;
constexpr uint32_t failure_all_radios = 21;

// The frequency windows.
constexpr int text_width = 78;
constexpr int text_height = 19;
constexpr int active_text_x = 58;
constexpr int preset_text_x = 215;
constexpr uint32_t text_characters = 6;
constexpr uint32_t text_colour = 0x1E1E1E;

constexpr int on_button_x = 90;
constexpr int ident_button_x = 126; // NAV VOICE
constexpr int adf_ident_button_x = 199;
constexpr int transfer_x = 163;
constexpr int lamp_x = 170;

// The knob: megahertz (left) and fraction (right) halves, up above, down below.
constexpr Box knob_whole_up{271, 58, 24, 24};
constexpr Box knob_whole_down{271, 82, 24, 24};
constexpr Box knob_fraction_up{295, 58, 24, 24};
constexpr Box knob_fraction_down{295, 82, 24, 24};
// The same over the preset window, repeating while held.
constexpr Box window_whole_up{222, 5, 39, 21};
constexpr Box window_whole_down{222, 26, 39, 21};
constexpr Box window_fraction_up{261, 5, 39, 21};
constexpr Box window_fraction_down{261, 26, 39, 21};

constexpr uint32_t click_once = MOUSE_LEFT_BUTTON;
constexpr uint32_t click_repeating = MOUSE_LEFT_BUTTON | MOUSE_REPEAT;

// A frequency window's text, in the style every head uses.
constexpr StringFields frequency_window(int x, int y, uint32_t source, const FailureEntry* failures,
                                        TextCallback callback) {
    return {.position = {x, y},
            .image_flags = 0x7,
            .sources = {source, 0, 0},
            .box_width = text_width,
            .box_height = text_height,
            .text_colour = text_colour,
            .background_colour = 0x000000,
            .highlight_colour = text_colour,
            .font = "Quartz",
            .font_weight = 400,
            .character_set = 1,
            .text_format = 0x25,
            .char_count = text_characters,
            .failures = failures,
            .callback = callback};
}

// An icon of one image at scale 1 (or 0 for the window backing and cover).
constexpr IconFields one_image(uint32_t bitmap, Point position, uint32_t image_flags,
                               uint32_t source, const FailureEntry* failures,
                               ValueCallback callback, double scale = 1.0) {
    return {.bitmap = bitmap,
            .position = position,
            .image_flags = image_flags,
            .source = source,
            .scale = scale,
            .icon_count = 1,
            .failures = failures,
            .callback = callback};
}

// How one half of the knob (megahertz or fraction) answers: the callbacks of its up
// and down areas, and the mouse flags over the preset window and on the knob.
struct KnobHalf {
    MouseCallback up;
    MouseCallback down;
    uint32_t window_flags;
    uint32_t knob_flags;
};

// Writes the knob's eight click areas from `a`: the preset window's halves, then
// the knob's own. Returns the next record.
constexpr MouseArea* knob_areas(MouseArea* a, KnobHalf whole, KnobHalf fraction) {
    *a++ = click_area(window_whole_up, CURSOR_UPARROW, whole.window_flags, whole.up);
    *a++ = click_area(window_whole_down, CURSOR_DOWNARROW, whole.window_flags, whole.down);
    *a++ = click_area(window_fraction_up, CURSOR_UPARROW, fraction.window_flags, fraction.up);
    *a++ = click_area(window_fraction_down, CURSOR_DOWNARROW, fraction.window_flags, fraction.down);
    *a++ = click_area(knob_whole_up, CURSOR_UPARROW, whole.knob_flags, whole.up);
    *a++ = click_area(knob_whole_down, CURSOR_DOWNARROW, whole.knob_flags, whole.down);
    *a++ = click_area(knob_fraction_up, CURSOR_UPARROW, fraction.knob_flags, fraction.up);
    *a++ = click_area(knob_fraction_down, CURSOR_DOWNARROW, fraction.knob_flags, fraction.down);
    return a;
}

// Writes a tooltip area from `a`: the box, carrying a help id or a text.
constexpr MouseArea* tooltip_area(MouseArea* a, Box box, MouseArea tip) {
    *a++ = area_begin(0, box);
    *a++ = tip;
    *a++ = area_end();
    return a;
}

// Writes the head's two areas that carry its help text from `a`: the face above
// the button row (`split_y` high) and the knob's corner beside the buttons.
constexpr MouseArea* face_help_areas(MouseArea* a, uint32_t help_id, int split_y) {
    a = tooltip_area(a, {0, 0, face_width, split_y}, tooltip(help_id));
    return tooltip_area(a, {228, split_y, 122, 39}, tooltip(help_id));
}

// Shown (image 0) or hidden.
constexpr double shown_if(bool condition) { return condition ? 0 : ICON_HIDDEN; }

} // namespace gauge::radio_layout
