// A gauge's bitmaps as its records, its artwork and the module's resource checks all
// read them: the resource number, the size in pixels and, for a bitmap that turns
// about a pivot, the point of the bitmap that sits on it. Each gauge family lists its
// bitmaps once, in its *_bitmaps.hpp.
#pragma once

#include <cstdint>

namespace gauge {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

struct Bitmap {
    uint32_t number = 0;
    int32_t width = 0;
    int32_t height = 0;
    Point pivot{}; // inside the bitmap, for needles

    // A record names its bitmap by number.
    constexpr operator uint32_t() const { return number; }
};

// A needle dial's face, needle and cover.
struct DialBitmaps {
    Bitmap face;
    Bitmap needle;
    Bitmap cover;
};

} // namespace gauge
