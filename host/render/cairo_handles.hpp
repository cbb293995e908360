// Owning handles for the Cairo objects the renderer keeps.
#pragma once

#include <cairo.h>

#include <memory>

namespace panelhost {

struct CairoRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoRelease>;
using ContextPtr = std::unique_ptr<cairo_t, CairoRelease>;

// An image surface of its own over the pixels of `surface`, which it keeps alive (null
// when Cairo cannot make one). Cairo sets a source surface's sampling state while it
// draws from it, so two threads must not draw from one surface; each may draw from a
// surface of its own over the same pixels.
SurfacePtr surface_sharing_pixels(cairo_surface_t* surface);

// An image surface over rows [top, bottom) of `surface`, which it keeps alive: threads
// may draw at once on surfaces over rows that do not overlap.
SurfacePtr surface_over_rows(cairo_surface_t* surface, int top, int bottom);

} // namespace panelhost
