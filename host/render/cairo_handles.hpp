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

} // namespace panelhost
