#include "art/dial_scale.hpp"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace art {
namespace {

double direction(const NeedleRow& row, Point pivot) {
    return std::atan2(row.y - pivot.y, row.x - pivot.x) * 180.0 / std::numbers::pi;
}

// How far the needle turns clockwise from row a to row b.
double clockwise_turn(const NeedleRow& a, const NeedleRow& b, Point pivot) {
    if (a.x == b.x && a.y == b.y) return 0;
    const double turn = std::fmod(direction(b, pivot) - direction(a, pivot), 360.0);
    return turn < 0 ? turn + 360.0 : turn;
}

// Degrees per unit of value between rows a and b.
double rate(const NeedleRow& a, const NeedleRow& b, Point pivot) {
    const double span = b.value - a.value;
    return span == 0 ? 0 : clockwise_turn(a, b, pivot) / span;
}

} // namespace

double angle_for_value(std::span<const NeedleRow> rows, Point pivot, double value) {
    if (rows.size() < 2) throw std::invalid_argument("a needle table needs two rows");

    double angle = direction(rows[0], pivot);
    if (value < rows[0].value)
        return angle + (value - rows[0].value) * rate(rows[0], rows[1], pivot);

    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        const NeedleRow& a = rows[i];
        const NeedleRow& b = rows[i + 1];
        if (value <= b.value) return angle + (value - a.value) * rate(a, b, pivot);
        angle += clockwise_turn(a, b, pivot);
    }
    const NeedleRow& last = rows[rows.size() - 1];
    return angle + (value - last.value) * rate(rows[rows.size() - 2], last, pivot);
}

void hub_cap(cairo_t* cr, Point centre, double radius) {
    domed_disc(cr, centre, radius, 0.35, {0.30, 0.30, 0.30}, {0.07, 0.07, 0.07});
    cairo_set_line_width(cr, 1.0);
    set_colour(cr, {0.38, 0.38, 0.37});
    cairo_stroke(cr);
}

void Scale::major(cairo_t* cr, double value) const {
    tick(cr, pivot_, angle(value), dial::major_inner, dial::tick_outer, 3.0);
}

void Scale::minor(cairo_t* cr, double value) const {
    tick(cr, pivot_, angle(value), dial::minor_inner, dial::tick_outer, 1.8);
}

void Scale::minors(cairo_t* cr, double from, double to, double step) const {
    const int count = static_cast<int>(std::floor((to - from) / step + 1e-9));
    for (int i = 0; i <= count; ++i)
        minor(cr, from + i * step);
}

void Scale::numeral(cairo_t* cr, double value, std::string_view text, double size) const {
    text_centred(cr, text, polar(pivot_, dial::numeral_radius, angle(value)), size);
}

void dial_cover(cairo_t* cr, int, int) {
    cover(cr, dial::centre, dial::cover_outer, dial::cover_inner);
}

void Scale::band(cairo_t* cr, double from, double to, Rgb c, double inner, double outer) const {
    arc_band(cr, pivot_, inner, outer, angle(from), angle(to), c);
}

void Scale::radial(cairo_t* cr, double value, double inner, double outer, double width,
                   Rgb c) const {
    tick(cr, pivot_, angle(value), inner, outer, width, c);
}

} // namespace art
