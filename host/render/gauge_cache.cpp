#include "gauge_cache.hpp"

#include "gauge_renderer.hpp"

#include <algorithm>
#include <chrono>
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
    std::optional<Drawing> drawing = start_drawing(instance, bitmaps, scale);
    if (redrawn) *redrawn = drawing.has_value();
    if (drawing) draw(*drawing, bitmaps);
    return surface(instance);
}

// Everything but the drawing itself is settled here, on the cache's own thread: the
// entry, its surface at the new size, its signature and version.
std::optional<GaugeCache::Drawing> GaugeCache::start_drawing(const GaugeInstance& instance,
                                                             const BitmapSurfaces& bitmaps,
                                                             double scale) {
    Entry& entry = entries_[&instance];
    DrawingSignature signature = drawing_signature(instance, steps_);
    if (entry.surface && entry.bitmaps == &bitmaps && entry.scale == scale &&
        entry.signature == signature)
        return std::nullopt;

    int width = surface_side(instance.design_size().width, scale);
    int height = surface_side(instance.design_size().height, scale);
    if (!same_size(entry.surface.get(), width, height))
        entry.surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    entry.bitmaps = &bitmaps;
    entry.scale = scale;
    entry.signature = std::move(signature);
    ++entry.version;
    Drawing drawing;
    drawing.entry = &entry;
    drawing.instance = &instance;
    return drawing;
}

void GaugeCache::draw(const Drawing& drawing, const BitmapSurfaces& bitmaps) {
    Entry& entry = *drawing.entry;
    auto started = std::chrono::steady_clock::now();
    ContextPtr cr(cairo_create(entry.surface.get()));
    clear(cr.get());
    entry.missing = draw_gauge(cr.get(), *drawing.instance, bitmaps, entry.scale);
    cr.reset();
    cairo_surface_flush(entry.surface.get());
    entry.cost = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

double GaugeCache::Drawing::last_cost() const { return entry->cost; }

cairo_surface_t* GaugeCache::surface(const GaugeInstance& instance) const {
    auto it = entries_.find(&instance);
    return it == entries_.end() ? nullptr : it->second.surface.get();
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
