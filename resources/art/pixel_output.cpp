#include "art/pixel_output.hpp"

#include <stdexcept>

namespace art {
namespace {

constexpr uint32_t opaque_from_alpha = 128; // coverage from which a pixel is drawn

uint8_t unpremultiply(uint32_t channel, uint32_t alpha) {
    return static_cast<uint8_t>((channel * 255 + alpha / 2) / alpha);
}

} // namespace

Image24 keyed_pixels(cairo_surface_t* surface) {
    if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
        throw std::invalid_argument("keyed_pixels needs an ARGB32 surface");
    cairo_surface_flush(surface);

    Image24 image;
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    image.pixels.reserve(static_cast<size_t>(image.width) * image.height);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);

    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            const uint32_t argb = row[x];
            const uint32_t alpha = argb >> 24;
            Rgb8 pixel{};
            if (alpha >= opaque_from_alpha) {
                pixel = {unpremultiply((argb >> 16) & 0xFF, alpha),
                         unpremultiply((argb >> 8) & 0xFF, alpha),
                         unpremultiply(argb & 0xFF, alpha)};
                if (pixel.transparent()) pixel = near_black;
            }
            image.pixels.push_back(pixel);
        }
    }
    return image;
}

cairo_surface_t* shown_surface(const Image24& image) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            const Rgb8& p = image.at(x, y);
            row[x] = p.transparent() ? 0u : 0xFF000000u | (p.r << 16) | (p.g << 8) | p.b;
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

} // namespace art
