// Radio stack art (Marlow_Instr): the COM, NAV and ADF control heads. Each head is a
// dark grey face 350 x 115 with two liquid-crystal windows (ACTIVE, PRESET), a
// transfer button between them, a row of four push buttons, a power lamp and the
// dual concentric tuning knob. Positions come from the gauges' own layout.
//
// The heads are seen at their design size, so every legend is drawn at least 6
// pixels high (legend_size) and a button's legend is short enough to stand inside
// its 25-pixel face.
#include "art/art_families.hpp"
#include "radios/radio_layout.hpp"

#include <array>
#include <string>

namespace art {
namespace {

using namespace gauge::radio_layout;

constexpr Rgb face_grey{0.20, 0.20, 0.21};
constexpr Rgb button_grey{0.30, 0.30, 0.31};
constexpr Rgb pressed_grey{0.17, 0.17, 0.18};
constexpr Rgb lcd_grey{0.55, 0.57, 0.52};
constexpr Rgb legend{0.85, 0.85, 0.82};
constexpr Rgb glow{1.00, 0.62, 0.20}; // legends lit by the panel lighting

constexpr int button_pitch = 36; // from one push button to the next
constexpr int window_y = 16;
constexpr Point knob_centre{295, 82};
constexpr double knob_radius = 23;
constexpr double legend_size = 9; // 6 pixels of capital height

// The knob's halves are labelled beside it: the outer ring (whole units) on the
// left, where its mouse areas are, and the inner knob (the fraction) on the right.
constexpr Point whole_legend_at{knob_centre.x - knob_radius - 22, knob_centre.y};
constexpr Point fraction_legend_at{knob_centre.x + knob_radius + 15, knob_centre.y};

struct HeadArt {
    const char* brand_line; // model
    std::array<const char*, 4> buttons;
    const char* whole_legend;    // the outer ring's unit
    const char* fraction_legend; // the inner knob's
    HeadLayout layout;           // bitmaps and positions, as the gauge's records use them
    int ident_index = 1;         // NAV ID (the identifier's audio), ADF ident
};

constexpr const char* down_mark = "\u25BC";

void button(cairo_t* cr, double x, double y, double w, double h, bool pressed, const char* text,
            Rgb text_colour) {
    rounded_rect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 2.5);
    set_colour(cr, pressed ? pressed_grey : button_grey);
    fill_and_outline(cr, 1, pressed ? shade(pressed_grey, 0.5) : shade(button_grey, 1.5));
    const Point centre{x + w / 2, y + h / 2 + (pressed ? 1 : 0)};
    if (std::string_view(text) == down_mark) {
        // The preset-down button's mark, drawn as a triangle 7 pixels high: the
        // font's own is smaller than the letters beside it.
        fill_polygon(cr,
                     {{centre.x - 4.5, centre.y - 3.5},
                      {centre.x + 4.5, centre.y - 3.5},
                      {centre.x, centre.y + 3.5}},
                     text_colour);
        return;
    }
    text_centred(cr, text, centre, legend_size, text_colour);
}

void transfer_button(cairo_t* cr, double x, double y, Rgb arrows) {
    button(cr, x, y, button_width, button_height, false, "", legend);
    set_colour(cr, arrows);
    cairo_set_line_width(cr, 1.5);
    double cx = x + button_width / 2.0;
    double cy = y + button_height / 2.0;
    cairo_move_to(cr, cx - 7, cy - 3);
    cairo_line_to(cr, cx + 7, cy - 3);
    cairo_line_to(cr, cx + 4, cy - 6);
    cairo_move_to(cr, cx + 7, cy + 3);
    cairo_line_to(cr, cx - 7, cy + 3);
    cairo_line_to(cr, cx - 4, cy + 6);
    cairo_stroke(cr);
}

// The two windows of one bitmap; between them it stays transparent, so that the
// transfer button shows through the cover.
void windows(cairo_t* cr, Rgb c) {
    set_colour(cr, c);
    cairo_rectangle(cr, active_text_x - 57, 0, text_width + 2, window_height);
    cairo_rectangle(cr, preset_text_x - 57, 0, text_width + 1, window_height);
    cairo_fill(cr);
}

void lamp(cairo_t* cr, double x, double y, bool lit) {
    rimmed_disc(cr, {x + lamp_size / 2.0, y + lamp_size / 2.0}, lamp_size / 2.0 - 0.5,
                lit ? colour::yellow : Rgb{0.25, 0.22, 0.10}, 1, {0.08, 0.08, 0.08});
}

void face(cairo_t* cr, const HeadArt& head) {
    instrument_case(cr, face_width, face_height, 6);
    rounded_rect(cr, 3, 3, face_width - 6, face_height - 6, 4);
    set_colour(cr, face_grey);
    cairo_fill(cr);
    // Window bezels (the windows themselves are the window bitmap) and their labels.
    set_colour(cr, Rgb{0.06, 0.06, 0.06});
    cairo_rectangle(cr, active_text_x - 3, window_y - 3, text_width + 5, window_height + 6);
    cairo_rectangle(cr, preset_text_x - 3, window_y - 3, text_width + 5, window_height + 6);
    cairo_fill(cr);
    text_centred(cr, "ACTIVE", {active_text_x + text_width / 2.0, 46}, legend_size, legend);
    text_centred(cr, "PRESET", {preset_text_x + text_width / 2.0, 46}, legend_size, legend);
    transfer_button(cr, transfer_x, window_y + 3, legend);
    lamp(cr, lamp_x, head.layout.lamp_y, false);
    for (int i = 0; i < 4; ++i)
        button(cr, on_button_x + i * button_pitch, button_row_y, button_width, button_height, false,
               head.buttons[size_t(i)], legend);
    // Maker and model on two lines in the free corner left of the buttons.
    text_centred(cr, "BECKER", {40, 82}, 10, legend);
    text_centred(cr, head.brand_line, {40, 96}, legend_size, legend, false);
    // The dual knob: the outer ring for whole units, the inner knob for the fraction.
    knob(cr, knob_centre, knob_radius, 24);
    knob(cr, knob_centre, 13, 14);
    text_centred(cr, head.whole_legend, whole_legend_at, legend_size, legend, false);
    text_centred(cr, head.fraction_legend, fraction_legend_at, legend_size, legend, false);
}

void lit_faces(cairo_t* cr, const HeadArt& head) {
    for (int i = 0; i < 4; ++i)
        button(cr, i * button_pitch, 0, button_width, head.layout.bitmaps.buttons_lit.height, false,
               head.buttons[size_t(i)], glow);
}

void register_head(BitmapRegistry& registry, const HeadArt& head) {
    auto add = [&](const gauge::Bitmap& bitmap, DrawFunction draw) {
        registry.add(marlow_instr, bitmap, std::move(draw));
    };
    const HeadBitmaps& bitmaps = head.layout.bitmaps;
    add(bitmaps.face, [head](cairo_t* cr, int, int) { face(cr, head); });
    add(bitmaps.window, [](cairo_t* cr, int, int) { windows(cr, lcd_grey); });
    add(bitmaps.transfer_lit, [](cairo_t* cr, int, int) { transfer_button(cr, 0, 0, glow); });
    add(bitmaps.lamp, [](cairo_t* cr, int, int) { lamp(cr, 0, 0, true); });
    add(bitmaps.buttons_lit, [head](cairo_t* cr, int, int) { lit_faces(cr, head); });
    const char* on = head.buttons[0];
    add(bitmaps.on_pressed, [on](cairo_t* cr, int, int) {
        button(cr, 0, 0, button_width, button_height, true, on, legend);
    });
    add(bitmaps.on_pressed_lit, [on](cairo_t* cr, int, int) {
        button(cr, 0, 0, button_width, button_height, true, on, glow);
    });
    if (!bitmaps.ident_pressed) return;
    const char* ident = head.buttons[size_t(head.ident_index)];
    add(bitmaps.ident_pressed, [ident](cairo_t* cr, int, int) {
        button(cr, 0, 0, button_width, button_height, true, ident, legend);
    });
    add(bitmaps.ident_pressed_lit, [ident](cairo_t* cr, int, int) {
        button(cr, 0, 0, button_width, button_height, true, ident, glow);
    });
}

} // namespace

void register_radio_art(BitmapRegistry& registry) {
    register_head(registry, {.brand_line = "AR 3202",
                             .buttons = {"ON", "SQL", "TST", down_mark},
                             .whole_legend = "MHz",
                             .fraction_legend = "kHz",
                             .layout = com_layout});
    register_head(registry, {.brand_line = "NR 3320",
                             .buttons = {"ON", "ID", "TST", down_mark},
                             .whole_legend = "MHz",
                             .fraction_legend = "kHz",
                             .layout = nav_layout,
                             .ident_index = 1});
    register_head(registry, {.brand_line = "AD 3502",
                             .buttons = {"ON", "BFO", "TST", "ADF"},
                             .whole_legend = "kHz",
                             .fraction_legend = ".1",
                             .layout = adf_layout,
                             .ident_index = 3});
}

} // namespace art
