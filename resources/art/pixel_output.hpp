// Turns drawn art into the host's 24-bit pixels. The host treats pure black as
// transparent, so transparency is keyed: a pixel less than half covered becomes
// pure black, every other pixel takes its own un-premultiplied colour, nudged to
// near-black if it would otherwise be keyed out. Edges therefore stay free of the
// dark fringe that blending against black would leave.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb8 {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool transparent() const { return r == 0 && g == 0 && b == 0; }
};

// Pixels top row first, left to right.
struct Image24 {
    int width = 0;
    int height = 0;
    std::vector<Rgb8> pixels;
    const Rgb8& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr Rgb8 near_black{8, 8, 8};

// Keys an ARGB32 surface as described above.
Image24 keyed_pixels(cairo_surface_t* argb_surface);

// Back to an ARGB32 surface, black transparent: what the host shows of the bitmap.
cairo_surface_t* shown_surface(const Image24& image);

// Back to an RGB24 surface with every pixel as it is, black included.
cairo_surface_t* exact_surface(const Image24& image);

} // namespace art
