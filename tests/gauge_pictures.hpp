// Gauges and bitmaps drawn by the renderer, read back pixel by pixel, for the
// picture tests.
#pragma once

#include "panel_host.hpp"
#include "render/gauge_renderer.hpp"
#include "render/png_output.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace panelhost::pictures {

constexpr double pi = 3.14159265358979323846;

struct Rgb {
    int r, g, b;
};

// A drawn gauge or a single bitmap, read pixel by pixel.
class Picture {
  public:
    Picture(const GaugeInstance& gauge, const BitmapSurfaces& bitmaps, int size)
        : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size)), width_(size),
          height_(size) {
        ContextPtr cr(cairo_create(surface_.get()));
        draw_gauge(cr.get(), gauge, bitmaps, 1.0);
        cairo_surface_flush(surface_.get());
    }
    // A bitmap as the module carries it (black is transparent), turned clockwise by
    // `degrees` about its centre.
    Picture(cairo_surface_t* bitmap, double degrees = 0)
        : width_(cairo_image_surface_get_width(bitmap)),
          height_(cairo_image_surface_get_height(bitmap)) {
        surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_, height_));
        ContextPtr cr(cairo_create(surface_.get()));
        cairo_translate(cr.get(), width_ / 2.0, height_ / 2.0);
        cairo_rotate(cr.get(), degrees * pi / 180);
        cairo_translate(cr.get(), -width_ / 2.0, -height_ / 2.0);
        cairo_set_source_surface(cr.get(), bitmap, 0, 0);
        cairo_paint(cr.get());
        cairo_surface_flush(surface_.get());
    }

    Rgb at(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(surface_.get()) +
                                   y * cairo_image_surface_get_stride(surface_.get());
        const uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[x];
        return {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
    }
    bool drawn(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(surface_.get()) +
                                   y * cairo_image_surface_get_stride(surface_.get());
        return (reinterpret_cast<const uint32_t*>(row)[x] >> 24) > 0;
    }
    int size() const { return width_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void save(const std::string& name) const {
        std::string error;
        EXPECT_TRUE(write_png(surface_.get(), std::string(PANEL_PICTURES_DIR) + "/" + name, error))
            << error;
    }

  private:
    SurfacePtr surface_;
    int width_, height_;
};

inline bool white(Rgb c) {
    return c.r > 150 && c.g > 150 && c.b > 150 &&
           std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) < 40;
}

struct Spot {
    int x, y;
};

// The pixels of a flag's lettering: white pixels that red surrounds, none of them
// next to the flag's edge (the white stripes run to the edge; the letters do not).
inline std::vector<Spot> lettering(const Picture& flag) {
    const int w = flag.width(), h = flag.height();
    std::vector<int> seen(size_t(w * h), 0);
    std::vector<Spot> letters;
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            if (seen[size_t(y0 * w + x0)] || !flag.drawn(x0, y0) || !white(flag.at(x0, y0)))
                continue;
            std::vector<Spot> component, todo{{x0, y0}};
            bool touches_edge = false;
            seen[size_t(y0 * w + x0)] = 1;
            while (!todo.empty()) {
                Spot p = todo.back();
                todo.pop_back();
                component.push_back(p);
                for (Spot d : {Spot{1, 0}, Spot{-1, 0}, Spot{0, 1}, Spot{0, -1}}) {
                    const int x = p.x + d.x, y = p.y + d.y;
                    if (x < 0 || y < 0 || x >= w || y >= h || !flag.drawn(x, y)) {
                        touches_edge = true;
                        continue;
                    }
                    if (seen[size_t(y * w + x)] || !white(flag.at(x, y))) continue;
                    seen[size_t(y * w + x)] = 1;
                    todo.push_back({x, y});
                }
            }
            if (!touches_edge) letters.insert(letters.end(), component.begin(), component.end());
        }
    return letters;
}

// How many pixels of a flag's lettering do not show in the gauge's picture, the
// flag's bitmap standing at `at` on the gauge: pixels where the picture is not the
// flag's own white within a few levels (a light grey bezel over a letter is not
// it). `letters` is set to how many there are.
inline size_t hidden_lettering(const Picture& gauge, cairo_surface_t* flag_bitmap, Spot at,
                               size_t& letters) {
    const Picture flag(flag_bitmap);
    const std::vector<Spot> pixels = lettering(flag);
    letters = pixels.size();
    size_t hidden = 0;
    for (Spot p : pixels) {
        const Rgb shown = gauge.at(at.x + p.x, at.y + p.y), own = flag.at(p.x, p.y);
        hidden += std::abs(shown.r - own.r) > 24 || std::abs(shown.g - own.g) > 24 ||
                  std::abs(shown.b - own.b) > 24;
    }
    return hidden;
}

} // namespace panelhost::pictures
