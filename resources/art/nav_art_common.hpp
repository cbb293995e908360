// Pieces the navigation displays' art shares: a compass card, lamps, flags and
// segment-display panels.
#pragma once

#include "art/draw_helpers.hpp"

namespace art::nav {

// A compass card on a dark disc: ticks every 5 degrees, numbers every 30 (tens of
// degrees, N E S W at the cardinal points), 0 at the top, increasing clockwise. The
// labels stand centred at `label_radius`, or just inside the long ticks if it is 0.
void compass_card(cairo_t* cr, Point centre, double radius, double label_size,
                  double label_radius = 0);

// A round lamp lens of colour `c`, lit.
void lamp(cairo_t* cr, Point centre, double radius, Rgb c);

// A red-and-white striped warning flag, with an optional legend.
void warning_flag(cairo_t* cr, double x, double y, double w, double h, const char* legend,
                  double size);

// A mask: the whole bitmap see-through inside a disc.
void disc_window(cairo_t* cr, Point centre, double radius);

// The instrument's front plate: the whole bitmap in `grey` with a round opening of
// radius `opening` about `centre`, and a bezel ring from `ring_inner` to
// `ring_outer` around the opening.
void bezel_plate(cairo_t* cr, int w, int h, Rgb grey, Point centre, double opening,
                 double ring_outer, double ring_inner);

// The index at the top of a card of radius `radius`: an orange triangle from just
// outside the card down to `depth` inside it, `half_width` wide each side.
void top_index(cairo_t* cr, Point centre, double radius, double depth, double half_width);

inline constexpr Rgb magenta{0.92, 0.20, 0.78};
inline constexpr Rgb panel_grey{0.23, 0.24, 0.25};

} // namespace art::nav
