#include "art/draw_helpers.hpp"

#include <cmath>
#include <numbers>
#include <string>

namespace art {
namespace {

constexpr double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

void circle(cairo_t* cr, Point centre, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * std::numbers::pi);
}

} // namespace

void set_colour(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

Rgb shade(Rgb c, double factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

Point polar(Point centre, double radius, double degrees) {
    return {centre.x + radius * std::cos(radians(degrees)),
            centre.y + radius * std::sin(radians(degrees))};
}

namespace {
// Adds the stops to `pattern` and makes it the source (the context holds its own
// reference, so it is released here).
void set_gradient(cairo_t* cr, cairo_pattern_t* pattern, std::initializer_list<ColourStop> stops) {
    for (const ColourStop& stop : stops)
        cairo_pattern_add_color_stop_rgb(pattern, stop.offset, stop.colour.r, stop.colour.g,
                                         stop.colour.b);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}
} // namespace

void set_linear_gradient(cairo_t* cr, Point from, Point to,
                         std::initializer_list<ColourStop> stops) {
    set_gradient(cr, cairo_pattern_create_linear(from.x, from.y, to.x, to.y), stops);
}

void set_radial_gradient(cairo_t* cr, Point light, Point centre, double radius,
                         std::initializer_list<ColourStop> stops) {
    set_gradient(cr, cairo_pattern_create_radial(light.x, light.y, 0, centre.x, centre.y, radius),
                 stops);
}

void fill_and_outline(cairo_t* cr, double width, Rgb edge) {
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, width);
    set_colour(cr, edge);
    cairo_stroke(cr);
}

void rimmed_disc(cairo_t* cr, Point centre, double radius, Rgb c, double width, Rgb edge) {
    circle(cr, centre, radius);
    set_colour(cr, c);
    fill_and_outline(cr, width, edge);
}

void domed_disc(cairo_t* cr, Point centre, double radius, double light, Rgb lit, Rgb dark) {
    const Point lit_point{centre.x - radius * light, centre.y - radius * light};
    set_radial_gradient(cr, lit_point, centre, radius, {{0, lit}, {1, dark}});
    circle(cr, centre, radius);
    cairo_fill_preserve(cr);
}

void stroke_line(cairo_t* cr, Point from, Point to, double width, Rgb c, cairo_line_cap_t cap) {
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, cap);
    set_colour(cr, c);
    cairo_stroke(cr);
}

void dial_face(cairo_t* cr, Point centre, double radius) {
    circle(cr, centre, radius);
    set_colour(cr, colour::dial);
    cairo_fill(cr);
}

void tick(cairo_t* cr, Point centre, double degrees, double inner, double outer, double width,
          Rgb c) {
    stroke_line(cr, polar(centre, inner, degrees), polar(centre, outer, degrees), width, c);
}

void arc_band(cairo_t* cr, Point centre, double inner, double outer, double from_degrees,
              double to_degrees, Rgb c) {
    cairo_new_path(cr);
    cairo_arc(cr, centre.x, centre.y, outer, radians(from_degrees), radians(to_degrees));
    cairo_arc_negative(cr, centre.x, centre.y, inner, radians(to_degrees), radians(from_degrees));
    cairo_close_path(cr);
    set_colour(cr, c);
    cairo_fill(cr);
}

namespace {
std::vector<Legend>* legend_log = nullptr;

// The height of the text's outline on the bitmap, whatever the drawing's scale and
// rotation: the glyphs' own shapes, not the hinted extents (which round up).
double ink_height(cairo_t* cr, const std::string& text) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_text_path(cr, text.c_str());
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
    cairo_new_path(cr);
    double dx = 0, dy = y2 - y1;
    cairo_user_to_device_distance(cr, &dx, &dy);
    return std::hypot(dx, dy);
}
} // namespace

void log_legends(std::vector<Legend>* log) { legend_log = log; }

void text_centred(cairo_t* cr, std::string_view text, Point at, double size, Rgb c, bool bold) {
    const std::string s(text);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ink;
    cairo_text_extents(cr, s.c_str(), &ink);
    cairo_text_extents_t capital;
    cairo_text_extents(cr, "H", &capital);
    cairo_move_to(cr, at.x - ink.x_bearing - ink.width / 2, at.y - capital.y_bearing / 2);
    set_colour(cr, c);
    cairo_show_text(cr, s.c_str());
    cairo_new_path(cr);
    if (legend_log) legend_log->push_back({s, ink_height(cr, s)});
}

void needle(cairo_t* cr, const NeedleShape& n) {
    const double x = n.pivot.x;
    const double y = n.pivot.y;
    const double half = n.width / 2;

    // Tail: a narrower arm ending in a round counterweight, in grey.
    set_colour(cr, {0.62, 0.62, 0.60});
    cairo_rectangle(cr, x - n.tail, y - half + 1, n.tail, n.width - 2);
    cairo_fill(cr);
    circle(cr, {x - n.tail, y}, n.counterweight);
    cairo_fill(cr);

    // Pointer: straight, then tapering to a sharp tip over its last fifth.
    const double shoulder = x + n.length * 0.8;
    cairo_move_to(cr, x, y - half);
    cairo_line_to(cr, shoulder, y - half);
    cairo_line_to(cr, x + n.length, y);
    cairo_line_to(cr, shoulder, y + half);
    cairo_line_to(cr, x, y + half);
    cairo_close_path(cr);
    set_colour(cr, colour::marking);
    cairo_fill(cr);

    // Hub cap: dark with a light rim.
    rimmed_disc(cr, n.pivot, n.hub, {0.18, 0.18, 0.18}, 1.2, {0.70, 0.70, 0.68});
}

void knob(cairo_t* cr, Point centre, double radius, int ridges) {
    domed_disc(cr, centre, radius, 0.3, {0.42, 0.42, 0.42}, {0.12, 0.12, 0.12});
    cairo_new_path(cr); // the ridges are strokes of their own
    for (int i = 0; i < ridges; ++i)
        tick(cr, centre, 360.0 * i / ridges, radius * 0.8, radius, 1.0, {0.05, 0.05, 0.05});
}

void screw(cairo_t* cr, Point centre, double radius, double slot_degrees) {
    rimmed_disc(cr, centre, radius, {0.50, 0.50, 0.48}, 0.8, {0.20, 0.20, 0.20});
    tick(cr, centre, slot_degrees, -radius * 0.75, radius * 0.75, radius * 0.35,
         {0.12, 0.12, 0.12});
}

void bezel_ring(cairo_t* cr, Point centre, double outer, double inner) {
    // Brushed metal lit from the upper left.
    set_linear_gradient(
        cr, {centre.x - outer, centre.y - outer}, {centre.x + outer, centre.y + outer},
        {{0.0, {0.58, 0.58, 0.57}}, {0.5, {0.30, 0.30, 0.30}}, {1.0, {0.14, 0.14, 0.14}}});
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    circle(cr, centre, outer);
    circle(cr, centre, inner);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

    // A dark edge outside and a shadowed lip where the ring meets the glass.
    cairo_set_line_width(cr, 1.0);
    circle(cr, centre, outer - 0.5);
    set_colour(cr, {0.10, 0.10, 0.10});
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.5);
    circle(cr, centre, inner + 0.75);
    set_colour(cr, {0.12, 0.12, 0.12});
    cairo_stroke(cr);
}

void glass_highlight(cairo_t* cr, Point centre, double radius) {
    // A thin crescent of reflected light along the upper-left edge of the glass:
    // the inside of the glass circle less a slightly smaller circle shifted down-right.
    const double shift = radius * 0.025;
    cairo_save(cr);
    circle(cr, centre, radius);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    circle(cr, centre, radius);
    circle(cr, {centre.x + shift, centre.y + shift}, radius - shift * 0.2);
    set_colour(cr, {0.62, 0.64, 0.66});
    cairo_fill(cr);
    cairo_restore(cr);
}

void cover(cairo_t* cr, Point centre, double outer, double inner) {
    glass_highlight(cr, centre, inner);
    bezel_ring(cr, centre, outer, inner);
}

void fill_polygon(cairo_t* cr, std::initializer_list<Point> corners, Rgb c) {
    bool first = true;
    for (Point corner : corners) {
        if (first)
            cairo_move_to(cr, corner.x, corner.y);
        else
            cairo_line_to(cr, corner.x, corner.y);
        first = false;
    }
    cairo_close_path(cr);
    set_colour(cr, c);
    cairo_fill(cr);
}

void circle_path(cairo_t* cr, Point centre, double radius) { circle(cr, centre, radius); }

void instrument_case(cairo_t* cr, double width, double height, double corner,
                     const CasePaint& paint) {
    set_linear_gradient(cr, {0, 0}, {0, height}, {{0, paint.top}, {1, paint.bottom}});
    rounded_rect(cr, 0.5, 0.5, width - 1, height - 1, corner);
    fill_and_outline(cr, 1, paint.edge);
}

void diagonal_stripes(cairo_t* cr, double x, double y, double w, double h, Rgb a, Rgb b,
                      double stripe) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    set_colour(cr, a);
    cairo_paint(cr);
    set_colour(cr, b);
    // Parallelograms rising to the right, every second stripe.
    for (double start = x - h; start < x + w; start += 2 * stripe) {
        cairo_move_to(cr, start, y + h);
        cairo_line_to(cr, start + stripe, y + h);
        cairo_line_to(cr, start + stripe + h, y);
        cairo_line_to(cr, start + h, y);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double half_pi = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -half_pi, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, half_pi);
    cairo_arc(cr, x + r, y + h - r, r, half_pi, 2 * half_pi);
    cairo_arc(cr, x + r, y + r, r, 2 * half_pi, 3 * half_pi);
    cairo_close_path(cr);
}

void strip_background(cairo_t* cr, double width, double height, Rgb c) {
    // Darker towards the top and bottom edges, as a drum card curving away.
    const Rgb edge = shade(c, 0.55);
    set_linear_gradient(cr, {0, 0}, {0, height}, {{0.0, edge}, {0.5, c}, {1.0, edge}});
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
}

void clear_path(cairo_t* cr) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_restore(cr);
}

void mask_fill(cairo_t* cr) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
}

} // namespace art
