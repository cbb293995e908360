// A preview of a needle dial: face, needle turned about the dial centre, cover.
#pragma once

#include "art/bitmap_registry.hpp"
#include "art/dial_scale.hpp"

#include <string>

namespace art {

struct DialBitmaps {
    const char* module;
    uint32_t face;
    uint32_t needle;
    uint32_t cover;
    Point needle_pivot; // inside the needle bitmap
};

inline Preview dial_preview(const DialBitmaps& dial, std::string name, double degrees) {
    return {dial.module,
            std::move(name),
            dial::size,
            dial::size,
            {{.bitmap = dial.face},
             {.bitmap = dial.needle,
              .at = dial::centre,
              .anchor = dial.needle_pivot,
              .degrees = degrees},
             {.bitmap = dial.cover}}};
}

} // namespace art
