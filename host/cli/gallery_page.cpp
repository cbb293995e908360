#include "cli/gallery_page.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

namespace panelhost {
namespace {

std::string pixels(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1fpx", value);
    return text;
}

const char* style = R"(
body { background: #1c1d20; color: #ddd; font-family: sans-serif; margin: 24px; }
h2 { margin: 28px 0 8px; font-size: 18px; }
.states { display: flex; flex-wrap: wrap; gap: 18px; }
figure { margin: 0; }
figcaption { font-size: 13px; margin-top: 4px; color: #aaa; }
figcaption .zoom { color: #888; }
.picture { position: relative; background: #3b3d42; }
.picture img { display: block; width: 100%; height: 100%; }
.picture.enlarged img { image-rendering: pixelated; }
.area { position: absolute; box-sizing: border-box; border: 1px dashed rgba(90,200,255,.7); }
.area.clickable { border: 1px solid rgba(255,150,40,.9); }
.area:hover { background: rgba(255,255,255,.12); }
)";

// Small gauges (the window toggles are 19 pixels square) are shown enlarged by a
// whole factor, pixel for pixel, so that their faces and mouse areas can be seen.
int shown_zoom(const GalleryPicture& picture) {
    constexpr int least_side = 96, most_zoom = 8;
    const int side = std::max(picture.width, picture.height);
    if (side <= 0 || side >= least_side / 2) return 1;
    return std::min(most_zoom, (least_side + side - 1) / side);
}

} // namespace

std::string escape_html(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string file_slug(const std::string& text) {
    std::string slug;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_')
            slug += static_cast<char>(c);
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    return slug.empty() ? "state" : slug;
}

std::string gallery_page(const std::vector<GalleryPicture>& pictures) {
    std::ostringstream page;
    page << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Gauge gallery</title>"
         << "<style>" << style << "</style></head><body>\n<h1>Gauge gallery</h1>\n"
         << "<p>Mouse areas: dashed blue for help areas, orange for clickable areas; hover for "
            "their tooltips.</p>\n";
    std::string open_gauge;
    for (const GalleryPicture& picture : pictures) {
        std::string gauge = picture.module + "!" + picture.gauge;
        if (gauge != open_gauge) {
            if (!open_gauge.empty()) page << "</div>\n";
            page << "<h2>" << escape_html(gauge) << "</h2>\n<div class=\"states\">\n";
            open_gauge = gauge;
        }
        const int zoom = shown_zoom(picture);
        page << "<figure><div class=\"picture" << (zoom > 1 ? " enlarged" : "")
             << "\" style=\"width:" << picture.width * zoom << "px;height:" << picture.height * zoom
             << "px\"><img src=\"" << escape_html(picture.file) << "\" width=\"" << picture.width
             << "\" height=\"" << picture.height << "\" alt=\"" << escape_html(picture.state)
             << "\">";
        for (const GalleryArea& area : picture.areas)
            page << "<div class=\"area" << (area.clickable ? " clickable" : "")
                 << "\" style=\"left:" << pixels(area.x * zoom) << ";top:" << pixels(area.y * zoom)
                 << ";width:" << pixels(area.width * zoom)
                 << ";height:" << pixels(area.height * zoom) << "\" title=\""
                 << escape_html(area.tooltip) << "\"></div>";
        page << "</div><figcaption>" << escape_html(picture.state);
        if (zoom > 1)
            page << " <span class=\"zoom\">(" << picture.width << " &times; " << picture.height
                 << ", shown " << zoom << "&times;)</span>";
        page << "</figcaption></figure>\n";
    }
    if (!open_gauge.empty()) page << "</div>\n";
    page << "</body></html>\n";
    return page.str();
}

} // namespace panelhost
