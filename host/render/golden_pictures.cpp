#include "render/golden_pictures.hpp"

#include "render/cairo_handles.hpp"
#include "render/png_output.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace panelhost {
namespace {

SurfacePtr read_png(const std::string& path) {
    SurfacePtr surface(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(surface.get());
    return surface;
}

// The picture as 32-bit ARGB, whatever format the PNG held.
SurfacePtr as_argb(SurfacePtr surface) {
    if (cairo_image_surface_get_format(surface.get()) == CAIRO_FORMAT_ARGB32) return surface;
    SurfacePtr argb(cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                               cairo_image_surface_get_width(surface.get()),
                                               cairo_image_surface_get_height(surface.get())));
    ContextPtr cr(cairo_create(argb.get()));
    cairo_set_source_surface(cr.get(), surface.get(), 0, 0);
    cairo_paint(cr.get());
    cairo_surface_flush(argb.get());
    return argb;
}

uint32_t pixel(cairo_surface_t* surface, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x];
}

bool pixels_differ(uint32_t a, uint32_t b, int levels) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > levels) return true;
    return false;
}

void write_difference(cairo_surface_t* golden, cairo_surface_t* picture, int levels,
                      const std::string& path) {
    const int width = cairo_image_surface_get_width(golden);
    const int height = cairo_image_surface_get_height(golden);
    SurfacePtr out(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    ContextPtr cr(cairo_create(out.get()));
    cairo_set_source_rgb(cr.get(), 0.15, 0.15, 0.16);
    cairo_paint(cr.get());
    cairo_set_source_surface(cr.get(), golden, 0, 0);
    cairo_paint_with_alpha(cr.get(), 0.35);
    cairo_set_source_rgb(cr.get(), 1, 0, 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels_differ(pixel(golden, x, y), pixel(picture, x, y), levels))
                cairo_rectangle(cr.get(), x, y, 1, 1);
    cairo_fill(cr.get());
    std::string error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    write_png(out.get(), path, error);
}

} // namespace

GoldenComparison compare_with_golden(const std::string& picture_path,
                                     const std::string& golden_path,
                                     const std::string& difference_path,
                                     PictureTolerance tolerance) {
    using Outcome = GoldenComparison::Outcome;
    GoldenComparison result;
    if (!std::filesystem::exists(golden_path)) {
        result.outcome = Outcome::no_golden;
        return result;
    }
    SurfacePtr golden = read_png(golden_path), picture = read_png(picture_path);
    if (!golden || !picture) {
        result.outcome = Outcome::unreadable;
        result.reason = "cannot read " + (golden ? picture_path : golden_path) + " as PNG";
        return result;
    }
    golden = as_argb(std::move(golden));
    picture = as_argb(std::move(picture));
    const int width = cairo_image_surface_get_width(golden.get());
    const int height = cairo_image_surface_get_height(golden.get());
    const int picture_width = cairo_image_surface_get_width(picture.get());
    const int picture_height = cairo_image_surface_get_height(picture.get());
    if (width != picture_width || height != picture_height) {
        result.outcome = Outcome::differs;
        result.reason = std::to_string(picture_width) + " x " + std::to_string(picture_height) +
                        " instead of " + std::to_string(width) + " x " + std::to_string(height);
        return result;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            result.differing_pixels += pixels_differ(
                pixel(golden.get(), x, y), pixel(picture.get(), x, y), tolerance.channel_levels);
    result.allowed_pixels = size_t(double(width) * height * tolerance.pixel_share);
    if (result.differing_pixels > result.allowed_pixels) {
        result.outcome = Outcome::differs;
        result.reason = std::to_string(result.differing_pixels) + " pixels differ (" +
                        std::to_string(result.allowed_pixels) + " allowed)";
        if (!difference_path.empty())
            write_difference(golden.get(), picture.get(), tolerance.channel_levels,
                             difference_path);
    }
    return result;
}

} // namespace panelhost
