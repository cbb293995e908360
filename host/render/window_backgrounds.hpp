// The windows' background bitmaps stretched to the size a window is drawn at and laid
// over its fill colour, kept so that a frame only copies them.
#pragma once

#include "bmp_decoder.hpp"
#include "cairo_handles.hpp"
#include "panel_config.hpp"

#include <map>
#include <memory>

namespace panelhost {

class WindowBackgrounds {
  public:
    // `image` stretched to `width` x `height` pixels over `fill`, which shows where
    // the bitmap is transparent: an opaque picture to copy as it is. It is made anew
    // only when the size or the fill differs from the last call for the image
    // (`scaled`, if given, tells which it was). The surface stays this object's until
    // the next call for the same image; null when Cairo cannot make it.
    cairo_surface_t* picture(const std::shared_ptr<const Image>& image, int width, int height,
                             PanelColor fill, bool* scaled = nullptr);

  private:
    struct Entry {
        std::weak_ptr<const Image> image; // an entry whose image is gone is stale
        int width = 0, height = 0;
        PanelColor fill;
        SurfacePtr surface;
    };

    void forget_released();

    std::map<const Image*, Entry> entries_;
};

} // namespace panelhost
