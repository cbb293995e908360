#include "art/render.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace art {

Image24 render_bitmap(const Bitmap& bitmap) {
    const std::string name = "bitmap " + std::to_string(bitmap.number);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bitmap.width, bitmap.height);
    cairo_t* cr = cairo_create(surface);
    bitmap.draw(cr, bitmap.width, bitmap.height);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw std::runtime_error(name + ": drawing failed: " + cairo_status_to_string(status));
    }
    Image24 image = keyed_pixels(surface);
    cairo_surface_destroy(surface);

    if (image.width != bitmap.width || image.height != bitmap.height)
        throw std::runtime_error(
            name + " came out " + std::to_string(image.width) + "x" + std::to_string(image.height) +
            ", not " + std::to_string(bitmap.width) + "x" + std::to_string(bitmap.height));
    const bool transparent = std::all_of(image.pixels.begin(), image.pixels.end(),
                                         [](const Rgb8& p) { return p.transparent(); });
    if (transparent && !bitmap.blank) throw std::runtime_error(name + " is entirely transparent");
    if (!transparent && bitmap.blank) throw std::runtime_error(name + " should be entirely black");
    return image;
}

} // namespace art
