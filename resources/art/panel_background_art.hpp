// The background bitmap of the example aircraft's main panel window
// (examples/aircraft/panel/panel_background.bmp): the panel face under its gauges,
// with a glareshield above and the windscreen above that left black, which the
// host shows as transparent.
#pragma once

#include "art/pixel_output.hpp"

namespace art {

inline constexpr int panel_background_width = 1024;
inline constexpr int panel_background_height = 440;

Image24 render_panel_background();

} // namespace art
