#include "workbench/page_zooms.hpp"

#include "workbench/workbench_commands.hpp"

#include <algorithm>
#include <cmath>

namespace panelhost {
namespace {

// Zooms go in steps of 0.05: a page resized by a pixel or two does not have every
// picture drawn anew.
constexpr double steps_per_unit = 20;

double drawable_zoom(double zoom) {
    // The tolerance keeps a zoom already on a step (1.35 as a double) on it.
    const double stepped = std::ceil(zoom * steps_per_unit - 1e-6) / steps_per_unit;
    return std::clamp(stepped, min_zoom, max_zoom);
}

} // namespace

void PageZooms::seen(const std::string& page, double now) { page_at(page, now).seen = now; }

void PageZooms::ask(const std::string& page, std::optional<size_t> window, double zoom,
                    double now) {
    Page& asking = page_at(page, now);
    asking.seen = now; // a page that asks is watching
    if (window) {
        asking.windows[*window] = drawable_zoom(zoom);
    } else {
        asking.every = drawable_zoom(zoom);
        asking.windows.clear();
    }
}

void PageZooms::forget_asks() {
    for (auto& [id, page] : pages_) {
        page.every.reset();
        page.windows.clear();
    }
}

std::optional<double> PageZooms::largest(size_t window, double now) const {
    std::optional<double> largest;
    for (const auto& [id, page] : pages_) {
        if (now - page.seen >= live_seconds) continue;
        auto asked = page.windows.find(window);
        std::optional<double> zoom = asked != page.windows.end() ? asked->second : page.every;
        if (zoom && (!largest || *zoom > *largest)) largest = zoom;
    }
    return largest;
}

PageZooms::Page& PageZooms::page_at(const std::string& page, double now) {
    forget_silent_pages(now);
    auto found = pages_.find(page);
    if (found != pages_.end()) return found->second;
    if (pages_.size() >= most_pages) {
        auto silent_longest =
            std::min_element(pages_.begin(), pages_.end(), [](const auto& a, const auto& b) {
                return a.second.seen < b.second.seen;
            });
        pages_.erase(silent_longest);
    }
    return pages_.emplace(page, Page{now, {}, {}}).first->second;
}

void PageZooms::forget_silent_pages(double now) {
    std::erase_if(pages_,
                  [now](const auto& entry) { return now - entry.second.seen > kept_seconds; });
}

} // namespace panelhost
