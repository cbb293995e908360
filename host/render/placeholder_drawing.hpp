// Placeholders: on a drawn panel, the boxes that stand for the gauges this host cannot
// run, at their places and sizes. Each is a dark translucent box with a dashed magenta
// outline (a colour the instruments do not use), the gauge's name as the panel file
// gives it and why it does not run, so that a panel's layout can be checked before
// every gauge runs.
#pragma once

#include "cairo_handles.hpp"
#include "panel.hpp"

#include <map>
#include <string>
#include <tuple>

namespace panelhost {

// A placeholder's name in its two parts: "Module!Gauge" split at the '!'; for any
// other name (a path, as the newer kinds of gauges are named) only its last part,
// as the gauge, and no module.
struct PlaceholderLabel {
    std::string module;
    std::string gauge;
    bool operator==(const PlaceholderLabel&) const = default;
};
PlaceholderLabel placeholder_label(const std::string& name);

// Draws the placeholder for `gauge` in the box of `width` x `height` pixels at the
// cairo origin, at `zoom` pixels per panel unit: the module and the gauge on lines of
// their own, word-wrapped and shrunk to fit, and the `missing` words below in smaller
// text when there is room for them.
void draw_placeholder(cairo_t* cr, const PlacedGauge& gauge, int width, int height, double zoom);

// The placeholders' pictures, drawn once for each name, size and zoom.
class PlaceholderPictures {
  public:
    // The placeholder's picture, `width` x `height` pixels; it stays this object's.
    // Null when Cairo cannot make it.
    cairo_surface_t* picture(const PlacedGauge& gauge, int width, int height, double zoom);

  private:
    using Key = std::tuple<std::string, std::string, int, int, double>;
    std::map<Key, SurfacePtr> pictures_;
};

} // namespace panelhost
