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
    picture.surface = cache_.surface_for(*gauge.instance, *bitmaps, gauge.scale_x * zoom,
                                         &picture.redrawn);
    picture.version = cache_.version(*gauge.instance);
    return picture;
}

void PanelRenderer::draw_placed(cairo_t* cr, const PlacedGauge& gauge, double zoom,
                                FrameStats* stats) {
    if (!bitmaps_of(gauge.module) || !gauge.instance) return;
    // The cached picture is drawn at the horizontal scale; a gauge given its own
    // height is then stretched vertically to it.
    GaugePicture picture = picture_of(gauge, zoom);
    if (stats) {
        (picture.redrawn ? stats->gauges_drawn : stats->gauges_reused) += 1;
        stats->missing_elements += cache_.missing_elements(*gauge.instance);
    }
    if (!picture.surface) return;
    cairo_save(cr);
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

SurfacePtr PanelRenderer::render_window(const PlacedWindow& window, double zoom,
                                        FrameStats* stats) {
    int width = std::max(1, int(window.width * zoom + 0.5));
    int height = std::max(1, int(window.height * zoom + 0.5));
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    ContextPtr cr(cairo_create(surface.get()));
    draw_background(cr.get(), window, width, height, stats);
    // Placeholders lie beneath the gauges that run: the gauge one stands for may be a
    // click spot or an overlay laid over other instruments, which it must not hide.
    for (const PlacedGauge& gauge : window.gauges)
        if (!gauge.instance) draw_placeholder_at(cr.get(), gauge, zoom, stats);
    for (const PlacedGauge& gauge : window.gauges) {
        if (!gauge.instance) continue;
        cairo_save(cr.get());
        cairo_translate(cr.get(), gauge.x * zoom, gauge.y * zoom);
        draw_placed(cr.get(), gauge, zoom, stats);
        cairo_restore(cr.get());
    }
    return surface;
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
