// Altimeter art (Marlow_Instr): the face with its 0-9 dial and drum windows, the
// drum strips and their window masks, the hatch, the striped flag, the pointer, the
// cover and the setting knob. Windows sit where the gauge's drums are, and the dial
// is graduated through the pointer's own table.
#include "art/art_families.hpp"
#include "art/dial_scale.hpp"
#include "flight/altimeter_layout.hpp"
#include "flight/flight_bitmaps.hpp"

#include <array>
#include <string>

namespace art {
namespace {

namespace bitmaps = gauge::altimeter_bitmaps;

namespace alt = gauge::altimeter;

constexpr Point centre{alt::pivot_x, alt::pivot_y};
constexpr double dial_radius = 125;
constexpr double bezel_outer = 137;

constexpr Rgb drum_colour{0.09, 0.09, 0.09};
constexpr Rgb frame_colour{0.52, 0.52, 0.50};
constexpr Rgb hatch_dark{0.08, 0.08, 0.08};
constexpr Rgb flag_red{0.86, 0.10, 0.08};

// The drum strips: cells from the top, each one window high.
struct Strip {
    gauge::Bitmap strip;
    gauge::Bitmap window;
    std::array<const char*, 11> cells; // null: a hatch cell
    double text_size;
};

// clang-format off
constexpr Strip strips[] = {
    {bitmaps::pressure_strip, bitmaps::pressure_window,
     {"0", "9", "8", "7", "6", "5", "4", "3", "2", "1", "0"}, 17},
    {bitmaps::tens_strip, bitmaps::tens_window,
     {"00", "90", "80", "70", "60", "50", "40", "30", "20", "10", "00"}, 21},
    {bitmaps::digit_strip, bitmaps::digit_window,
     {"0", "9", "8", "7", "6", "5", "4", "3", "2", "1", "0"}, 24},
    {bitmaps::leading_strip, bitmaps::leading_window,
     {nullptr, "9", "8", "7", "6", "5", "4", "3", "2", "1", nullptr}, 24},
};
// clang-format on

void hatch(cairo_t* cr, double x, double y, double w, double h) {
    diagonal_stripes(cr, x, y, w, h, colour::marking, hatch_dark, 4);
}

void draw_strip(cairo_t* cr, const Strip& strip) {
    for (size_t i = 0; i < strip.cells.size(); ++i) {
        const double top = double(i) * strip.window.height;
        if (!strip.cells[i]) {
            hatch(cr, 0, top, strip.strip.width, strip.window.height);
            continue;
        }
        cairo_rectangle(cr, 0, top, strip.strip.width, strip.window.height);
        set_colour(cr, drum_colour);
        cairo_fill(cr);
        text_centred(cr, strip.cells[i], {strip.strip.width / 2.0, top + strip.window.height / 2.0},
                     strip.text_size);
    }
}

// The window a drum is seen through, on the face (x, y, width, height).
struct Window {
    double x, y, w, h;
};

constexpr Window counter_window{92, 96, 108, 30};
constexpr Window millibar_window{85, 179, 44, 20};
constexpr Window inch_window{171, 179, 44, 20};

void window_frame(cairo_t* cr, const Window& w) {
    rounded_rect(cr, w.x - 3, w.y - 3, w.w + 6, w.h + 6, 3);
    set_colour(cr, frame_colour);
    cairo_fill(cr);
    cairo_rectangle(cr, w.x - 1, w.y - 1, w.w + 2, w.h + 2);
    set_colour(cr, {0.05, 0.05, 0.05});
    cairo_fill(cr);
}

const Scale scale{alt::pointer_table, centre};

void draw_face(cairo_t* cr, int width, int height) {
    instrument_case(cr, width, height, 24);
    for (Point at : {Point{22, 22}, Point{278, 22}, Point{22, 278}})
        screw(cr, at, 6, 45);
    dial_face(cr, centre, dial_radius);

    for (int feet = 0; feet < 1000; feet += 20) {
        const bool hundred = feet % 100 == 0;
        const bool fifty = feet % 50 == 0;
        const double inner = hundred ? 103 : fifty ? 110 : 114;
        scale.radial(cr, feet, inner, dial_radius - 1, hundred ? 3.6 : 1.6, colour::marking);
    }
    for (int digit = 0; digit < 10; ++digit)
        text_centred(cr, std::to_string(digit), polar(centre, 89, scale.angle(digit * 100.0)), 25);

    for (const Window& w : {counter_window, millibar_window, inch_window})
        window_frame(cr, w);
    // The inches window's decimal point, on the frame between units and tenths.
    circle_path(cr, {193, 201}, 1.3);
    set_colour(cr, colour::marking);
    cairo_fill(cr);

    // Each setting window's unit over it and the counter's unit under the setting
    // windows, sized to read at half size; the dial needs no name.
    text_centred(cr, "MB", {107, 166}, 16);
    text_centred(cr, "IN HG", {193, 166}, 16);
    text_centred(cr, "FEET", {centre.x, 216}, 16);
}

constexpr NeedleShape pointer_shape{
    .pivot = {12, 12}, .length = 116, .width = 7, .tail = 5, .counterweight = 6, .hub = 9};

void draw_cover(cairo_t* cr, int, int) { cover(cr, centre, bezel_outer, dial_radius); }

// A knurled knob seen from the front, its index line pointing right (+x): the
// direction the host turns to the setting.
void draw_knob(cairo_t* cr, int width, int height) {
    const Point middle{width / 2.0, height / 2.0};
    circle_path(cr, middle, 26);
    set_colour(cr, {0.30, 0.30, 0.30});
    cairo_fill(cr);
    for (int i = 0; i < 48; ++i)
        tick(cr, middle, 7.5 * i, 21.5, 26, 1.4, {0.14, 0.14, 0.14});
    rimmed_disc(cr, middle, 19, {0.19, 0.19, 0.19}, 1.2, {0.45, 0.45, 0.44});
    tick(cr, middle, 0, 5, 24, 3, colour::marking);
}

void draw_hatch(cairo_t* cr, int width, int height) { hatch(cr, 0, 0, width, height); }

void draw_flag(cairo_t* cr, int width, int height) {
    diagonal_stripes(cr, 0, 0, width, height, colour::marking, flag_red, 6);
}

void draw_mask(cairo_t* cr, int width, int height) {
    cairo_rectangle(cr, 0, 0, width, height);
    mask_fill(cr);
}

constexpr BitmapArt art[] = {
    {bitmaps::face, draw_face}, {bitmaps::cover, draw_cover}, {bitmaps::hatch, draw_hatch},
    {bitmaps::flag, draw_flag}, {bitmaps::knob, draw_knob},
};

} // namespace

void register_altimeter_art(BitmapRegistry& registry) {
    registry.add(marlow_instr, art);
    registry.add(marlow_instr, bitmaps::pointer, needle_drawing(pointer_shape));
    for (const Strip& strip : strips) {
        registry.add(marlow_instr, strip.strip,
                     [&strip](cairo_t* cr, int, int) { draw_strip(cr, strip); });
        registry.add(marlow_instr, strip.window, draw_mask);
    }
}

} // namespace art
