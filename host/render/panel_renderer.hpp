// Draws a placed panel: each visible window at its size over its background, each
// gauge scaled to its place, from the gauges' cached pictures so that only changed
// gauges are redrawn, and a placeholder box for each gauge this host cannot run.
#pragma once

#include "bitmap_surfaces.hpp"
#include "cairo_handles.hpp"
#include "drawing_lanes.hpp"
#include "gauge_cache.hpp"
#include "panel.hpp"
#include "placeholder_drawing.hpp"
#include "window_backgrounds.hpp"
#include "window_layers.hpp"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace panelhost {

struct FrameStats {
    int gauges_drawn = 0;  // gauges whose picture was redrawn
    int gauges_reused = 0; // gauges whose cached picture was copied
    int missing_elements = 0;
    int placeholders = 0;       // boxes drawn for gauges that do not run here
    int backgrounds_scaled = 0; // background bitmaps stretched anew to their window
};

class PanelRenderer {
  public:
    // Makes the Cairo surfaces of every module the host has loaded. `steps`: changes
    // of a gauge's state too small to see that keep its last picture. `lanes`: how
    // many threads draw the changed gauges of a frame side by side (the calling one
    // among them); the pictures are the same, pixel for pixel, however many.
    explicit PanelRenderer(const PanelHost& host, SignatureSteps steps = {},
                           int lanes = DrawingLanes::lanes_for_this_machine());

    // One window at `zoom` panel pixels per panel unit: its background colour (else the
    // panel paint), its background bitmap stretched to the window, the placeholders,
    // then the gauges in the panel file's order. The renderer keeps each window's
    // picture and draws again only where gauges changed (their boxes: the background
    // there, and every gauge over it); the picture returned is that kept one when
    // nobody else holds it any more, else a new one. A renderer serves one panel: it
    // knows windows by their address.
    SurfacePtr render_window(const PlacedWindow& window, double zoom = 1.0,
                             FrameStats* stats = nullptr);
    // Every visible window of the panel, side by side on one picture.
    SurfacePtr render_panel(const Panel& panel, double zoom = 1.0, FrameStats* stats = nullptr);
    // The panel's windows of these numbers, in this order, open or not.
    SurfacePtr render_windows(const Panel& panel, const std::vector<size_t>& windows,
                              double zoom = 1.0, FrameStats* stats = nullptr);

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
    // The pictures of several gauges, each at its zoom, in the order given: those
    // that changed are drawn side by side on the renderer's lanes.
    struct GaugeAtZoom {
        const PlacedGauge* gauge = nullptr;
        double zoom = 1.0;
    };
    std::vector<GaugePicture> pictures_of(const std::vector<GaugeAtZoom>& gauges);

    const BitmapSurfaces* bitmaps_of(const std::string& module) const;

  private:
    // A window's kept picture: the zoom it was drawn at and the version of each
    // gauge's picture drawn on it (0: none).
    struct WindowCanvas {
        SurfacePtr surface{nullptr};
        double zoom = 0;
        std::vector<uint64_t> drawn;
    };

    // A gauge's picture to draw again, with the module whose bitmaps it is drawn from.
    struct Redrawing {
        GaugeCache::Drawing drawing;
        const std::string* module;
    };
    void draw_on_lanes(std::vector<Redrawing>& redrawings);

    cairo_surface_t* background_of(const PlacedWindow& window, int width, int height,
                                   FrameStats* stats);
    void add_placeholder(WindowLayers& frame, const PlacedGauge& gauge, double zoom,
                         FrameStats* stats);

    std::map<const PlacedWindow*, WindowCanvas> canvases_;

    // The bitmaps lane `lane` draws `module`'s gauges from: the first lane's own,
    // the others' sharing their pixels. Null when the module has no bitmaps here.
    const BitmapSurfaces* lane_bitmaps(const std::string& module, int lane) const;

    // Each module's bitmaps, one set for each lane.
    std::map<std::string, std::vector<std::unique_ptr<BitmapSurfaces>>> bitmaps_;
    GaugeCache cache_;
    WindowBackgrounds backgrounds_;
    PlaceholderPictures placeholders_;
    DrawingLanes lanes_; // last: its workers stop before what they draw with goes
};

// Gap between windows, in panel pixels, when a panel is drawn on one picture.
constexpr int window_gap = 12;

} // namespace panelhost
