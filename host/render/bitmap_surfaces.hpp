// A module's bitmaps as Cairo image surfaces, made once when the module is loaded
// and shared by every frame and every placement of its gauges.
#pragma once

#include "cairo_handles.hpp"
#include "module_resources.hpp"

#include <cstdint>
#include <map>

namespace panelhost {

class BitmapSurfaces {
public:
    // Copies every decoded bitmap; `resources` may go away afterwards.
    explicit BitmapSurfaces(const ModuleResources& resources);

    // The surface of bitmap `number`, or null when the module has none.
    cairo_surface_t* find(uint32_t number) const;
    size_t size() const { return surfaces_.size(); }

    // Bitmap `number` reduced to `scale` (0 < scale < 1) with Cairo's good filter,
    // made on first use and kept: reducing a 300 x 300 face takes about 1 ms, copying
    // the reduced one a few microseconds. Null when the module has no such bitmap.
    cairo_surface_t* reduced(uint32_t number, double scale) const;

private:
    std::map<uint32_t, SurfacePtr> surfaces_;
    mutable std::map<std::pair<uint32_t, double>, SurfacePtr> reduced_;
};

} // namespace panelhost
