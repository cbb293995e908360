#include "panel_renderer.hpp"

#include <algorithm>
#include <cmath>

namespace panelhost {
namespace {

// Drawings expected to take less than this in all are not shared out among lanes.
constexpr double least_seconds_to_share = 200e-6;

// What shows behind a window without a background colour of its own.
constexpr PanelColor panel_paint{59, 61, 66};

void fill(cairo_t* cr, PanelColor colour) {
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
    cairo_paint(cr);
}

} // namespace

PanelRenderer::PanelRenderer(const PanelHost& host, SignatureSteps steps, int lanes)
    : cache_(steps), lanes_(lanes) {
    for (const auto& [name, module] : host.modules()) {
        auto& sets = bitmaps_[name];
        sets.push_back(std::make_unique<BitmapSurfaces>(module->resources()));
        for (int lane = 1; lane < lanes_.lanes(); ++lane)
            sets.push_back(
                std::make_unique<BitmapSurfaces>(BitmapSurfaces::SharingPixels{}, *sets.front()));
    }
}

const BitmapSurfaces* PanelRenderer::lane_bitmaps(const std::string& module, int lane) const {
    auto it = bitmaps_.find(module);
    return it == bitmaps_.end() ? nullptr : it->second[size_t(lane)].get();
}

const BitmapSurfaces* PanelRenderer::bitmaps_of(const std::string& module) const {
    return lane_bitmaps(module, 0);
}

PanelRenderer::GaugePicture PanelRenderer::picture_of(const PlacedGauge& gauge, double zoom) {
    return pictures_of({{&gauge, zoom}}).front();
}

// The pictures to draw again are settled first, on this thread; then the lanes draw
// them, each from bitmaps of its own.
std::vector<PanelRenderer::GaugePicture>
PanelRenderer::pictures_of(const std::vector<GaugeAtZoom>& gauges) {
    std::vector<GaugePicture> pictures(gauges.size());
    std::vector<Redrawing> redrawings;
    for (size_t i = 0; i < gauges.size(); ++i) {
        const PlacedGauge& gauge = *gauges[i].gauge;
        const BitmapSurfaces* bitmaps = bitmaps_of(gauge.module);
        if (!bitmaps || !gauge.instance) continue;
        std::optional<GaugeCache::Drawing> drawing =
            cache_.start_drawing(*gauge.instance, *bitmaps, gauge.scale_x * gauges[i].zoom);
        pictures[i].redrawn = drawing.has_value();
        if (drawing) redrawings.push_back({*drawing, &gauge.module});
    }
    draw_on_lanes(redrawings);
    for (size_t i = 0; i < gauges.size(); ++i) {
        const GaugeInstance* instance = gauges[i].gauge->instance;
        if (!instance || !bitmaps_of(gauges[i].gauge->module)) continue;
        pictures[i].surface = cache_.surface(*instance);
        pictures[i].version = cache_.version(*instance);
    }
    return pictures;
}

// The longest last time first, so that no lane is left with a long one at the end.
// A little drawing is done here: waking a lane for it would cost about as much as it
// saves. Pictures never drawn before are shared out.
void PanelRenderer::draw_on_lanes(std::vector<Redrawing>& redrawings) {
    std::stable_sort(redrawings.begin(), redrawings.end(), [](const auto& a, const auto& b) {
        return a.drawing.last_cost() > b.drawing.last_cost();
    });
    DrawingLanes::Job draw = [&](size_t index, int lane) {
        const Redrawing& redrawing = redrawings[index];
        GaugeCache::draw(redrawing.drawing, *lane_bitmaps(*redrawing.module, lane));
    };
    double expected = 0;
    for (const Redrawing& redrawing : redrawings)
        expected += redrawing.drawing.last_cost();
    if (expected == 0 || expected >= least_seconds_to_share) {
        lanes_.run(redrawings.size(), draw);
        return;
    }
    for (size_t index = 0; index < redrawings.size(); ++index)
        draw(index, 0);
}

// The bitmap comes stretched over the fill colour, an opaque picture, so that it is
// copied rather than blended; null when the window has none.
cairo_surface_t* PanelRenderer::background_of(const PlacedWindow& window, int width, int height,
                                              FrameStats* stats) {
    bool scaled = false;
    cairo_surface_t* picture = backgrounds_.picture(
        window.background, width, height, window.background_color.value_or(panel_paint), &scaled);
    if (stats && scaled) stats->backgrounds_scaled += 1;
    return picture;
}

// The box in whole pixels, so that its outline stays sharp at any zoom.
void PanelRenderer::add_placeholder(WindowLayers& frame, const PlacedGauge& gauge, double zoom,
                                    FrameStats* stats) {
    double left = std::round(gauge.x * zoom), top = std::round(gauge.y * zoom);
    double right = std::round((gauge.x + gauge.width) * zoom);
    double bottom = std::round((gauge.y + gauge.height) * zoom);
    if (stats) stats->placeholders += 1;
    cairo_surface_t* picture =
        placeholders_.picture(gauge, int(right - left), int(bottom - top), zoom);
    if (picture) frame.layers.push_back({picture, left, top});
}

namespace {

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
    std::vector<GaugeAtZoom> wanted;
    for (const PlacedGauge& gauge : window.gauges)
        wanted.push_back({&gauge, zoom});
    std::vector<GaugePicture> pictures = pictures_of(wanted);
    std::vector<PixelBox> damaged;
    for (size_t i = 0; i < window.gauges.size(); ++i) {
        const PlacedGauge& gauge = window.gauges[i];
        if (!gauge.instance || !bitmaps_of(gauge.module)) continue;
        if (stats) {
            (pictures[i].redrawn ? stats->gauges_drawn : stats->gauges_reused) += 1;
            stats->missing_elements += cache_.missing_elements(*gauge.instance);
        }
        if (!whole && pictures[i].version != canvas.drawn[i])
            damaged.push_back(pixel_box(gauge, zoom));
        canvas.drawn[i] = pictures[i].version;
    }
    if (!whole && damaged.empty()) return SurfacePtr(cairo_surface_reference(canvas.surface.get()));

    WindowLayers frame;
    frame.colour = window.background_color.value_or(panel_paint);
    frame.background = background_of(window, width, height, stats);
    // Placeholders lie beneath the gauges that run: the gauge one stands for may be a
    // click spot or an overlay laid over other instruments, which it must not hide.
    for (const PlacedGauge& gauge : window.gauges)
        if (!gauge.instance) add_placeholder(frame, gauge, zoom, whole ? stats : nullptr);
    // The cached picture is drawn at the horizontal scale; a gauge given its own
    // height is then stretched vertically to it.
    for (size_t i = 0; i < window.gauges.size(); ++i) {
        const PlacedGauge& gauge = window.gauges[i];
        if (pictures[i].surface)
            frame.layers.push_back({pictures[i].surface, gauge.x * zoom, gauge.y * zoom,
                                    gauge.scale_y / gauge.scale_x});
    }
    lay_window(canvas.surface.get(), frame, whole ? nullptr : &damaged, lanes_);
    return SurfacePtr(cairo_surface_reference(canvas.surface.get()));
}

SurfacePtr PanelRenderer::render_panel(const Panel& panel, double zoom, FrameStats* stats) {
    return render_windows(panel, panel.visible_windows(), zoom, stats);
}

SurfacePtr PanelRenderer::render_windows(const Panel& panel, const std::vector<size_t>& windows,
                                         double zoom, FrameStats* stats) {
    int width = 0, height = 1;
    for (size_t index : windows) {
        const PlacedWindow& window = panel.windows().at(index);
        width += (width ? window_gap : 0) + int(window.width * zoom + 0.5);
        height = std::max(height, int(window.height * zoom + 0.5));
    }
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), height));
    ContextPtr cr(cairo_create(surface.get()));
    fill(cr.get(), PanelColor{20, 20, 23}); // between the windows
    double x = 0;
    for (size_t index : windows) {
        SurfacePtr picture = render_window(panel.windows().at(index), zoom, stats);
        cairo_set_source_surface(cr.get(), picture.get(), x, 0);
        cairo_paint(cr.get());
        x += cairo_image_surface_get_width(picture.get()) + window_gap;
    }
    return surface;
}

} // namespace panelhost
