#include "panel_renderer.hpp"

#include <algorithm>

namespace panelhost {
namespace {

void fill(cairo_t* cr, double red, double green, double blue) {
    cairo_set_source_rgb(cr, red, green, blue);
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

SurfacePtr PanelRenderer::render_window(const PlacedWindow& window, double zoom,
                                        FrameStats* stats) {
    int width = std::max(1, int(window.width * zoom + 0.5));
    int height = std::max(1, int(window.height * zoom + 0.5));
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    ContextPtr cr(cairo_create(surface.get()));
    fill(cr.get(), 0.23, 0.24, 0.26); // panel paint
    for (const PlacedGauge& gauge : window.gauges) {
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
    fill(cr.get(), 0.08, 0.08, 0.09);
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
