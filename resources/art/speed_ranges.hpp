// The airframe's speed ranges in knots, marked on both airspeed indicators:
// flaps extended (a white arc inside the others), normal operation (green), caution
// (yellow) and the never-exceed red line, drawn over the graduations.
#pragma once

#include "art/dial_scale.hpp"

namespace art::speed_ranges {

inline constexpr double flaps_from = 70, flaps_to = 140;
inline constexpr double normal_from = 80, caution_from = 230, never_exceed = 260;

struct ArcRadii {
    double flaps_inner, flaps_outer; // the white arc
    double band_inner, band_outer;   // the green and yellow arcs
};

inline void draw_arcs(cairo_t* cr, const Scale& scale, const ArcRadii& r) {
    scale.band(cr, flaps_from, flaps_to, colour::marking, r.flaps_inner, r.flaps_outer);
    scale.band(cr, normal_from, caution_from, colour::green, r.band_inner, r.band_outer);
    scale.band(cr, caution_from, never_exceed, colour::yellow, r.band_inner, r.band_outer);
}

inline void draw_red_line(cairo_t* cr, const Scale& scale, double inner, double outer) {
    scale.radial(cr, never_exceed, inner, outer, 4, colour::red);
}

} // namespace art::speed_ranges
