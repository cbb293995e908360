// Decoding the modules' bitmaps and panel backgrounds: uncompressed 24-bit,
// 32-bit and 8-bit (palette) BMP files, bottom-up or top-down. Pure code; anything
// else, or any file whose headers do not add up, is refused with a message saying
// what is wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace panelhost {

// Pixels as 0xAARRGGBB, top row first. Black (0,0,0) is transparent: those pixels
// are 0x00000000, every other pixel is opaque. This is Cairo's ARGB32 layout.
struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(uint32_t x, uint32_t y) const { return pixels[size_t(y) * width + x]; }
    bool transparent_at(uint32_t x, uint32_t y) const { return (at(x, y) >> 24) == 0; }
};

// Bitmaps larger than this on either side are refused.
constexpr uint32_t max_bitmap_side = 8192;

std::optional<Image> decode_bmp(std::span<const uint8_t> file, std::string& error);
// The same bitmap as Windows keeps it in a module's resource section: the info
// header and the pixels, without the 14-byte file header.
std::optional<Image> decode_dib(std::span<const uint8_t> dib, std::string& error);

} // namespace panelhost
