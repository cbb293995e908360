// Pictures checked against goldens kept with the sources: an artwork or renderer
// change that alters a picture is then always looked at before it is accepted.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <string>

namespace panelhost {

// Two pictures are the same when at most a small share of their pixels differ by
// more than a few levels in a channel: enough to absorb the last bit of a
// different machine's blending, far too little to hide a changed bitmap (a 10 x 10
// patch of a 300 x 300 gauge is 100 pixels; the share allows 18).
struct PictureTolerance {
    int channel_levels = 16;     // of 255, in any of red, green, blue, alpha
    double pixel_share = 0.0002; // of the picture's pixels
};

struct GoldenComparison {
    enum class Outcome { same, differs, no_golden, unreadable };
    Outcome outcome = Outcome::same;
    size_t differing_pixels = 0;
    size_t allowed_pixels = 0;
    std::string reason; // for differs and unreadable, in words
};

// Compares the PNG at `picture_path` with the one at `golden_path`. When they
// differ and `difference_path` is not empty, writes there the golden dimmed with
// every differing pixel in bright magenta.
GoldenComparison compare_with_golden(const std::string& picture_path,
                                     const std::string& golden_path,
                                     const std::string& difference_path = "",
                                     PictureTolerance tolerance = {});

} // namespace panelhost
