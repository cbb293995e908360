// What the radio heads share and where they differ: bitmaps, positions, the
// frequency windows' text style, the mouse-area boxes of the knob and of the preset
// window, and small builders. The art generator draws the faces from the same
// numbers.
#pragma once

#include "gauge_tables.hpp"

namespace gauge::radio_layout {

constexpr int face_width = 350;
constexpr int face_height = 115;
constexpr int window_width = 237; // both windows, one bitmap
constexpr int window_height = 19;
constexpr int button_width = 25;
constexpr int button_height = 19;
constexpr int lamp_size = 10;

// The bitmaps of one head.
struct HeadBitmaps {
    Bitmap face;
    Bitmap window; // both windows: the backing (scale 0) and the cover
    Bitmap transfer_lit;
    Bitmap lamp;
    Bitmap buttons_lit; // the lit faces of the four push buttons
    Bitmap on_pressed;
    Bitmap on_pressed_lit;
    Bitmap ident_pressed{}; // NAV VOICE, ADF's ADF button; the COM head has none
    Bitmap ident_pressed_lit{};
};

// A head's bitmaps from their numbers; all but the lit button faces have the sizes
// above.
constexpr HeadBitmaps head_bitmaps(uint32_t face, uint32_t window, uint32_t transfer_lit,
                                   uint32_t lamp, Bitmap buttons_lit, uint32_t on_pressed,
                                   uint32_t on_pressed_lit, uint32_t ident_pressed = 0,
                                   uint32_t ident_pressed_lit = 0) {
    auto button = [](uint32_t number) {
        return number ? Bitmap{number, button_width, button_height} : Bitmap{};
    };
    return {{face, face_width, face_height},
            {window, window_width, window_height},
            button(transfer_lit),
            {lamp, lamp_size, lamp_size},
            buttons_lit,
            button(on_pressed),
            button(on_pressed_lit),
            button(ident_pressed),
            button(ident_pressed_lit)};
}

// In the order of HeadBitmaps: face, window, transfer lit, lamp, buttons lit, ON
// pressed, ON pressed lit, ident pressed, ident pressed lit.
// clang-format off
constexpr HeadBitmaps com_bitmaps = head_bitmaps(2000, 2010, 2020, 2040, {2050, 134, 19}, 2030, 2060);
constexpr HeadBitmaps nav_bitmaps = head_bitmaps(1230, 1260, 1280, 1270, {1290, 133, 17}, 1240, 1300, 1250, 1310);
constexpr HeadBitmaps adf_bitmaps = head_bitmaps(2070, 2180, 2250, 2190, {2200, 134, 19}, 2210, 2220, 2230, 2240);
// clang-format on

// Where the heads' parts sit where the heads differ, in pixels on the face.
struct HeadLayout {
    HeadBitmaps bitmaps;
    int window_y;    // both windows, with their backing, cover and texts
    int lit_faces_y; // the lit faces of the push buttons
    int transfer_y;  // the transfer button and its light
    int lamp_y;
    int help_split_y; // where the face's help area above the buttons ends
    int ident_x;      // the ident button; no_button on the COM head
};

constexpr int no_button = 0;

// clang-format off
//                              bitmaps      window lit faces transfer lamp help    ident
//                                           y      y         y        y    split y button x
constexpr HeadLayout com_layout{com_bitmaps, 16,    77,       19,      51,  75,     no_button};
constexpr HeadLayout nav_layout{nav_bitmaps, 16,    78,       20,      52,  76,     126};
constexpr HeadLayout adf_layout{adf_bitmaps, 15,    78,       20,      50,  76,     199};
// clang-format on

// The frequency windows.
constexpr int text_width = 78;
constexpr int text_height = 19;
constexpr int active_text_x = 58;
constexpr int preset_text_x = 215;
constexpr uint32_t text_characters = 6;
constexpr uint32_t text_colour = 0x1E1E1E;

constexpr int button_row_y = 77; // the push buttons, pressed faces and their areas
constexpr int on_button_x = 90;
constexpr int transfer_x = 163;
constexpr int lamp_x = 170;
constexpr int window_x = 57; // the windows' backing and cover

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
constexpr uint32_t both_buttons_repeating = MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON | MOUSE_REPEAT;

// A frequency window's text, in the style every head uses.
constexpr StringRecord frequency_window(int x, int y, uint32_t source, const FailureEntry* failures,
                                        TextCallback callback) {
    return string_element({.position = {x, y},
                           .image_flags = display_flags,
                           .sources = {source, 0, 0},
                           .box_width = text_width,
                           .box_height = text_height,
                           .text_colour = text_colour,
                           .background_colour = 0x000000,
                           .highlight_colour = text_colour,
                           .font = "Quartz",
                           .font_weight = 400,
                           .character_set = 1,
                           .text_format = TEXT_FORMAT_CENTRED_LINE,
                           .char_count = text_characters,
                           .failures = failures,
                           .callback = callback});
}

// The mouse callbacks of one half of the knob (megahertz or fraction), up and down.
struct KnobClicks {
    MouseCallback up;
    MouseCallback down;
};

// Which clicks one half of the knob answers over the preset window and on the knob.
struct KnobFlags {
    uint32_t window;
    uint32_t knob;
};
inline constexpr KnobFlags repeating_over_window{.window = click_repeating, .knob = click_once};

// Writes the knob's eight click areas from `a`: the preset window's halves, then
// the knob's own. Returns the next record.
constexpr MouseArea* knob_areas(MouseArea* a, KnobClicks whole, KnobFlags whole_flags,
                                KnobClicks fraction, KnobFlags fraction_flags) {
    *a++ = click_area(window_whole_up, CURSOR_UPARROW, whole_flags.window, whole.up);
    *a++ = click_area(window_whole_down, CURSOR_DOWNARROW, whole_flags.window, whole.down);
    *a++ = click_area(window_fraction_up, CURSOR_UPARROW, fraction_flags.window, fraction.up);
    *a++ = click_area(window_fraction_down, CURSOR_DOWNARROW, fraction_flags.window, fraction.down);
    *a++ = click_area(knob_whole_up, CURSOR_UPARROW, whole_flags.knob, whole.up);
    *a++ = click_area(knob_whole_down, CURSOR_DOWNARROW, whole_flags.knob, whole.down);
    *a++ = click_area(knob_fraction_up, CURSOR_UPARROW, fraction_flags.knob, fraction.up);
    *a++ = click_area(knob_fraction_down, CURSOR_DOWNARROW, fraction_flags.knob, fraction.down);
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
