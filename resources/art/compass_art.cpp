// Magnetic compass art (Marlow_Instr): the housing, the card strip that slides
// behind its window, and the window's mask.
//
// The host draws the strip with its top at the housing's top edge (it only slides
// sideways), so the window sits inside the strip's 82 rows: x 8..103, y 16..66.
// The strip's ticks and letters are laid out to fill that band. The lubber line is
// an orange bar at the centre (x = 55.5) on the housing, in two parts: one from the
// frame above the window down across the card's ticks, stopping short of the
// figures, and one below the figures down over the frame, so that it points at the
// heading's tick and figure without hiding either figure. The card is drawn after
// the housing, so the mask leaves a gap where each part shows through the card.
#include "art/art_families.hpp"
#include "art/draw_helpers.hpp"
#include "flight/flight_bitmaps.hpp"

#include <string>

namespace art {
namespace {

namespace bitmaps = gauge::compass_bitmaps;

constexpr int housing_size = bitmaps::housing.width;
constexpr int card_width = bitmaps::card.width;
constexpr int card_height = bitmaps::card.height;

struct Rect {
    double x, y, w, h;
};

constexpr Rect window{8, 16, 95, 50};
constexpr double window_corner = 5;
constexpr double centre_x = 55.5; // of the housing, and where the heading is read

// The strip: 35 pixels per 30 degrees; heading 0 at the right-hand N, 360 at the
// left-hand N, so heading h lies at x = 475.5 - h * 420 / 360.
constexpr double pixels_per_degree = 420.0 / 360.0;
constexpr double card_x(double heading) { return 475.5 - heading * pixels_per_degree; }
constexpr double first_heading = -45; // the strip's ends, rounded out to 5 degrees
constexpr double last_heading = 405;

constexpr double tick_top = 18;
constexpr double tick_10_bottom = 31;
constexpr double tick_5_bottom = 25;
constexpr double label_centre = 52;

// The lubber line's two parts: the figures' ink spans rows 44 to 60, and the parts
// stop three pixels short of it; the upper part reaches well down past the ticks.
constexpr double lubber_width = 2;
constexpr double lubber_overhang = 8; // over the frame, beyond the window
constexpr Rect lubber_parts[] = {
    {centre_x - lubber_width / 2, window.y - lubber_overhang, lubber_width,
     41 - (window.y - lubber_overhang)},
    {centre_x - lubber_width / 2, 63, lubber_width, window.y + window.h + lubber_overhang - 63},
};

void lubber_path(cairo_t* cr) {
    for (const Rect& r : lubber_parts)
        cairo_rectangle(cr, r.x, r.y, r.w, r.h);
}

std::string label(int heading) {
    switch ((heading + 360) % 360) {
    case 0: return "N";
    case 90: return "E";
    case 180: return "S";
    case 270: return "W";
    default: return std::to_string((heading + 360) % 360 / 10);
    }
}

void window_path(cairo_t* cr, double grow = 0) {
    rounded_rect(cr, window.x - grow, window.y - grow, window.w + 2 * grow, window.h + 2 * grow,
                 window_corner + grow);
}

void draw_card(cairo_t* cr, int width, int height) {
    strip_background(cr, width, height, {0.11, 0.11, 0.11});
    set_colour(cr, colour::marking);
    cairo_set_line_width(cr, 1.4);
    for (double h = first_heading; h <= last_heading; h += 5) {
        const double x = card_x(h);
        const bool ten = static_cast<int>(h) % 10 == 0;
        cairo_move_to(cr, x, tick_top);
        cairo_line_to(cr, x, ten ? tick_10_bottom : tick_5_bottom);
    }
    cairo_stroke(cr);
    for (int h = -30; h <= 390; h += 30) {
        const bool cardinal = h % 90 == 0;
        text_centred(cr, label(h), {card_x(h), label_centre}, cardinal ? 22 : 18);
    }
}

void draw_housing(cairo_t* cr, int width, int height) {
    // Black-painted body, lit from above.
    instrument_case(
        cr, width, height, 14,
        {.top = {0.26, 0.26, 0.27}, .bottom = {0.09, 0.09, 0.10}, .edge = {0.05, 0.05, 0.05}});

    // Window frame and lubber line, then the window itself left transparent for
    // the card.
    window_path(cr, 3);
    set_colour(cr, {0.42, 0.42, 0.41});
    cairo_fill(cr);
    window_path(cr, 1);
    set_colour(cr, {0.16, 0.16, 0.16});
    cairo_fill(cr);
    window_path(cr);
    clear_path(cr);
    lubber_path(cr);
    set_colour(cr, colour::orange);
    cairo_fill(cr);

    // Deviation compensator screws, and the mounting screws.
    screw(cr, {38, 86}, 5, 30);
    screw(cr, {73, 86}, 5, 120);
    text_centred(cr, "N-S", {38, 99}, 9, colour::marking, false);
    text_centred(cr, "E-W", {73, 99}, 9, colour::marking, false);
    screw(cr, {11, 100}, 4, 45);
    screw(cr, {100, 100}, 4, 135);
}

void draw_mask(cairo_t* cr, int, int) {
    window_path(cr);
    mask_fill(cr);
    lubber_path(cr);
    clear_path(cr);
}

Preview preview_at(int heading) {
    const double card_left = centre_x - card_x(heading);
    return {marlow_instr,
            "compass_" + std::to_string(heading),
            housing_size,
            housing_size,
            {{.bitmap = bitmaps::housing},
             {.bitmap = bitmaps::card, .at = {card_left, 0}, .mask = bitmaps::card_mask}}};
}

constexpr BitmapArt art[] = {
    {bitmaps::housing, draw_housing},
    {bitmaps::card, draw_card},
    {bitmaps::card_mask, draw_mask},
};

} // namespace

void register_compass_art(BitmapRegistry& registry) {
    registry.add(marlow_instr, art);
    for (int heading : {0, 30, 135, 270, 360})
        registry.add_preview(preview_at(heading));
}

} // namespace art
