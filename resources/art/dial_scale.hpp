// Graduating a dial from a gauge's needle table, so that every mark stands exactly
// where the host will turn the needle for its value.
#pragma once

#include "art/draw_helpers.hpp"
#include "gauge_abi.h"

#include <cairo.h>

#include <span>
#include <string_view>

namespace art {

// The needle's angle (screen degrees) for `value`, by the host's rule: each row's
// direction is seen from the pivot; between neighbouring rows the needle turns
// clockwise from the first row's direction to the second's (nothing for rows
// sharing a point), linearly in value; beyond the end rows it carries on at the
// end pair's rate. The result is continuous, not reduced to 0..360.
double angle_for_value(std::span<const NeedleRow> rows, Point pivot, double value);

// The radii shared by the 300 x 300 dials, pivot at the centre.
namespace dial {
inline constexpr Point centre{150, 150};
inline constexpr int size = 300;
inline constexpr double face_radius = 145;
inline constexpr double band_outer = 136; // coloured range arcs
inline constexpr double band_inner = 130;
inline constexpr double tick_outer = 130;
inline constexpr double minor_inner = 120;
inline constexpr double major_inner = 112;
inline constexpr double numeral_radius = 94;
inline constexpr double numeral_size = 20;
inline constexpr double cover_outer = 149.5;
inline constexpr double cover_inner = 139;
} // namespace dial

// The cover of a 300 x 300 dial: its bezel ring and glass, as a bitmap's drawing.
void dial_cover(cairo_t* cr, int width, int height);

// A needle's hub cap: a dark domed disc with a faint rim, lit from the upper left.
// Drawn on a cover over a needle's pivot, it hides the needle's root whatever way
// the needle points (near-black rather than black, which the host makes see-through).
void hub_cap(cairo_t* cr, Point centre, double radius);

// A dial face's scale: marks placed by value through the gauge's table.
class Scale {
  public:
    Scale(std::span<const NeedleRow> rows, Point pivot) : rows_(rows), pivot_(pivot) {}

    double angle(double value) const { return angle_for_value(rows_, pivot_, value); }

    void major(cairo_t* cr, double value) const;
    void minor(cairo_t* cr, double value) const;
    // Minor ticks at every `step` from `from` to `to`, both included.
    void minors(cairo_t* cr, double from, double to, double step) const;
    void numeral(cairo_t* cr, double value, std::string_view text,
                 double size = dial::numeral_size) const;
    void band(cairo_t* cr, double from, double to, Rgb c, double inner = dial::band_inner,
              double outer = dial::band_outer) const;
    void radial(cairo_t* cr, double value, double inner, double outer, double width, Rgb c) const;

  private:
    std::span<const NeedleRow> rows_;
    Point pivot_;
};

} // namespace art
