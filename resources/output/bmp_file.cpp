#include "output/bmp_file.hpp"

namespace output {
namespace {

constexpr uint32_t headers_size = 14 + 40;
constexpr uint32_t pixels_per_metre = 2835; // 72 dpi

size_t row_size(int width) { return (static_cast<size_t>(width) * 3 + 3) / 4 * 4; }

void put16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<unsigned char>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

size_t bmp_file_size(int width, int height) { return headers_size + row_size(width) * height; }

std::vector<unsigned char> bmp_file(const art::Image24& image) {
    const auto image_size = static_cast<uint32_t>(row_size(image.width) * image.height);
    std::vector<unsigned char> out;
    out.reserve(headers_size + image_size);

    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(out, headers_size + image_size);
    put32(out, 0); // reserved
    put32(out, headers_size);

    // BITMAPINFOHEADER
    put32(out, 40);
    put32(out, static_cast<uint32_t>(image.width));
    put32(out, static_cast<uint32_t>(image.height)); // positive: bottom-up
    put16(out, 1);                                   // planes
    put16(out, 24);                                  // bits per pixel
    put32(out, 0);                                   // BI_RGB
    put32(out, image_size);
    put32(out, pixels_per_metre);
    put32(out, pixels_per_metre);
    put32(out, 0); // colours used
    put32(out, 0); // important colours

    const size_t padding = row_size(image.width) - static_cast<size_t>(image.width) * 3;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const art::Rgb8& p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

} // namespace output
