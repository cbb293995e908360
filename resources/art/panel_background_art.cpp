#include "art/panel_background_art.hpp"

#include "art/draw_helpers.hpp"

#include <cairo.h>

#include <memory>

namespace art {
namespace {

constexpr Rgb panel_paint{0.24, 0.26, 0.29};
constexpr Rgb plate_paint{0.19, 0.20, 0.23};
constexpr Rgb placard{0.82, 0.84, 0.86};

// A sub-panel plate: a darker rounded field with a lit upper edge, four screws and
// its placard above the instruments.
struct Plate {
    double x, y, width, height;
    const char* placard;
};

// The plates under the gauge groups of the example aircraft's panel.cfg (main
// window, 1024 wide): flight instruments, navigation, engines, fuel and systems.
constexpr Plate plates[] = {
    {8, 52, 472, 372, "FLIGHT"},
    {488, 52, 250, 372, "NAVIGATION"},
    {746, 52, 270, 180, "ENGINES"},
    {746, 240, 270, 184, "FUEL  \xC2\xB7  SYSTEMS"},
};

void plate(cairo_t* cr, const Plate& p) {
    rounded_rect(cr, p.x, p.y, p.width, p.height, 10);
    set_colour(cr, plate_paint);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    set_colour(cr, shade(panel_paint, 0.6));
    cairo_stroke(cr);
    cairo_move_to(cr, p.x + 10, p.y + 1.5);
    cairo_line_to(cr, p.x + p.width - 10, p.y + 1.5);
    set_colour(cr, shade(panel_paint, 1.5));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (Point corner :
         {Point{p.x + 9, p.y + 9}, Point{p.x + p.width - 9, p.y + 9},
          Point{p.x + 9, p.y + p.height - 9}, Point{p.x + p.width - 9, p.y + p.height - 9}})
        screw(cr, corner, 4, 35);
    text_centred(cr, p.placard, {p.x + p.width / 2, p.y + 12}, 11, placard);
}

void glareshield(cairo_t* cr) {
    constexpr double top = 24, bottom = 46;
    cairo_pattern_t* shade_down = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(shade_down, 0, 0.10, 0.10, 0.11);
    cairo_pattern_add_color_stop_rgb(shade_down, 1, 0.05, 0.05, 0.06);
    cairo_move_to(cr, 0, bottom);
    cairo_line_to(cr, 0, top + 8);
    cairo_curve_to(cr, 300, top - 4, 724, top - 4, panel_background_width, top + 8);
    cairo_line_to(cr, panel_background_width, bottom);
    cairo_close_path(cr);
    cairo_set_source(cr, shade_down);
    cairo_fill(cr);
    cairo_pattern_destroy(shade_down);
}

} // namespace

Image24 render_panel_background() {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, panel_background_width,
                                   panel_background_height),
        cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    // The windscreen stays unpainted: transparent.
    cairo_rectangle(cr, 0, 40, panel_background_width, panel_background_height - 40);
    set_colour(cr, panel_paint);
    cairo_fill(cr);
    glareshield(cr);
    for (const Plate& p : plates)
        plate(cr, p);
    cairo_destroy(cr);
    return keyed_pixels(surface.get());
}

} // namespace art
