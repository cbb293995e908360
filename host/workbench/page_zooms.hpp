// The zooms that the pages watching the workbench ask for. Several pages may show
// one session at once (a desktop with the whole panel, a tablet with one window
// alone, a phone), each window at a size of its own, and each asks the host to draw
// the pictures of the windows it shows at as many pixels per panel unit as it shows
// them at. The host draws one picture of each gauge for all of them: a window's
// pictures are drawn at the largest zoom that a live page asks, and every page
// scales them to its own size, so that none shows them blurred. A page is live
// while it asks for frames; one that stops no longer counts.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>

namespace panelhost {

class PageZooms {
  public:
    // A page that has asked for no frame for this long no longer counts: pages ask
    // for frame after frame, each held at most a second.
    static constexpr double live_seconds = 3;
    // A page silent for this long is forgotten, and past this many pages the one
    // silent longest goes: ids come from the pages, and a page loaded again has a
    // new one.
    static constexpr double kept_seconds = 60;
    static constexpr size_t most_pages = 64;

    // Page `page` asked for a frame at `now`. Requests that name no page are one
    // page, named "".
    void seen(const std::string& page, double now);
    // Page `page` shows window `window` (every window, when none) and asks for its
    // pictures at `zoom` pixels per panel unit: held to the zooms the host draws
    // at, rounded up to their step, so that the pictures are never smaller than
    // shown. An ask for every window replaces the page's asks for single ones.
    void ask(const std::string& page, std::optional<size_t> window, double zoom, double now);
    // Every page's asks are forgotten (the windows have been numbered anew), the
    // pages stay live; they ask again.
    void forget_asks();

    // The largest zoom that a live page asks window `window` at; none when no live
    // page shows it.
    std::optional<double> largest(size_t window, double now) const;
    // How many pages are remembered.
    size_t pages() const { return pages_.size(); }

  private:
    struct Page {
        double seen = 0;
        std::optional<double> every;      // asked for every window at once
        std::map<size_t, double> windows; // asked for single windows
    };
    Page& page_at(const std::string& page, double now);
    void forget_silent_pages(double now);

    std::map<std::string, Page> pages_;
};

} // namespace panelhost
