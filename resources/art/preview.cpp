#include "art/preview.hpp"

#include <numbers>
#include <stdexcept>

namespace art {
namespace {

constexpr double zoom = 2;

void save(cairo_surface_t* surface, const std::filesystem::path& path) {
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path.string() + ": " +
                                 cairo_status_to_string(status));
}

const Image24& image_of(const std::map<uint32_t, Image24>& images, uint32_t number,
                        const Preview& preview) {
    const auto found = images.find(number);
    if (found == images.end())
        throw std::runtime_error("preview " + preview.name + " uses unknown bitmap " +
                                 std::to_string(number));
    return found->second;
}

void paint_layer(cairo_t* cr, const Layer& layer, const std::map<uint32_t, Image24>& images,
                 const Preview& preview) {
    cairo_surface_t* picture = shown_surface(image_of(images, layer.bitmap, preview));
    cairo_save(cr);
    if (layer.mask != 0) cairo_push_group(cr);
    cairo_translate(cr, layer.at.x, layer.at.y);
    cairo_rotate(cr, layer.degrees * std::numbers::pi / 180.0);
    cairo_translate(cr, -layer.anchor.x, -layer.anchor.y);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_paint(cr);
    if (layer.mask != 0) {
        cairo_pop_group_to_source(cr);
        cairo_identity_matrix(cr);
        cairo_surface_t* mask = shown_surface(image_of(images, layer.mask, preview));
        cairo_mask_surface(cr, mask, 0, 0);
        cairo_surface_destroy(mask);
    }
    cairo_restore(cr);
    cairo_surface_destroy(picture);
}

} // namespace

void write_png(const Image24& image, const std::filesystem::path& path) {
    save(exact_surface(image), path);
}

void write_preview(const Preview& preview, const std::map<uint32_t, Image24>& images,
                   const std::filesystem::path& path) {
    // Composed at design size over the panel grey, then enlarged with square pixels.
    cairo_surface_t* design =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, preview.width, preview.height);
    cairo_t* cr = cairo_create(design);
    cairo_set_source_rgb(cr, 0.40, 0.42, 0.45);
    cairo_paint(cr);
    for (const Layer& layer : preview.layers)
        paint_layer(cr, layer, images, preview);
    cairo_destroy(cr);

    cairo_surface_t* enlarged =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(preview.width * zoom),
                                   static_cast<int>(preview.height * zoom));
    cr = cairo_create(enlarged);
    cairo_scale(cr, zoom, zoom);
    cairo_set_source_surface(cr, design, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(design);
    save(enlarged, path);
}

} // namespace art
