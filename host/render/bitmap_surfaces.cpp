#include "bitmap_surfaces.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace panelhost {
namespace {

// The decoded pixels are already Cairo's ARGB32 (black keyed to alpha 0, every other
// pixel opaque, so premultiplying changes nothing); only the row stride may differ.
SurfacePtr surface_from(const Image& image) {
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(image.width),
                                                  int(image.height)));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    size_t stride = size_t(cairo_image_surface_get_stride(surface.get()));
    for (uint32_t y = 0; y < image.height; ++y)
        std::memcpy(data + y * stride, &image.pixels[size_t(y) * image.width],
                    size_t(image.width) * sizeof(uint32_t));
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

} // namespace

BitmapSurfaces::BitmapSurfaces(const ModuleResources& resources) {
    for (const auto& [number, image] : resources.bitmaps())
        if (SurfacePtr surface = surface_from(image)) surfaces_.emplace(number, std::move(surface));
}

cairo_surface_t* BitmapSurfaces::find(uint32_t number) const {
    auto it = surfaces_.find(number);
    return it == surfaces_.end() ? nullptr : it->second.get();
}

cairo_surface_t* BitmapSurfaces::reduced(uint32_t number, double scale) const {
    cairo_surface_t* bitmap = find(number);
    if (!bitmap || !(scale > 0 && scale < 1)) return nullptr;
    auto key = std::make_pair(number, scale);
    if (auto it = reduced_.find(key); it != reduced_.end()) return it->second.get();
    // A viewer that keeps changing its size would keep adding scales: start again.
    constexpr size_t most_reduced = 4096;
    if (reduced_.size() >= most_reduced) reduced_.clear();
    int width = std::max(1, int(std::ceil(cairo_image_surface_get_width(bitmap) * scale)));
    int height = std::max(1, int(std::ceil(cairo_image_surface_get_height(bitmap) * scale)));
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    ContextPtr cr(cairo_create(surface.get()));
    cairo_scale(cr.get(), scale, scale);
    cairo_set_source_surface(cr.get(), bitmap, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
    cairo_paint(cr.get());
    cr.reset();
    cairo_surface_flush(surface.get());
    return reduced_.emplace(key, std::move(surface)).first->second.get();
}

} // namespace panelhost
