#include "png_output.hpp"

namespace panelhost {

bool write_png(cairo_surface_t* surface, const std::string& path, std::string& error) {
    cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    if (status == CAIRO_STATUS_SUCCESS) return true;
    error = "cannot write " + path + ": " + cairo_status_to_string(status);
    return false;
}

} // namespace panelhost
