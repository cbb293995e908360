#include "art/pixel_output.hpp"

#include <stdexcept>

namespace art {
namespace {

constexpr uint32_t opaque_from_alpha = 128; // coverage from which a pixel is drawn

uint8_t unpremultiply(uint32_t channel, uint32_t alpha) {
    return static_cast<uint8_t>((channel * 255 + alpha / 2) / alpha);
}

uint32_t rgb(const Rgb8& p) { return uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b; }

// A new surface of `format` whose every pixel is `pixel` of the image's.
template <typename Pixel>
cairo_surface_t* surface_of(const Image24& image, cairo_format_t format, Pixel pixel) {
    cairo_surface_t* surface = cairo_image_surface_create(format, image.width, image.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < image.width; ++x)
            row[x] = pixel(image.at(x, y));
    }
    cairo_surface_mark_dirty(surface);
    return surface;
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
    return surface_of(image, CAIRO_FORMAT_ARGB32,
                      [](const Rgb8& p) { return p.transparent() ? 0u : 0xFF000000u | rgb(p); });
}

cairo_surface_t* exact_surface(const Image24& image) {
    return surface_of(image, CAIRO_FORMAT_RGB24, rgb);
}

} // namespace art
