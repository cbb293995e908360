// Each placed gauge's last picture, kept so that a panel frame redraws only the
// gauges whose drawing state changed and just copies the others.
#pragma once

#include "bitmap_surfaces.hpp"
#include "cairo_handles.hpp"
#include "drawing_signature.hpp"
#include "gauge_instance.hpp"

#include <map>
#include <optional>

namespace panelhost {

class GaugeCache {
    struct Entry;

  public:
    // `steps`: changes of state too small to see that keep the last picture (by
    // default every change redraws).
    explicit GaugeCache(SignatureSteps steps = {}) : steps_(steps) {}

    // The instance drawn at `scale` on a transparent surface of its design size times
    // `scale` (at least one pixel), redrawn only when its drawing state, the scale or
    // the bitmaps differ from the last call. `redrawn`, if given, tells which it was.
    // The surface stays the cache's until the next call for the instance or forget().
    cairo_surface_t* surface_for(const GaugeInstance& instance, const BitmapSurfaces& bitmaps,
                                 double scale, bool* redrawn = nullptr);

    // surface_for() in two steps, so that several pictures can be drawn at once on
    // threads of their own. start_drawing() decides, on the thread that owns the
    // cache, whether the picture must be drawn again; when so, the drawing it returns
    // is done by draw(), on any thread, before the picture is used. Drawings of
    // different instances may be done at the same time when each is given bitmaps no
    // other thread draws from (see BitmapSurfaces::SharingPixels).
    class Drawing {
      public:
        // How long the instance's last drawing took, in seconds: the longest are
        // best started first.
        double last_cost() const;

      private:
        friend class GaugeCache;
        Entry* entry = nullptr;
        const GaugeInstance* instance = nullptr;
    };
    std::optional<Drawing> start_drawing(const GaugeInstance& instance,
                                         const BitmapSurfaces& bitmaps, double scale);
    // `bitmaps`: the ones given to start_drawing() or a set sharing their pixels.
    static void draw(const Drawing& drawing, const BitmapSurfaces& bitmaps);

    // The instance's picture as last drawn; null for an instance never drawn.
    cairo_surface_t* surface(const GaugeInstance& instance) const;

    // Elements the instance's last drawing could not draw for want of a bitmap.
    int missing_elements(const GaugeInstance& instance) const;

    // Counts the instance's drawings: it grows each time surface_for or
    // start_drawing redraws the picture, so a consumer that remembers it knows
    // whether the picture changed.
    // 0 for an instance never drawn.
    uint64_t version(const GaugeInstance& instance) const;

    // Drops the instance's picture; call it when the instance is removed.
    void forget(const GaugeInstance& instance) { entries_.erase(&instance); }

  private:
    struct Entry {
        SurfacePtr surface;
        const BitmapSurfaces* bitmaps = nullptr;
        double scale = 0;
        DrawingSignature signature;
        int missing = 0;
        uint64_t version = 0;
        double cost = 0; // seconds the last drawing took
    };

    SignatureSteps steps_;
    std::map<const GaugeInstance*, Entry> entries_;
};

} // namespace panelhost
