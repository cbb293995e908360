// The gallery's index.html: every gauge in its named states, each picture with its
// mouse areas outlined and their tooltips shown on hover.
#pragma once

#include <string>
#include <vector>

namespace panelhost {

struct GalleryArea {
    double x, y, width, height; // design pixels
    bool clickable;
    std::string tooltip; // text shown on hover
};

struct GalleryPicture {
    std::string module;
    std::string gauge;
    std::string state;
    std::string file;          // relative to the page
    int width = 0, height = 0; // of the picture
    std::vector<GalleryArea> areas;
};

std::string gallery_page(const std::vector<GalleryPicture>& pictures);

// The text with &, <, > and " written as HTML entities.
std::string escape_html(const std::string& text);

// A name that is safe as part of a file name: letters, digits, '-' and '_'.
std::string file_slug(const std::string& text);

} // namespace panelhost
