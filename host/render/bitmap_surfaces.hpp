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

    // A set of its own over the pixels of `other`, for another thread: Cairo sets a
    // source surface's sampling state while it draws from it, so two threads must not
    // draw from one surface, but they may read the same pixels through surfaces of
    // their own. Its reduced and cut copies are made and kept apart from the other's.
    struct SharingPixels {};
    BitmapSurfaces(SharingPixels, const BitmapSurfaces& other);

    // The surface of bitmap `number`, or null when the module has none.
    cairo_surface_t* find(uint32_t number) const;
    size_t size() const { return surfaces_.size(); }

    // Bitmap `number` reduced to `scale` (0 < scale < 1) with Cairo's good filter,
    // made on first use and kept: reducing a 300 x 300 face takes about 1 ms, copying
    // the reduced one a few microseconds. Null when the module has no such bitmap.
    cairo_surface_t* reduced(uint32_t number, double scale) const;

    // A bitmap that is turned, cut down to the box of its pixels that are not
    // transparent, with that box's corner in the bitmap: a needle or a pointer is a
    // thin shape on a large clear square, and turning samples every pixel of the
    // square's box. Turned with its corner at (x, y), the cut bitmap draws exactly
    // what the whole one would. `scale` as for reduced(); 1 for the bitmap itself.
    // A null surface when the module has no such bitmap.
    struct Cut {
        cairo_surface_t* surface = nullptr;
        int x = 0, y = 0;
    };
    Cut cut_to_content(uint32_t number, double scale) const;

  private:
    std::map<uint32_t, SurfacePtr> surfaces_;
    mutable std::map<std::pair<uint32_t, double>, SurfacePtr> reduced_;
    struct KeptCut {
        SurfacePtr surface;
        int x = 0, y = 0;
    };
    mutable std::map<std::pair<uint32_t, double>, KeptCut> cuts_;
};

} // namespace panelhost
