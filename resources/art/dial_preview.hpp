// Needle dials: their three bitmaps added at once, and a preview of the dial with
// its needle turned about the dial centre.
#pragma once

#include "art/bitmap_registry.hpp"
#include "art/dial_scale.hpp"

#include <string>

namespace art {

inline void add_dial(BitmapRegistry& registry, const char* module, const gauge::DialBitmaps& dial,
                     DrawFunction draw_face, DrawFunction draw_needle, DrawFunction draw_cover) {
    registry.add(module, dial.face, std::move(draw_face));
    registry.add(module, dial.needle, std::move(draw_needle));
    registry.add(module, dial.cover, std::move(draw_cover));
}

inline Preview dial_preview(const char* module, const gauge::DialBitmaps& dial, std::string name,
                            double degrees) {
    return {module,
            std::move(name),
            dial::size,
            dial::size,
            {{.bitmap = dial.face.number},
             {.bitmap = dial.needle.number,
              .at = dial::centre,
              .anchor = pivot_of(dial.needle),
              .degrees = degrees},
             {.bitmap = dial.cover.number}}};
}

} // namespace art
