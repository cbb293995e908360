// The bitmaps and sounds carried by Marlow_Instr: every bitmap of the gauges' tables
// is there at its size, every bitmap a gauge names is in the tables, and every WAVE
// file has its stated format.
#include "loaded_module.hpp"
#include "marlow_bitmaps.hpp"
#include "marlow_waves.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

using namespace panelhost;

namespace {

// The gauges' bitmap tables by number; a number in two tables fails the test.
std::map<uint32_t, gauge::Bitmap> table_bitmaps() {
    std::map<uint32_t, gauge::Bitmap> by_number;
    for (const gauge::Bitmap& bitmap : gauge::marlow_bitmaps())
        EXPECT_TRUE(by_number.emplace(bitmap.number, bitmap).second)
            << "bitmap " << bitmap.number << " is in two tables";
    return by_number;
}

std::unique_ptr<LoadedModule> load_marlow() {
    std::string error;
    auto module = LoadedModule::load(MARLOW_MODULE_PATH, error);
    EXPECT_TRUE(module) << error;
    return module;
}

// Every bitmap an element draws: its own, a moving image's or sprite's window, and
// each of an icon's images.
std::set<uint32_t> bitmaps_named_by(const GaugeHeader& header) {
    std::set<uint32_t> numbers;
    std::vector<const ElementRecord*> pending(header.element_list, header.element_list + 1);
    while (!pending.empty()) {
        const ElementRecord* element = pending.back();
        pending.pop_back();
        if (!element) continue;
        switch (element->kind) {
        case ELEMENT_STRING: break;
        case ELEMENT_ICON: {
            auto* icon = reinterpret_cast<const IconRecord*>(element);
            for (uint32_t i = 0; i < icon->icon_count; ++i)
                numbers.insert(element->resource_id + i);
            break;
        }
        case ELEMENT_MOVING_IMAGE:
        case ELEMENT_SPRITE: numbers.insert(element->resource_id + 1); [[fallthrough]];
        default: numbers.insert(element->resource_id);
        }
        for (size_t i = 0; element->children && element->children[i]; ++i)
            pending.push_back(element->children[i]);
    }
    return numbers;
}

struct WaveFormat {
    uint16_t tag = 0, channels = 0;
    uint32_t rate = 0, byte_rate = 0;
    uint16_t block_align = 0, bits = 0;
    uint32_t data_bytes = 0;
    std::vector<std::string> chunks; // in file order
};

uint32_t u32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

WaveFormat read_wave(std::span<const uint8_t> file) {
    WaveFormat format;
    EXPECT_GE(file.size(), 12u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(u32(file.data() + 4), file.size() - 8);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12), "WAVE");
    for (size_t at = 12; at + 8 <= file.size();) {
        std::string id(file.begin() + at, file.begin() + at + 4);
        uint32_t size = u32(file.data() + at + 4);
        const uint8_t* body = file.data() + at + 8;
        format.chunks.push_back(id);
        if (id == "fmt ") {
            format.tag = u16(body);
            format.channels = u16(body + 2);
            format.rate = u32(body + 4);
            format.byte_rate = u32(body + 8);
            format.block_align = u16(body + 12);
            format.bits = u16(body + 14);
        } else if (id == "data") {
            format.data_bytes = size;
            EXPECT_LE(at + 8 + size, file.size());
        }
        at += 8 + size + (size & 1);
    }
    return format;
}

TEST(ModuleResources, EveryBitmapOfTheTablesIsCarriedAtItsSize) {
    auto module = load_marlow();
    ASSERT_TRUE(module);
    EXPECT_TRUE(module->resources().problems().empty());
    for (const auto& [number, stated] : table_bitmaps()) {
        SCOPED_TRACE("bitmap " + std::to_string(number));
        const Image* bitmap = module->resources().bitmap(number);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->width, uint32_t(stated.width));
        EXPECT_EQ(bitmap->height, uint32_t(stated.height));
    }
}

TEST(ModuleResources, EveryBitmapAGaugeDrawsIsInTheTables) {
    auto module = load_marlow();
    ASSERT_TRUE(module);
    const auto tables = table_bitmaps();
    for (const GaugeHeader* header : module->gauges())
        for (uint32_t number : bitmaps_named_by(*header))
            EXPECT_TRUE(tables.contains(number)) << header->name << " draws bitmap " << number;
}

TEST(ModuleResources, EveryFaceAToggleMayChooseIsCarried) {
    auto module = load_marlow();
    ASSERT_TRUE(module);
    for (uint32_t number = 100; number <= 200; number += 10) {
        const Image* face = module->resources().bitmap(number);
        ASSERT_TRUE(face) << number;
        EXPECT_EQ(face->width, 19u) << number;
        EXPECT_EQ(face->height, 19u) << number;
    }
}

TEST(ModuleResources, TheInvisibleFaceAndTheRegistrationPlateAreEntirelyBlack) {
    auto module = load_marlow();
    ASSERT_TRUE(module);
    for (uint32_t number : {150u, 60u}) {
        const Image* bitmap = module->resources().bitmap(number);
        ASSERT_TRUE(bitmap) << number;
        for (uint32_t y = 0; y < bitmap->height; ++y)
            for (uint32_t x = 0; x < bitmap->width; ++x)
                ASSERT_TRUE(bitmap->transparent_at(x, y)) << number << " at " << x << "," << y;
    }
    const Image* radios = module->resources().bitmap(100);
    ASSERT_TRUE(radios);
    EXPECT_FALSE(radios->transparent_at(9, 9)) << "a button face shows";
}

TEST(ModuleResources, TransparencyIsBlackAndOnlyBlack) {
    auto module = load_marlow();
    ASSERT_TRUE(module);
    const Image* cover = module->resources().bitmap(1040);
    ASSERT_TRUE(cover);
    EXPECT_TRUE(cover->transparent_at(150, 150)) << "a cover leaves the dial visible";
    EXPECT_TRUE(cover->transparent_at(0, 0)) << "and the corners";
    const Image* face = module->resources().bitmap(1020);
    ASSERT_TRUE(face);
    EXPECT_FALSE(face->transparent_at(150, 150)) << "dark paint is near-black, not keyed";
    const Image* mask = module->resources().bitmap(1011);
    ASSERT_TRUE(mask);
    EXPECT_FALSE(mask->transparent_at(40, 40)) << "the compass card shows in its window";
    EXPECT_TRUE(mask->transparent_at(55, 40)) << "but not over the lubber line";
}

TEST(ModuleResources, WaveFilesHaveTheirStatedFormats) {
    const std::map<uint32_t, StatedWave>& stated = marlow_waves();
    auto module = load_marlow();
    ASSERT_TRUE(module);
    EXPECT_EQ(module->resources().waves().size(), stated.size());
    for (const auto& [number, want] : stated) {
        SCOPED_TRACE("WAVE " + std::to_string(number));
        std::span<const uint8_t> file = module->resources().wave(number);
        ASSERT_FALSE(file.empty());
        WaveFormat format = read_wave(file);
        EXPECT_EQ(format.tag, 1) << "PCM";
        EXPECT_EQ(format.channels, 1);
        EXPECT_EQ(format.rate, want.rate);
        EXPECT_EQ(format.bits, want.bits);
        EXPECT_EQ(format.block_align, want.bits / 8);
        EXPECT_EQ(format.byte_rate, want.rate * want.bits / 8);
        EXPECT_EQ(format.data_bytes, want.data_bytes);
        std::vector<std::string> order = {"fmt ", "data"};
        if (number == 20) order.insert(order.begin(), "LIST");
        EXPECT_EQ(format.chunks, order);
    }
}

} // namespace
