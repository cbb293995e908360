// The host's bitmap decoder, for BMP files (Linux resource directory) and for the
// same bitmaps as Windows keeps them in a resource section: without the file header.
#include "bmp_decoder.hpp"
#include "bmp_files.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace panelhost;

namespace {

void put_u32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

// A 3 x 2 bottom-up 24-bit BMP file: bottom row red, black, white; top row blue.
std::vector<uint8_t> small_bmp_file() {
    constexpr size_t stride = 12; // 3 pixels of 3 bytes, padded to 4
    std::vector<uint8_t> file(14 + 40 + 2 * stride, 0);
    file[0] = 'B';
    file[1] = 'M';
    put_u32(file, 2, uint32_t(file.size()));
    put_u32(file, 10, 54);
    put_u32(file, 14, 40);
    put_u32(file, 18, 3);
    put_u32(file, 22, 2);
    file[26] = 1;
    file[28] = 24;
    uint8_t* bottom = &file[54];
    bottom[2] = 0xFF;                         // red (stored blue, green, red)
    bottom[6] = bottom[7] = bottom[8] = 0xFF; // white
    for (size_t x = 0; x < 3; ++x)
        file[54 + stride + 3 * x] = 0xFF; // blue
    return file;
}

TEST(BmpDecoder, AResourceBitmapDecodesLikeItsFileWithoutTheFileHeader) {
    std::vector<uint8_t> file = small_bmp_file();
    std::string error;
    auto from_file = decode_bmp(file, error);
    ASSERT_TRUE(from_file) << error;
    EXPECT_EQ(from_file->at(0, 0), 0xFF0000FFu) << "top row first";
    EXPECT_EQ(from_file->at(0, 1), 0xFFFF0000u);
    EXPECT_TRUE(from_file->transparent_at(1, 1)) << "black is transparent";
    EXPECT_EQ(from_file->at(2, 1), 0xFFFFFFFFu);

    std::vector<uint8_t> dib(file.begin() + 14, file.end());
    auto from_resource = decode_dib(dib, error);
    ASSERT_TRUE(from_resource) << error;
    EXPECT_EQ(from_resource->width, 3u);
    EXPECT_EQ(from_resource->height, 2u);
    EXPECT_EQ(from_resource->pixels, from_file->pixels);
}

TEST(BmpDecoder, ResourceBitmapsWhoseHeadersDoNotAddUpAreRefused) {
    std::vector<uint8_t> file = small_bmp_file();
    std::vector<uint8_t> dib(file.begin() + 14, file.end());
    std::string error;

    EXPECT_FALSE(decode_dib(std::span<const uint8_t>(dib.data(), 39), error))
        << "shorter than the info header";
    EXPECT_FALSE(decode_dib(std::span<const uint8_t>(dib.data(), dib.size() - 1), error))
        << "a pixel short";

    std::vector<uint8_t> long_header = dib;
    put_u32(long_header, 0, uint32_t(dib.size() + 1));
    EXPECT_FALSE(decode_dib(long_header, error)) << "header longer than the resource";

    std::vector<uint8_t> small_header = dib;
    put_u32(small_header, 0, 12);
    EXPECT_FALSE(decode_dib(small_header, error)) << "the old 12-byte core header";

    std::vector<uint8_t> four_bit = dib;
    four_bit[14] = 4;
    EXPECT_FALSE(decode_dib(four_bit, error));
    EXPECT_NE(error.find("24-bit"), std::string::npos) << error;

    std::vector<uint8_t> eight_bit = dib;
    eight_bit[14] = 8;
    EXPECT_FALSE(decode_dib(eight_bit, error)) << "no room for a palette of 256 colours";
    EXPECT_NE(error.find("palette"), std::string::npos) << error;
}

// Panel backgrounds are often 8-bit: each pixel an index into the palette, black
// transparent as in every bitmap; indices past a short palette are black.
TEST(BmpDecoder, EightBitPaletteFilesDecodeToTheirColours) {
    const std::vector<uint32_t> palette = {0x000000, 0x336699, 0xFFFFFF};
    std::vector<uint8_t> file = bmp_files::bmp_file(
        5, 3, [](uint32_t x, uint32_t y) { return y == 2 ? 7u : (x + y) % 3; }, palette);
    std::string error;
    auto image = decode_bmp(file, error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->width, 5u);
    EXPECT_EQ(image->height, 3u);
    EXPECT_TRUE(image->transparent_at(0, 0));
    EXPECT_EQ(image->at(1, 0), 0xFF336699u);
    EXPECT_EQ(image->at(2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image->at(0, 1), 0xFF336699u);
    EXPECT_TRUE(image->transparent_at(4, 2)) << "an index past the palette";

    std::vector<uint8_t> cut(file.begin(), file.begin() + 54 + 4);
    bmp_files::put_u32(cut, 10, 54 + 12);
    EXPECT_FALSE(decode_bmp(cut, error));
}

} // namespace
