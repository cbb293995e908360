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

private:
    std::map<uint32_t, SurfacePtr> surfaces_;
};

} // namespace panelhost
