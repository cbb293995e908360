// Debugging pictures (resgen --png): each bitmap as a PNG, and previews that put a
// gauge's bitmaps together as the host will, to check needles against their faces.
#pragma once

#include "art/bitmap_registry.hpp"
#include "art/pixel_output.hpp"

#include <cstdint>
#include <filesystem>
#include <map>

namespace art {

// The bitmap's exact pixels, black included.
void write_png(const Image24& image, const std::filesystem::path& path);

// The preview over a grey panel (so keyed-out pixels show), twice the size with
// square pixels.
void write_preview(const Preview& preview, const std::map<uint32_t, Image24>& images,
                   const std::filesystem::path& path);

} // namespace art
