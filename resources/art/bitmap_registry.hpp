// The bitmaps each module carries, and the preview pictures that put them together
// the way the host will. Every art source file adds its own through a register_*
// function; main calls them all from one list.
#pragma once

#include "art/draw_helpers.hpp"
#include "bitmap_table.hpp"

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace art {

// Draws a bitmap on a transparent surface of the stated size.
using DrawFunction = std::function<void(cairo_t*, int width, int height)>;

// One bitmap of a gauge's table and its drawing: a family lists its art in these.
struct BitmapArt {
    gauge::Bitmap bitmap;
    void (*draw)(cairo_t*, int width, int height);
};

// A needle bitmap's drawing.
inline DrawFunction needle_drawing(const NeedleShape& shape) {
    return [shape](cairo_t* cr, int, int) { needle(cr, shape); };
}

// A table bitmap's pivot as the drawing helpers take it.
constexpr Point pivot_of(const gauge::Bitmap& bitmap) {
    return {double(bitmap.pivot.x), double(bitmap.pivot.y)};
}

struct Bitmap {
    std::string module;
    uint32_t number = 0;
    int width = 0;
    int height = 0;
    DrawFunction draw;
    // Entirely black on purpose: the host shows nothing of it (an invisible button,
    // a plate under text). Any other bitmap must draw something.
    bool blank = false;
};

// One bitmap of a preview, placed as the host places it: the bitmap's `anchor`
// lands on `at` and the bitmap turns clockwise about it by `degrees`; a `mask`
// bitmap (at the picture's origin) limits it to the mask's non-black pixels.
struct Layer {
    uint32_t bitmap = 0;
    Point at{};
    Point anchor{};
    double degrees = 0;
    uint32_t mask = 0;
};

// A debugging picture of a gauge in one state, written with --png.
struct Preview {
    std::string module;
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<Layer> layers;
};

class BitmapRegistry {
  public:
    void add(Bitmap bitmap) { bitmaps_.push_back(std::move(bitmap)); }
    // A bitmap of a gauge's table, at the table's size.
    void add(std::string module, const gauge::Bitmap& bitmap, DrawFunction draw) {
        add({std::move(module), bitmap.number, bitmap.width, bitmap.height, std::move(draw)});
    }
    // A family's list of art.
    void add(const std::string& module, std::span<const BitmapArt> arts) {
        for (const BitmapArt& art : arts)
            add(module, art.bitmap, art.draw);
    }
    // A bitmap of a gauge's table left entirely black on purpose.
    void add_blank(std::string module, const gauge::Bitmap& bitmap) {
        add({std::move(module), bitmap.number, bitmap.width, bitmap.height,
             [](cairo_t*, int, int) {}, true});
    }
    void add_preview(Preview preview) { previews_.push_back(std::move(preview)); }

    // The module's bitmaps by number; throws on a duplicate number or a bad size.
    std::vector<const Bitmap*> bitmaps_of(const std::string& module) const;
    std::vector<const Preview*> previews_of(const std::string& module) const;

  private:
    std::vector<Bitmap> bitmaps_;
    std::vector<Preview> previews_;
};

} // namespace art
