// Draws a placed panel: each visible window at its size, each gauge scaled to its
// place, from the gauges' cached pictures so that only changed gauges are redrawn.
#pragma once

#include "bitmap_surfaces.hpp"
#include "cairo_handles.hpp"
#include "gauge_cache.hpp"
#include "panel.hpp"

#include <map>
#include <memory>
#include <string>

namespace panelhost {

struct FrameStats {
    int gauges_drawn = 0;   // gauges whose picture was redrawn
    int gauges_reused = 0;  // gauges whose cached picture was copied
    int missing_elements = 0;
};

class PanelRenderer {
public:
    // Makes the Cairo surfaces of every module the host has loaded. `steps`: changes
    // of a gauge's state too small to see that keep its last picture.
    explicit PanelRenderer(const PanelHost& host, SignatureSteps steps = {});

    // One window at `zoom` panel pixels per panel unit.
    SurfacePtr render_window(const PlacedWindow& window, double zoom = 1.0,
                             FrameStats* stats = nullptr);
    // Every visible window of the panel, side by side on one picture.
    SurfacePtr render_panel(const Panel& panel, double zoom = 1.0, FrameStats* stats = nullptr);

    // Draws one gauge at the cairo origin at `zoom` (design pixels times zoom).
    void draw_placed(cairo_t* cr, const PlacedGauge& gauge, double zoom, FrameStats* stats);

    // The gauge's own picture at `zoom`, drawn at its horizontal scale (a gauge given
    // a height of its own is stretched to it by whoever shows the picture), with the
    // cache's version of it. The surface stays the renderer's; null when the gauge's
    // module has no bitmaps here.
    struct GaugePicture {
        cairo_surface_t* surface = nullptr;
        uint64_t version = 0;
        bool redrawn = false;
    };
    GaugePicture picture_of(const PlacedGauge& gauge, double zoom);

    const BitmapSurfaces* bitmaps_of(const std::string& module) const;

private:
    std::map<std::string, std::unique_ptr<BitmapSurfaces>> bitmaps_;
    GaugeCache cache_;
};

// Gap between windows, in panel pixels, when a panel is drawn on one picture.
constexpr int window_gap = 12;

} // namespace panelhost
