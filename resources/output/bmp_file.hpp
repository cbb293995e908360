// Writes 24-bit uncompressed BMP files.
#pragma once

#include "art/pixel_output.hpp"

#include <vector>

namespace output {

// BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB, rows bottom-up padded to 4 bytes.
std::vector<unsigned char> bmp_file(const art::Image24& image);

// An 8-bit BMP file with a palette of the image's 256 most used colours (pure
// black, the transparent colour, always among them); every other colour becomes the
// nearest of those. Smaller by two thirds, as large panel backgrounds are kept.
std::vector<unsigned char> bmp_file_8bit(const art::Image24& image);

// The size such a file has: 54 bytes of headers and the padded rows.
size_t bmp_file_size(int width, int height);

} // namespace output
