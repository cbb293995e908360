#include "cairo_handles.hpp"

namespace panelhost {
namespace {

const cairo_user_data_key_t kept_surface_key{};

// A surface over `height` rows of `surface`'s pixels from `data` on, keeping `surface`
// alive as long as it lives.
SurfacePtr surface_over(cairo_surface_t* surface, unsigned char* data, int height) {
    SurfacePtr alias(cairo_image_surface_create_for_data(
        data, cairo_image_surface_get_format(surface), cairo_image_surface_get_width(surface),
        height, cairo_image_surface_get_stride(surface)));
    if (cairo_surface_status(alias.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_t* kept = cairo_surface_reference(surface);
    auto release = [](void* data) { cairo_surface_destroy(static_cast<cairo_surface_t*>(data)); };
    if (cairo_surface_set_user_data(alias.get(), &kept_surface_key, kept, release) !=
        CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(kept);
        return nullptr;
    }
    return alias;
}

} // namespace

SurfacePtr surface_sharing_pixels(cairo_surface_t* surface) {
    return surface_over_rows(surface, 0, cairo_image_surface_get_height(surface));
}

SurfacePtr surface_over_rows(cairo_surface_t* surface, int top, int bottom) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    if (!data || top < 0 || bottom <= top || bottom > cairo_image_surface_get_height(surface))
        return nullptr;
    return surface_over(surface,
                        data + size_t(top) * size_t(cairo_image_surface_get_stride(surface)),
                        bottom - top);
}

} // namespace panelhost
