#include "bitmap_surfaces.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace panelhost {
namespace {

// The decoded pixels are already Cairo's ARGB32 (black keyed to alpha 0, every other
// pixel opaque, so premultiplying changes nothing); only the row stride may differ.
SurfacePtr surface_from(const Image& image) {
    SurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(image.width), int(image.height)));
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

struct Box {
    int left, top, right, bottom; // right and bottom past the last pixel
};

// The box of the surface's pixels with any alpha; empty (right <= left) when none.
Box content_box(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const size_t stride = size_t(cairo_image_surface_get_stride(surface));
    Box box{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < width; ++x) {
            if ((row[x] >> 24) == 0) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x + 1);
            box.top = std::min(box.top, y);
            box.bottom = y + 1;
        }
    }
    return box;
}

} // namespace

BitmapSurfaces::BitmapSurfaces(const ModuleResources& resources) {
    for (const auto& [number, image] : resources.bitmaps())
        if (SurfacePtr surface = surface_from(image)) surfaces_.emplace(number, std::move(surface));
}

BitmapSurfaces::BitmapSurfaces(SharingPixels, const BitmapSurfaces& other) {
    for (const auto& [number, surface] : other.surfaces_)
        if (SurfacePtr alias = surface_sharing_pixels(surface.get()))
            surfaces_.emplace(number, std::move(alias));
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
    if (reduced_.size() >= most_reduced) {
        reduced_.clear();
        cuts_.clear(); // some are cut from reduced copies
    }
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

BitmapSurfaces::Cut BitmapSurfaces::cut_to_content(uint32_t number, double scale) const {
    cairo_surface_t* whole = scale == 1 ? find(number) : reduced(number, scale);
    if (!whole) return {};
    auto key = std::make_pair(number, scale);
    if (auto it = cuts_.find(key); it != cuts_.end())
        return {it->second.surface.get(), it->second.x, it->second.y};
    Box box = content_box(whole);
    if (box.right <= box.left) box = {0, 0, 1, 1}; // nothing to show: one clear pixel
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, box.right - box.left,
                                                  box.bottom - box.top));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {whole, 0, 0};
    ContextPtr cr(cairo_create(surface.get()));
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr.get(), whole, -box.left, -box.top);
    cairo_paint(cr.get());
    cr.reset();
    cairo_surface_flush(surface.get());
    KeptCut& kept = cuts_[key] = {std::move(surface), box.left, box.top};
    return {kept.surface.get(), kept.x, kept.y};
}

} // namespace panelhost
