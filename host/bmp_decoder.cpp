#include "bmp_decoder.hpp"

#include <cstdlib>

namespace panelhost {
namespace {

uint32_t read_u16(std::span<const uint8_t> bytes, size_t at) {
    return bytes[at] | uint32_t(bytes[at + 1]) << 8;
}

uint32_t read_u32(std::span<const uint8_t> bytes, size_t at) {
    return read_u16(bytes, at) | read_u16(bytes, at + 2) << 16;
}

constexpr size_t file_header_size = 14;
constexpr size_t info_header_size = 40;

// Decodes the bitmap whose info header starts at `info` of `bytes`, with its pixels
// at `pixel_offset` from the start of `bytes`.
std::optional<Image> decode_pixels(std::span<const uint8_t> file, size_t info,
                                   uint32_t pixel_offset, std::string& error) {
    uint32_t header_size = read_u32(file, info);
    int32_t width = static_cast<int32_t>(read_u32(file, info + 4));
    int32_t signed_height = static_cast<int32_t>(read_u32(file, info + 8));
    uint32_t planes = read_u16(file, info + 12);
    uint32_t bits = read_u16(file, info + 14);
    uint32_t compression = read_u32(file, info + 16);

    // BI_BITFIELDS with 32 bits is the usual BGRX layout of 32-bit files.
    bool bitfields32 = bits == 32 && compression == 3;
    if (header_size < info_header_size || planes != 1 || (bits != 8 && bits != 24 && bits != 32) ||
        (compression != 0 && !bitfields32)) {
        error = "only uncompressed 8-bit (palette), 24-bit and 32-bit BMP files are read (bits " +
                std::to_string(bits) + ", compression " + std::to_string(compression) + ")";
        return std::nullopt;
    }
    // INT32_MIN has no positive counterpart; it is refused with the other bad sizes.
    bool top_down = signed_height < 0 && signed_height != INT32_MIN;
    int64_t height = top_down ? -int64_t(signed_height) : signed_height;
    if (width <= 0 || height <= 0 || width > int32_t(max_bitmap_side) ||
        height > int64_t(max_bitmap_side)) {
        error = "bitmap size " + std::to_string(width) + " x " + std::to_string(signed_height) +
                " is out of range";
        return std::nullopt;
    }
    // An 8-bit bitmap's palette follows the info header: 4 bytes (blue, green, red,
    // unused) for each of its colours, 256 when the header says 0.
    std::vector<uint32_t> palette;
    if (bits == 8) {
        uint32_t colours = read_u32(file, info + 32);
        if (colours == 0) colours = 256;
        size_t palette_at = info + header_size;
        if (colours > 256 || palette_at > file.size() || (file.size() - palette_at) / 4 < colours) {
            error = "the palette of " + std::to_string(colours) + " colours is cut short";
            return std::nullopt;
        }
        palette.assign(256, 0);
        for (uint32_t i = 0; i < colours; ++i) {
            const uint8_t* entry = file.data() + palette_at + 4 * i;
            palette[i] = uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
        }
        if (pixel_offset == 0) pixel_offset = uint32_t(palette_at + 4 * colours);
    }
    const size_t bytes_per_pixel = bits / 8;
    size_t stride = (size_t(width) * bytes_per_pixel + 3) & ~size_t(3);
    if (pixel_offset < info + header_size || pixel_offset > file.size() ||
        file.size() - pixel_offset < stride * size_t(height)) {
        error = "the pixel data is shorter than a " + std::to_string(width) + " x " +
                std::to_string(height) + " bitmap needs";
        return std::nullopt;
    }

    Image image;
    image.width = uint32_t(width);
    image.height = uint32_t(height);
    image.pixels.resize(size_t(width) * size_t(height));
    for (uint32_t y = 0; y < image.height; ++y) {
        uint32_t file_row = top_down ? y : image.height - 1 - y;
        const uint8_t* row = file.data() + pixel_offset + size_t(file_row) * stride;
        uint32_t* out = &image.pixels[size_t(y) * image.width];
        for (uint32_t x = 0; x < image.width; ++x) {
            uint32_t rgb = 0;
            if (bits == 8) {
                rgb = palette[row[x]];
            } else {
                const uint8_t* pixel = row + bytes_per_pixel * x;
                rgb = uint32_t(pixel[2]) << 16 | uint32_t(pixel[1]) << 8 | pixel[0];
            }
            out[x] = rgb == 0 ? 0 : 0xFF000000u | rgb;
        }
    }
    return image;
}

} // namespace

std::optional<Image> decode_bmp(std::span<const uint8_t> file, std::string& error) {
    if (file.size() < file_header_size + info_header_size || file[0] != 'B' || file[1] != 'M') {
        error = "not a BMP file";
        return std::nullopt;
    }
    return decode_pixels(file, file_header_size, read_u32(file, 10), error);
}

std::optional<Image> decode_dib(std::span<const uint8_t> dib, std::string& error) {
    if (dib.size() < info_header_size) {
        error = "shorter than a bitmap info header";
        return std::nullopt;
    }
    // The pixels follow the header (and an 8-bit bitmap's palette, offset 0 says).
    uint32_t header_size = read_u32(dib, 0);
    if (header_size < info_header_size || header_size > dib.size()) {
        error = "bitmap info header of " + std::to_string(header_size) + " bytes";
        return std::nullopt;
    }
    return decode_pixels(dib, 0, read_u16(dib, 14) == 8 ? 0 : header_size, error);
}

} // namespace panelhost
