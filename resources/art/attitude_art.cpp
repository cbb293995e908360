// Attitude indicator art (Marlow_Instr): the face and case, the horizon card with
// its pitch ladder, the bank ring with its bank marks, the two windows they are
// seen through, the aircraft symbol, the GYRO flag, and the cover with the fixed
// bank index and the knob.
//
// The card is drawn in the units it shows in: the host squeezes it vertically by
// its texture scale, so the card is drawn at 1 / 0.9 vertically and its pitch
// ladder stands 1.25 pixels per degree on the face, the rate at which the host
// shifts the card for pitch. A ladder line thus meets the aircraft symbol's wings
// at its own pitch.
#include "art/art_families.hpp"
#include "art/dial_scale.hpp"
#include "flight/attitude_layout.hpp"
#include "flight/flight_bitmaps.hpp"

#include <cstdlib>
#include <string>

namespace art {
namespace {

namespace bitmaps = gauge::attitude_bitmaps;

namespace att = gauge::attitude;

constexpr Point card_centre{att::card_centre_x, att::card_centre_y};
constexpr Point ring_centre{att::ring_centre_x, att::ring_centre_y};
constexpr Point window_origin{att::window_x, att::window_y};

constexpr double card_window_radius = 97; // the card shows inside this circle
constexpr double ring_inner = 95;         // the ring covers the rest out to its edge
constexpr double ring_outer = 137;
constexpr double lower_segment_top = att::window_y + 242; // below both windows
constexpr int ladder_end = static_cast<int>(att::pitch_limit);

constexpr Rgb sky_top{0.14, 0.38, 0.74};
constexpr Rgb sky_horizon{0.42, 0.68, 0.93};
constexpr Rgb ground_horizon{0.55, 0.36, 0.16};
constexpr Rgb ground_bottom{0.33, 0.20, 0.08};
constexpr Rgb ring_sky{0.09, 0.29, 0.60};
constexpr Rgb ring_ground{0.36, 0.22, 0.09};
constexpr Rgb symbol_orange{1.00, 0.55, 0.06};

Point offset(Point p, Point by) { return {p.x - by.x, p.y - by.y}; }

// Fills what `path` outlines in `above` over the row `split_y` and in `below` under
// it, as the card's sky and ground meet at its horizon.
template <typename Path>
void fill_split(cairo_t* cr, double width, double height, double split_y, Rgb above, Rgb below,
                Path path) {
    cairo_rectangle(cr, 0, 0, width, split_y);
    cairo_clip(cr);
    path();
    set_colour(cr, above);
    cairo_fill(cr);
    cairo_reset_clip(cr);
    cairo_rectangle(cr, 0, split_y, width, height - split_y);
    cairo_clip(cr);
    path();
    set_colour(cr, below);
    cairo_fill(cr);
    cairo_reset_clip(cr);
}

// ---- horizon card -------------------------------------------------------------

void draw_card(cairo_t* cr, int width, int height) {
    // Work in face pixels: 1 vertically on the face is 1 / 0.9 on the card.
    cairo_scale(cr, 1.0, 1.0 / att::card_texture_scale_y);
    const double w = width;
    const double h = height * att::card_texture_scale_y;
    const double mid = h / 2;
    const double x_mid = w / 2;

    set_linear_gradient(cr, {0, 0}, {0, mid}, {{0, sky_top}, {1, sky_horizon}});
    cairo_rectangle(cr, 0, 0, w, mid);
    cairo_fill(cr);
    set_linear_gradient(cr, {0, mid}, {0, h}, {{0, ground_horizon}, {1, ground_bottom}});
    cairo_rectangle(cr, 0, mid, w, h - mid);
    cairo_fill(cr);

    // Horizon line across the whole card.
    cairo_rectangle(cr, 0, mid - 1.25, w, 2.5);
    set_colour(cr, colour::marking);
    cairo_fill(cr);

    // Pitch ladder every 5 degrees out to the card's travel: short lines at the
    // fives, longer at 10 and 30, longest at 20 and 40, which alone carry figures.
    // Figures large enough to read at half size need more room than ten degrees
    // gives (12.5 pixels), so the lines between them go unnumbered.
    for (int degrees = -ladder_end; degrees <= ladder_end; degrees += 5) {
        if (degrees == 0) continue;
        const bool ten = degrees % 10 == 0;
        const bool twenty = degrees % 20 == 0;
        const double y = mid - degrees * att::card_pixels_per_degree;
        const double half = twenty ? 22 : ten ? 14 : 7;
        cairo_rectangle(cr, x_mid - half, y - 1, 2 * half, 2);
        set_colour(cr, colour::marking);
        cairo_fill(cr);
        if (twenty) {
            const std::string figure = std::to_string(std::abs(degrees));
            text_centred(cr, figure, {x_mid - half - 14, y}, 16);
            text_centred(cr, figure, {x_mid + half + 14, y}, 16);
        }
    }
}

void draw_card_window(cairo_t* cr, int, int) {
    circle_path(cr, offset(card_centre, window_origin), card_window_radius);
    mask_fill(cr);
}

// ---- bank ring ----------------------------------------------------------------

// Bank marks, in degrees either side of the top.
struct BankMark {
    double degrees;
    double inner;
    double width;
    bool triangle;
};

constexpr double mark_outer = 126;
constexpr BankMark bank_marks[] = {
    {10, 116, 2.2, false}, {20, 116, 2.2, false}, {30, 106, 3.2, false},
    {45, 116, 0, true},    {60, 106, 3.2, false}, {90, 106, 3.2, false},
};

// A small white triangle on the ring, apex outwards, at `degrees` from the top.
void ring_triangle(cairo_t* cr, Point centre, double degrees, double inner, double outer,
                   double half_width_degrees) {
    const double screen = degrees - 90;
    const Point apex = polar(centre, outer, screen);
    const Point left = polar(centre, inner, screen - half_width_degrees);
    const Point right = polar(centre, inner, screen + half_width_degrees);
    fill_polygon(cr, {apex, left, right}, colour::marking);
}

void draw_ring(cairo_t* cr, int width, int height) {
    const Point c{width / 2.0, height / 2.0};
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    fill_split(cr, width, height, c.y, ring_sky, ring_ground, [&] {
        circle_path(cr, c, ring_outer);
        circle_path(cr, c, ring_inner);
    });
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

    // A dark edge where the ring meets the card.
    circle_path(cr, c, ring_inner + 1);
    cairo_set_line_width(cr, 2);
    set_colour(cr, {0.10, 0.10, 0.10});
    cairo_stroke(cr);
    // The ring's horizon, either side.
    for (double screen : {0.0, 180.0})
        tick(cr, c, screen, ring_inner, ring_outer, 2.5, colour::marking);
    // Zero index, then the marks either side of it.
    ring_triangle(cr, c, 0, 110, mark_outer, 4);
    for (const BankMark& mark : bank_marks)
        for (double side : {-1.0, 1.0}) {
            if (mark.triangle)
                ring_triangle(cr, c, side * mark.degrees, 117, mark_outer, 2.5);
            else
                tick(cr, c, side * mark.degrees - 90, mark.inner, mark_outer, mark.width);
        }
}

void draw_ring_window(cairo_t* cr, int, int) {
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    const Point c = offset(ring_centre, window_origin);
    circle_path(cr, c, ring_outer + 0.5);
    circle_path(cr, c, ring_inner - 1);
    mask_fill(cr);
}

// ---- face, symbol, flag, cover --------------------------------------------------

void draw_face(cairo_t* cr, int, int) {
    dial_face(cr, dial::centre, dial::face_radius);
    // What the card window shows should the card run out at full pitch: sky above,
    // ground below, as the card itself.
    fill_split(cr, 300, 300, card_centre.y, sky_top, ground_bottom,
               [cr] { circle_path(cr, card_centre, card_window_radius + 3); });

    // The fixed lower segment under the windows, lettered for the knob.
    circle_path(cr, dial::centre, dial::cover_inner + 1);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, lower_segment_top, 300, 300 - lower_segment_top);
    set_colour(cr, {0.17, 0.17, 0.18});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, lower_segment_top, 300, 1.5);
    set_colour(cr, {0.40, 0.40, 0.40});
    cairo_fill(cr);
    cairo_reset_clip(cr);
    // "PULL" and "CAGE" either side of the knob: the whole of "PULL TO" would not
    // fit beside it at a size that reads at half size.
    text_centred(cr, "PULL", {99, 256}, 16);
    text_centred(cr, "CAGE", {195, 256}, 16);
}

// The aircraft symbol: wings level with the card's centre at row 9, a centre dot
// over the card's centre at column 71, and a pedestal down to the lower edge.
constexpr Point symbol_centre{att::card_centre_x - att::symbol_x,
                              att::card_centre_y - att::symbol_y};

void draw_symbol(cairo_t* cr, int, int height) {
    const double x = symbol_centre.x;
    const double y = symbol_centre.y;
    // Pedestal, dark with an orange edge.
    cairo_move_to(cr, x - 6, y + 9);
    cairo_line_to(cr, x + 6, y + 9);
    cairo_line_to(cr, x + 26, height - 0.5);
    cairo_line_to(cr, x - 26, height - 0.5);
    cairo_close_path(cr);
    set_colour(cr, {0.20, 0.20, 0.21});
    fill_and_outline(cr, 1.5, symbol_orange);
    // Wings: bars either side, turned down at their inner ends.
    set_colour(cr, symbol_orange);
    cairo_set_line_width(cr, 4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, x + side * 63, y);
        cairo_line_to(cr, x + side * 22, y);
        cairo_line_to(cr, x + side * 14, y + 7);
        cairo_stroke(cr);
    }
    circle_path(cr, {x, y}, 4);
    cairo_fill(cr);
}

void draw_gyro_flag(cairo_t* cr, int width, int height) {
    rounded_rect(cr, 0.5, 0.5, width - 1, height - 1, 3);
    set_colour(cr, colour::red);
    fill_and_outline(cr, 1, shade(colour::red, 0.6));
    // The flag's top (above about row 25) lies under the bezel and the glass's
    // reflection, which the cover draws over it: the letters stand in the lower
    // part, the part that shows.
    const char* letters[] = {"G", "Y", "R", "O"};
    for (int i = 0; i < 4; ++i)
        text_centred(cr, letters[i], {width / 2.0, 35.0 + 17.0 * i}, 16);
}

void draw_cover(cairo_t* cr, int width, int height) {
    dial_cover(cr, width, height);
    // Fixed bank index over the top of the ring, pointing at its marks.
    const Point apex{ring_centre.x, ring_centre.y - mark_outer};
    const double base = dial::centre.y - dial::cover_inner - 1;
    fill_polygon(cr, {apex, {apex.x - 7, base}, {apex.x + 7, base}}, symbol_orange);
    // The knob under the lower segment's lettering.
    knob(cr, {146, 268}, 21, 30);
    circle_path(cr, {146, 268}, 12);
    set_colour(cr, {0.22, 0.22, 0.22});
    cairo_fill(cr);
}

constexpr BitmapArt art[] = {
    {bitmaps::face, draw_face},
    {bitmaps::card, draw_card},
    {bitmaps::card_window, draw_card_window},
    {bitmaps::ring, draw_ring},
    {bitmaps::ring_window, draw_ring_window},
    {bitmaps::symbol, draw_symbol},
    {bitmaps::cover, draw_cover},
    {bitmaps::gyro_flag, draw_gyro_flag},
};

} // namespace

void register_attitude_art(BitmapRegistry& registry) { registry.add(marlow_instr, art); }

} // namespace art
