// Draws one registered bitmap and keys it into host pixels.
#pragma once

#include "art/bitmap_registry.hpp"
#include "art/pixel_output.hpp"

namespace art {

// Throws if Cairo fails, if the result is not the stated size, or if nothing at
// all was drawn (an entirely transparent bitmap is a mistake unless it is marked
// blank, and a blank one must stay entirely transparent).
Image24 render_bitmap(const Bitmap& bitmap);

} // namespace art
