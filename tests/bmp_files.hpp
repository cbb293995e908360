// BMP files for tests, written as panel folders and modules carry them: bottom-up,
// rows padded to four bytes; 24-bit colour, or 8-bit with a palette.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace bmp_files {

inline void put_u32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

// `pixel(x, y)` gives 0xRRGGBB, y = 0 the top row; for 8-bit files the palette
// holds 0xRRGGBB colours and `pixel` gives indices.
template <typename Pixel>
std::vector<uint8_t> bmp_file(uint32_t width, uint32_t height, Pixel pixel,
                              const std::vector<uint32_t>& palette = {}) {
    const bool indexed = !palette.empty();
    const size_t bytes_per_pixel = indexed ? 1 : 3;
    const size_t stride = (width * bytes_per_pixel + 3) & ~size_t(3);
    const size_t pixels_at = 54 + 4 * palette.size();
    std::vector<uint8_t> file(pixels_at + stride * height, 0);
    file[0] = 'B';
    file[1] = 'M';
    put_u32(file, 2, uint32_t(file.size()));
    put_u32(file, 10, uint32_t(pixels_at));
    put_u32(file, 14, 40);
    put_u32(file, 18, width);
    put_u32(file, 22, height);
    file[26] = 1;
    file[28] = uint8_t(indexed ? 8 : 24);
    put_u32(file, 46, uint32_t(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) {
        file[54 + 4 * i] = uint8_t(palette[i]);
        file[54 + 4 * i + 1] = uint8_t(palette[i] >> 8);
        file[54 + 4 * i + 2] = uint8_t(palette[i] >> 16);
    }
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = &file[pixels_at + stride * (height - 1 - y)];
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t value = pixel(x, y);
            if (indexed) {
                row[x] = uint8_t(value);
            } else {
                row[3 * x] = uint8_t(value);
                row[3 * x + 1] = uint8_t(value >> 8);
                row[3 * x + 2] = uint8_t(value >> 16);
            }
        }
    }
    return file;
}

inline void write_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace bmp_files
