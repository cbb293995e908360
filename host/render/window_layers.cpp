#include "window_layers.hpp"

#include "cairo_handles.hpp"

#include <algorithm>

namespace panelhost {
namespace {

// Fewer pixels than this (about a quarter of a 1300 x 740 window) are laid in one
// go: splitting them would save little more than waking a lane costs.
constexpr double fewest_pixels_to_split = 256 * 1024;

double pixels_in(const std::vector<PixelBox>& boxes) {
    double pixels = 0;
    for (const PixelBox& box : boxes)
        pixels += (box.right - box.left) * (box.bottom - box.top);
    return pixels;
}

bool reaches_rows(const WindowLayer& layer, int top, int bottom) {
    double height = cairo_image_surface_get_height(layer.surface) * layer.stretch;
    return layer.y < bottom && layer.y + height > top;
}

// The background copied rather than blended, else the colour.
void lay_background(cairo_t* cr, const WindowLayers& frame, cairo_surface_t* background) {
    if (!background) {
        const PanelColor& colour = frame.colour;
        cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
        cairo_paint(cr);
        return;
    }
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, background, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void lay(cairo_t* cr, const WindowLayer& layer, cairo_surface_t* surface) {
    cairo_save(cr);
    cairo_translate(cr, layer.x, layer.y);
    cairo_scale(cr, 1.0, layer.stretch);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

// The picture itself on the calling thread, else a surface of this thread's own over
// its pixels, kept in `kept` until the band is laid.
cairo_surface_t* own_surface(cairo_surface_t* surface, bool share, std::vector<SurfacePtr>& kept) {
    if (!surface || !share) return surface;
    kept.push_back(surface_sharing_pixels(surface));
    return kept.back().get();
}

// Rows [top, bottom) of the frame, drawn on a surface over those rows only, in the
// window's coordinates. `share`: other threads are laying other bands, so every
// picture is read through a surface of this thread's own.
void lay_band(cairo_surface_t* canvas, int top, int bottom, const WindowLayers& frame,
              const std::vector<PixelBox>* damaged, bool share) {
    SurfacePtr rows = surface_over_rows(canvas, top, bottom);
    if (!rows) return;
    std::vector<SurfacePtr> kept;
    ContextPtr context(cairo_create(rows.get()));
    cairo_t* cr = context.get();
    cairo_translate(cr, 0, -top);
    if (damaged) {
        for (const PixelBox& box : *damaged)
            cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
        cairo_clip(cr);
    }
    lay_background(cr, frame, own_surface(frame.background, share, kept));
    for (const WindowLayer& layer : frame.layers)
        if (reaches_rows(layer, top, bottom))
            lay(cr, layer, own_surface(layer.surface, share, kept));
}

} // namespace

void lay_window(cairo_surface_t* canvas, const WindowLayers& frame,
                const std::vector<PixelBox>* damaged, DrawingLanes& lanes) {
    const int width = cairo_image_surface_get_width(canvas);
    const int height = cairo_image_surface_get_height(canvas);
    const double pixels = damaged ? pixels_in(*damaged) : double(width) * height;
    const int bands = pixels < fewest_pixels_to_split ? 1 : std::min(lanes.lanes(), height);
    cairo_surface_flush(canvas);
    lanes.run(size_t(bands), [&](size_t band, int lane) {
        int top = int(height * band / bands), bottom = int(height * (band + 1) / bands);
        lay_band(canvas, top, bottom, frame, damaged, lane != 0);
    });
    cairo_surface_mark_dirty(canvas);
}

} // namespace panelhost
