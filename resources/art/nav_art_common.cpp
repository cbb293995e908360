#include "art/nav_art_common.hpp"

#include <string>

namespace art::nav {

void compass_card(cairo_t* cr, Point centre, double radius, double label_size,
                  double label_radius) {
    if (label_radius <= 0) label_radius = radius * 0.88 - label_size * 0.75 - 3;
    dial_face(cr, centre, radius);
    for (int d = 0; d < 360; d += 5) {
        const double screen = d - 90.0;
        const double length = d % 10 == 0 ? radius * 0.12 : radius * 0.07;
        tick(cr, centre, screen, radius - length - 1, radius - 1, d % 10 == 0 ? 1.8 : 1.1);
    }
    static const char* cardinal[] = {"N", "E", "S", "W"};
    for (int d = 0; d < 360; d += 30) {
        const std::string label = d % 90 == 0 ? cardinal[d / 90] : std::to_string(d / 10);
        const Point at = polar(centre, label_radius, d - 90.0);
        cairo_save(cr);
        cairo_translate(cr, at.x, at.y);
        cairo_rotate(cr, d * 3.141592653589793 / 180);
        text_centred(cr, label, {0, 0}, label_size);
        cairo_restore(cr);
    }
}

void lamp(cairo_t* cr, Point centre, double radius, Rgb c) {
    const Point light{centre.x - radius * 0.3, centre.y - radius * 0.3};
    set_radial_gradient(cr, light, centre, radius,
                        {{0, {1, 1, 1}}, {0.35, c}, {1, shade(c, 0.55)}});
    circle_path(cr, centre, radius);
    cairo_fill(cr);
}

void warning_flag(cairo_t* cr, double x, double y, double w, double h, const char* legend,
                  double size) {
    diagonal_stripes(cr, x, y, w, h, colour::red, {0.95, 0.95, 0.93}, 5);
    if (legend && *legend) {
        cairo_rectangle(cr, x + 2, y + h / 2 - size * 0.7, w - 4, size * 1.4);
        set_colour(cr, colour::red);
        cairo_fill(cr);
        text_centred(cr, legend, {x + w / 2, y + h / 2}, size);
    }
}

void disc_window(cairo_t* cr, Point centre, double radius) {
    circle_path(cr, centre, radius);
    mask_fill(cr);
}

void bezel_plate(cairo_t* cr, int w, int h, Rgb grey, Point centre, double opening,
                 double ring_outer, double ring_inner) {
    cairo_rectangle(cr, 0, 0, w, h);
    set_colour(cr, grey);
    cairo_fill(cr);
    circle_path(cr, centre, opening);
    clear_path(cr);
    bezel_ring(cr, centre, ring_outer, ring_inner);
}

void top_index(cairo_t* cr, Point centre, double radius, double depth, double half_width) {
    set_colour(cr, colour::orange);
    cairo_move_to(cr, centre.x, centre.y - radius + depth);
    cairo_line_to(cr, centre.x - half_width, centre.y - radius - 2);
    cairo_line_to(cr, centre.x + half_width, centre.y - radius - 2);
    cairo_close_path(cr);
    cairo_fill(cr);
}

} // namespace art::nav
