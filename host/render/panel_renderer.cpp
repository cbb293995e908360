#include "panel_renderer.hpp"

#include <algorithm>
#include <cmath>

namespace panelhost {
namespace {

// What shows behind a window without a background colour of its own.
constexpr PanelColor panel_paint{59, 61, 66};

void fill(cairo_t* cr, PanelColor colour) {
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
    cairo_paint(cr);
}

} // namespace

PanelRenderer::PanelRenderer(const PanelHost& host, SignatureSteps steps) : cache_(steps) {
    for (const auto& [name, module] : host.modules())
        bitmaps_[name] = std::make_unique<BitmapSurfaces>(module->resources());
}

const BitmapSurfaces* PanelRenderer::bitmaps_of(const std::string& module) const {
    auto it = bitmaps_.find(module);
    return it == bitmaps_.end() ? nullptr : it->second.get();
}

PanelRenderer::GaugePicture PanelRenderer::picture_of(const PlacedGauge& gauge, double zoom) {
    GaugePicture picture;
    const BitmapSurfaces* bitmaps = bitmaps_of(gauge.module);
    if (!bitmaps || !gauge.instance) return picture;
    picture.surface =
        cache_.surface_for(*gauge.instance, *bitmaps, gauge.scale_x * zoom, &picture.redrawn);
    picture.version = cache_.version(*gauge.instance);
    return picture;
}

// The cached picture is drawn at the horizontal scale; a gauge given its own height
// is then stretched vertically to it.
void PanelRenderer::draw_picture(cairo_t* cr, const PlacedGauge& gauge, const GaugePicture& picture,
                                 double zoom) {
    if (!picture.surface) return;
    cairo_save(cr);
    cairo_translate(cr, gauge.x * zoom, gauge.y * zoom);
    cairo_scale(cr, 1.0, gauge.scale_y / gauge.scale_x);
    cairo_set_source_surface(cr, picture.surface, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

// The bitmap comes stretched over the fill colour, an opaque picture, so that it is
// copied rather than blended.
void PanelRenderer::draw_background(cairo_t* cr, const PlacedWindow& window, int width, int height,
                                    FrameStats* stats) {
    PanelColor colour = window.background_color.value_or(panel_paint);
    bool scaled = false;
    cairo_surface_t* picture =
        backgrounds_.picture(window.background, width, height, colour, &scaled);
    if (stats && scaled) stats->backgrounds_scaled += 1;
    if (!picture) {
        fill(cr, colour);
        return;
    }
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

// The box in whole pixels, so that its outline stays sharp at any zoom.
void PanelRenderer::draw_placeholder_at(cairo_t* cr, const PlacedGauge& gauge, double zoom,
                                        FrameStats* stats) {
    double left = std::round(gauge.x * zoom), top = std::round(gauge.y * zoom);
    double right = std::round((gauge.x + gauge.width) * zoom);
    double bottom = std::round((gauge.y + gauge.height) * zoom);
    if (stats) stats->placeholders += 1;
    cairo_surface_t* picture =
        placeholders_.picture(gauge, int(right - left), int(bottom - top), zoom);
    if (!picture) return;
    cairo_set_source_surface(cr, picture, left, top);
    cairo_paint(cr);
}

namespace {

// The pixels a gauge's place covers at `zoom`, whole pixels that hold all of it.
struct PixelBox {
    double left, top, right, bottom;
};

PixelBox pixel_box(const PlacedGauge& gauge, double zoom) {
    return {std::floor(gauge.x * zoom), std::floor(gauge.y * zoom),
            std::ceil((gauge.x + gauge.width) * zoom), std::ceil((gauge.y + gauge.height) * zoom)};
}

} // namespace

SurfacePtr PanelRenderer::render_window(const PlacedWindow& window, double zoom,
                                        FrameStats* stats) {
    int width = std::max(1, int(window.width * zoom + 0.5));
    int height = std::max(1, int(window.height * zoom + 0.5));
    WindowCanvas& canvas = canvases_[&window];
    const bool same_place = canvas.surface && canvas.zoom == zoom &&
                            cairo_image_surface_get_width(canvas.surface.get()) == width &&
                            cairo_image_surface_get_height(canvas.surface.get()) == height &&
                            canvas.drawn.size() == window.gauges.size();
    // A picture handed out earlier and still held is left as it is.
    const bool held_elsewhere =
        canvas.surface && cairo_surface_get_reference_count(canvas.surface.get()) > 1;
    const bool whole = !same_place || held_elsewhere;
    if (whole) {
        canvas.surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
        canvas.zoom = zoom;
        canvas.drawn.assign(window.gauges.size(), 0);
    }

    // The gauges' pictures, redrawn where they changed; the boxes of those that are
    // not on the kept picture are drawn again.
    std::vector<GaugePicture> pictures(window.gauges.size());
    std::vector<PixelBox> damaged;
    for (size_t i = 0; i < window.gauges.size(); ++i) {
        const PlacedGauge& gauge = window.gauges[i];
        if (!gauge.instance || !bitmaps_of(gauge.module)) continue;
        pictures[i] = picture_of(gauge, zoom);
        if (stats) {
            (pictures[i].redrawn ? stats->gauges_drawn : stats->gauges_reused) += 1;
            stats->missing_elements += cache_.missing_elements(*gauge.instance);
        }
        if (!whole && pictures[i].version != canvas.drawn[i])
            damaged.push_back(pixel_box(gauge, zoom));
        canvas.drawn[i] = pictures[i].version;
    }
    if (!whole && damaged.empty()) return SurfacePtr(cairo_surface_reference(canvas.surface.get()));

    ContextPtr cr(cairo_create(canvas.surface.get()));
    if (!whole) {
        for (const PixelBox& box : damaged)
            cairo_rectangle(cr.get(), box.left, box.top, box.right - box.left,
                            box.bottom - box.top);
        cairo_clip(cr.get());
    }
    draw_background(cr.get(), window, width, height, stats);
    // Placeholders lie beneath the gauges that run: the gauge one stands for may be a
    // click spot or an overlay laid over other instruments, which it must not hide.
    for (const PlacedGauge& gauge : window.gauges)
        if (!gauge.instance) draw_placeholder_at(cr.get(), gauge, zoom, whole ? stats : nullptr);
    for (size_t i = 0; i < window.gauges.size(); ++i)
        draw_picture(cr.get(), window.gauges[i], pictures[i], zoom);
    cr.reset();
    cairo_surface_flush(canvas.surface.get());
    return SurfacePtr(cairo_surface_reference(canvas.surface.get()));
}

SurfacePtr PanelRenderer::render_panel(const Panel& panel, double zoom, FrameStats* stats) {
    int width = 0, height = 1;
    for (const PlacedWindow& window : panel.windows()) {
        if (!panel.window_visible(window)) continue;
        width += (width ? window_gap : 0) + int(window.width * zoom + 0.5);
        height = std::max(height, int(window.height * zoom + 0.5));
    }
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), height));
    ContextPtr cr(cairo_create(surface.get()));
    fill(cr.get(), PanelColor{20, 20, 23}); // between the windows
    double x = 0;
    for (const PlacedWindow& window : panel.windows()) {
        if (!panel.window_visible(window)) continue;
        SurfacePtr picture = render_window(window, zoom, stats);
        cairo_set_source_surface(cr.get(), picture.get(), x, 0);
        cairo_paint(cr.get());
        x += cairo_image_surface_get_width(picture.get()) + window_gap;
    }
    return surface;
}

} // namespace panelhost
