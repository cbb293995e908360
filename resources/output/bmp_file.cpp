#include "output/bmp_file.hpp"

#include <algorithm>
#include <map>

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

uint32_t key_of(const art::Rgb8& p) { return uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b; }

int distance(uint32_t a, uint32_t b) {
    int dr = int(a >> 16 & 0xFF) - int(b >> 16 & 0xFF);
    int dg = int(a >> 8 & 0xFF) - int(b >> 8 & 0xFF);
    int db = int(a & 0xFF) - int(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

void put_headers(std::vector<unsigned char>& out, int width, int height, uint32_t bits,
                 uint32_t palette_size, uint32_t image_size) {
    const uint32_t pixels_at = headers_size + 4 * palette_size;
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(out, pixels_at + image_size);
    put32(out, 0); // reserved
    put32(out, pixels_at);
    // BITMAPINFOHEADER
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height)); // positive: bottom-up
    put16(out, 1);                             // planes
    put16(out, bits);                          // bits per pixel
    put32(out, 0);                             // BI_RGB
    put32(out, image_size);
    put32(out, pixels_per_metre);
    put32(out, pixels_per_metre);
    put32(out, palette_size); // colours used
    put32(out, 0);            // important colours
}

} // namespace

std::vector<unsigned char> bmp_file_8bit(const art::Image24& image) {
    std::map<uint32_t, size_t> uses;
    for (const art::Rgb8& p : image.pixels)
        ++uses[key_of(p)];
    std::vector<std::pair<size_t, uint32_t>> by_use;
    for (const auto& [colour, count] : uses)
        by_use.push_back({count, colour});
    std::stable_sort(by_use.begin(), by_use.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<uint32_t> palette = {0}; // black first: the transparent colour
    for (const auto& [count, colour] : by_use)
        if (colour != 0 && palette.size() < 256) palette.push_back(colour);

    std::map<uint32_t, uint8_t> index_of;
    auto index = [&](uint32_t colour) {
        auto [it, added] = index_of.try_emplace(colour, 0);
        if (!added) return it->second;
        // Black stays black and nothing else becomes black: keying must not change.
        size_t best = colour == 0 ? 0 : 1;
        for (size_t i = 1; colour != 0 && i < palette.size(); ++i)
            if (distance(palette[i], colour) < distance(palette[best], colour)) best = i;
        return it->second = uint8_t(best);
    };

    const size_t row = (static_cast<size_t>(image.width) + 3) / 4 * 4;
    std::vector<unsigned char> out;
    put_headers(out, image.width, image.height, 8, uint32_t(palette.size()),
                uint32_t(row * image.height));
    for (uint32_t colour : palette)
        out.insert(out.end(), {static_cast<unsigned char>(colour & 0xFF),
                               static_cast<unsigned char>(colour >> 8 & 0xFF),
                               static_cast<unsigned char>(colour >> 16), 0});
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x)
            out.push_back(index(key_of(image.at(x, y))));
        out.insert(out.end(), row - static_cast<size_t>(image.width), 0);
    }
    return out;
}

size_t bmp_file_size(int width, int height) { return headers_size + row_size(width) * height; }

std::vector<unsigned char> bmp_file(const art::Image24& image) {
    const auto image_size = static_cast<uint32_t>(row_size(image.width) * image.height);
    std::vector<unsigned char> out;
    out.reserve(headers_size + image_size);

    put_headers(out, image.width, image.height, 24, 0, image_size);

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
