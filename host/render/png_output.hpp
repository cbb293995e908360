// Saving a drawn picture.
#pragma once

#include <cairo.h>

#include <string>

namespace panelhost {

// Writes `surface` as a PNG file; false with `error` set when it cannot.
bool write_png(cairo_surface_t* surface, const std::string& path, std::string& error);

} // namespace panelhost
