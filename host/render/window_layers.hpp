// What one frame of a panel window lays down, back to front, and the laying of it on
// the window's picture: in horizontal bands side by side on the drawing lanes when
// there is much to lay, the same pixels as in one go.
#pragma once

#include "drawing_lanes.hpp"
#include "panel_config.hpp"

#include <cairo.h>

#include <vector>

namespace panelhost {

// Pixels of a window, whole ones: right and bottom past the last.
struct PixelBox {
    double left, top, right, bottom;
};

// A picture with its top-left corner at (x, y), stretched vertically `stretch` times.
struct WindowLayer {
    cairo_surface_t* surface = nullptr;
    double x = 0, y = 0;
    double stretch = 1;
};

struct WindowLayers {
    PanelColor colour{};                   // painted where there is no background picture
    cairo_surface_t* background = nullptr; // an opaque picture of the window's size
    std::vector<WindowLayer> layers;       // laid over the background in order
};

// Lays `frame` on `canvas`, inside the `damaged` boxes only unless that is null. No
// other thread may be drawing on `canvas` or from the frame's pictures meanwhile.
void lay_window(cairo_surface_t* canvas, const WindowLayers& frame,
                const std::vector<PixelBox>* damaged, DrawingLanes& lanes);

} // namespace panelhost
