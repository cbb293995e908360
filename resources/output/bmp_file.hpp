// Writes 24-bit uncompressed BMP files.
#pragma once

#include "art/pixel_output.hpp"

#include <vector>

namespace output {

// BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB, rows bottom-up padded to 4 bytes.
std::vector<unsigned char> bmp_file(const art::Image24& image);

// The size such a file has: 54 bytes of headers and the padded rows.
size_t bmp_file_size(int width, int height);

} // namespace output
