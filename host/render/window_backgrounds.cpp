#include "window_backgrounds.hpp"

namespace panelhost {
namespace {

void set_colour(cairo_t* cr, PanelColor colour) {
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

// The decoded pixels are Cairo's ARGB32 already, one row after the other, so Cairo
// reads them where they are; it only reads a source, never writes it.
SurfacePtr source_of(const Image& image) {
    if (image.width == 0 || image.height == 0 ||
        image.pixels.size() < size_t(image.width) * image.height)
        return nullptr;
    auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.pixels.data()));
    int width = int(image.width), height = int(image.height);
    return SurfacePtr(cairo_image_surface_create_for_data(
        data, CAIRO_FORMAT_ARGB32, width, height,
        cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width)));
}

SurfacePtr stretched(const Image& image, int width, int height, PanelColor fill) {
    SurfacePtr source = source_of(image);
    if (!source || cairo_surface_status(source.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    ContextPtr cr(cairo_create(surface.get()));
    set_colour(cr.get(), fill);
    cairo_paint(cr.get());
    cairo_scale(cr.get(), double(width) / image.width, double(height) / image.height);
    cairo_set_source_surface(cr.get(), source.get(), 0, 0);
    // Filtered down (or up) smoothly; the edge pixels are repeated outwards so that
    // the picture does not fade into the fill along the window's border.
    cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr.get()), CAIRO_EXTEND_PAD);
    cairo_paint(cr.get());
    cr.reset();
    cairo_surface_flush(surface.get());
    return surface;
}

} // namespace

cairo_surface_t* WindowBackgrounds::picture(const std::shared_ptr<const Image>& image, int width,
                                            int height, PanelColor fill, bool* scaled) {
    if (scaled) *scaled = false;
    if (!image) return nullptr;
    auto it = entries_.find(image.get());
    if (it != entries_.end() && it->second.image.lock() == image && it->second.width == width &&
        it->second.height == height && it->second.fill == fill)
        return it->second.surface.get();
    forget_released();
    SurfacePtr surface = stretched(*image, width, height, fill);
    if (scaled) *scaled = true;
    Entry& entry = entries_[image.get()];
    entry = Entry{image, width, height, fill, std::move(surface)};
    return entry.surface.get();
}

// A panel read again brings new bitmaps: the pictures of those no window holds any
// longer go.
void WindowBackgrounds::forget_released() {
    std::erase_if(entries_, [](const auto& entry) { return entry.second.image.expired(); });
}

} // namespace panelhost
