// Drawing one placed gauge from the state its last update left: the element chain
// back to front, each element from its module's bitmaps.
#pragma once

#include "bitmap_surfaces.hpp"
#include "gauge_instance.hpp"

#include <cairo.h>

namespace panelhost {

// Draws `instance` with its design pixel (0, 0) at the current origin of `cr`, every
// design pixel `scale` device pixels wide. Elements not drawn this cycle are skipped;
// so are elements whose bitmaps the module lacks, which are counted: the result is
// the number of those. A scale outside (0, 1000] draws nothing.
int draw_gauge(cairo_t* cr, const GaugeInstance& instance, const BitmapSurfaces& bitmaps,
               double scale);

} // namespace panelhost
