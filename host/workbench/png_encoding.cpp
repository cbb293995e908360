#include "png_encoding.hpp"

#include "render/cairo_handles.hpp"

#include <png.h>

#include <cstring>

namespace panelhost {
namespace {

// One row of Cairo's native-endian premultiplied ARGB as straight RGBA bytes.
void straight_rgba(const uint32_t* pixels, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x, out += 4) {
        uint32_t pixel = pixels[x];
        uint32_t alpha = pixel >> 24;
        if (alpha == 0) {
            out[0] = out[1] = out[2] = out[3] = 0;
            continue;
        }
        auto straight = [alpha](uint32_t channel) {
            return uint8_t((channel * 255 + alpha / 2) / alpha);
        };
        out[0] = straight(pixel >> 16 & 0xFF);
        out[1] = straight(pixel >> 8 & 0xFF);
        out[2] = straight(pixel & 0xFF);
        out[3] = uint8_t(alpha);
    }
}

void append(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// libpng reports errors by longjmp; this function holds no C++ objects with
// destructors between setjmp and the calls that may jump.
bool write_png(cairo_surface_t* surface, std::vector<uint8_t>& out, std::vector<uint8_t>& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    png_set_write_fn(png, &out, append, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        straight_rgba(reinterpret_cast<const uint32_t*>(data + size_t(y) * stride), width,
                      row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

std::vector<uint8_t> encode_png(cairo_surface_t* surface) {
    std::vector<uint8_t> out;
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32 ||
        cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        return out;
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    if (width <= 0 || height <= 0 || !cairo_image_surface_get_data(surface)) return out;
    std::vector<uint8_t> row(size_t(width) * 4);
    out.reserve(size_t(width) * height / 2);
    if (!write_png(surface, out, row)) out.clear();
    return out;
}

std::vector<uint8_t> encode_png(const Image& image) {
    SurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(image.width), int(image.height)));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (uint32_t y = 0; y < image.height; ++y)
        std::memcpy(data + size_t(y) * stride, &image.pixels[size_t(y) * image.width],
                    size_t(image.width) * sizeof(uint32_t));
    cairo_surface_mark_dirty(surface.get());
    return encode_png(surface.get());
}

} // namespace panelhost
