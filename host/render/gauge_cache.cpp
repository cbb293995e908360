#include "gauge_cache.hpp"

#include "gauge_renderer.hpp"

#include <algorithm>
#include <cmath>

namespace panelhost {
namespace {

// Cairo's largest image side.
constexpr double max_surface_side = 32767;

int surface_side(double design_extent, double scale) {
    double side = std::ceil(design_extent * scale);
    return side >= 1 ? int(std::min(side, max_surface_side)) : 1;
}

bool same_size(cairo_surface_t* surface, int width, int height) {
    return surface && cairo_image_surface_get_width(surface) == width &&
           cairo_image_surface_get_height(surface) == height;
}

void clear(cairo_t* cr) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace

cairo_surface_t* GaugeCache::surface_for(const GaugeInstance& instance,
                                         const BitmapSurfaces& bitmaps, double scale,
                                         bool* redrawn) {
    Entry& entry = entries_[&instance];
    DrawingSignature signature = drawing_signature(instance, steps_);
    bool unchanged = entry.surface && entry.bitmaps == &bitmaps && entry.scale == scale &&
                     entry.signature == signature;
    if (redrawn) *redrawn = !unchanged;
    if (unchanged) return entry.surface.get();

    int width = surface_side(instance.design_size().width, scale);
    int height = surface_side(instance.design_size().height, scale);
    if (!same_size(entry.surface.get(), width, height))
        entry.surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    ContextPtr cr(cairo_create(entry.surface.get()));
    clear(cr.get());
    entry.missing = draw_gauge(cr.get(), instance, bitmaps, scale);
    cr.reset();
    cairo_surface_flush(entry.surface.get());
    entry.bitmaps = &bitmaps;
    entry.scale = scale;
    entry.signature = std::move(signature);
    ++entry.version;
    return entry.surface.get();
}

int GaugeCache::missing_elements(const GaugeInstance& instance) const {
    auto it = entries_.find(&instance);
    return it == entries_.end() ? 0 : it->second.missing;
}

uint64_t GaugeCache::version(const GaugeInstance& instance) const {
    auto it = entries_.find(&instance);
    return it == entries_.end() ? 0 : it->second.version;
}

} // namespace panelhost
