// The bitmaps and sounds carried by Marlow_Instr: every bitmap a gauge names is
// there with its stated size, and every WAVE file has its stated format.
#include "loaded_module.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

using namespace panelhost;

namespace {

struct Size {
    uint32_t width, height;
};

// Stated sizes of the bitmaps of the gauges built so far.
const std::map<uint32_t, Size> stated_sizes = {
    {60, {150, 25}},    {70, {19, 19}},     {80, {12, 12}},     {90, {19, 19}},
    {100, {19, 19}},    {110, {19, 19}},    {120, {19, 19}},    {130, {19, 19}},
    {140, {19, 19}},    {150, {19, 19}},    {160, {19, 19}},    {170, {19, 19}},
    {180, {19, 19}},    {190, {19, 19}},    {200, {19, 19}},
    // Turn coordinator
    {250, {300, 300}},  {260, {220, 27}},   {270, {35, 51}},    {280, {56, 70}},
    {290, {45, 45}},    {300, {300, 300}},
    // Altimeter
    {310, {300, 300}},  {320, {130, 24}},   {330, {300, 300}},  {340, {11, 220}},
    {341, {11, 20}},    {350, {37, 330}},   {351, {37, 30}},    {360, {22, 330}},
    {361, {22, 30}},    {370, {22, 30}},    {380, {22, 330}},   {381, {22, 30}},
    {390, {102, 11}},   {400, {58, 58}},
    // Attitude indicator
    {410, {300, 300}},  {420, {256, 256}},  {421, {300, 242}},  {430, {274, 274}},
    {431, {300, 242}},  {440, {139, 99}},   {450, {300, 300}},  {460, {24, 96}},
    // Dials and compass
    {470, {300, 300}},  {480, {165, 24}},   {490, {300, 300}},  {1000, {111, 111}},
    {1010, {531, 82}},  {1011, {111, 111}}, {1020, {300, 300}}, {1030, {165, 22}},
    {1040, {300, 300}}, {3170, {300, 300}}, {3180, {300, 300}}, {3190, {145, 14}},
    {3200, {300, 300}},
    // NAV receivers
    {1230, {350, 115}}, {1240, {25, 19}},   {1250, {25, 19}},   {1260, {237, 19}},
    {1270, {10, 10}},   {1280, {25, 19}},   {1290, {133, 17}},  {1300, {25, 19}},
    {1310, {25, 19}},
    // COM transceiver
    {2000, {350, 115}}, {2010, {237, 19}},  {2020, {25, 19}},   {2030, {25, 19}},
    {2040, {10, 10}},   {2050, {134, 19}},  {2060, {25, 19}},
    // ADF receiver
    {2070, {350, 115}}, {2180, {237, 19}},  {2190, {10, 10}},   {2200, {134, 19}},
    {2210, {25, 19}},   {2220, {25, 19}},   {2230, {25, 19}},   {2240, {25, 19}},
    {2250, {25, 19}},
    // HSI
    {1050, {300, 300}}, {1060, {206, 206}}, {1070, {22, 64}},   {1080, {20, 9}},
    {1090, {206, 206}}, {1100, {206, 206}}, {1101, {206, 206}}, {1110, {31, 79}},
    {1120, {14, 12}},   {1130, {62, 158}},  {1140, {48, 48}},   {1150, {245, 230}},
    {1160, {300, 300}}, {1170, {48, 48}},   {1180, {57, 30}},
    // DME
    {1190, {166, 67}},  {1200, {34, 26}},   {1201, {34, 26}},   {1202, {34, 26}},
    {1210, {151, 24}},
    // RMI
    {1370, {300, 300}}, {1380, {230, 230}}, {1381, {230, 230}}, {1390, {59, 59}},
    {1391, {59, 59}},   {1400, {59, 59}},   {1401, {59, 59}},   {1410, {170, 28}},
    {1420, {174, 18}},  {1430, {300, 300}},
    // VOR indicator
    {3000, {60, 60}},   {3010, {29, 29}},   {3020, {29, 29}},   {3030, {29, 29}},
    {3040, {300, 300}}, {3050, {154, 2}},   {3060, {2, 154}},   {3070, {15, 40}},
    {3080, {42, 19}},   {3090, {20, 10}},   {3100, {20, 10}},   {3120, {240, 240}},
    {3121, {240, 240}}, {3130, {300, 300}},
    // Transponder
    {3210, {350, 115}}, {3220, {237, 19}},  {3230, {10, 10}},   {3240, {25, 19}},
    {3250, {25, 19}},   {3260, {25, 19}},   {3270, {25, 19}},   {3280, {134, 19}},
    {1040, {300, 300}},
    // Flaps and gear indicator
    {1320, {154, 154}}, {1330, {37, 11}},   {1340, {18, 18}},   {1341, {18, 18}},
    {1342, {18, 18}},   {1350, {16, 25}},   {1360, {154, 154}},
    // Engine dials
    {1440, {300, 300}}, {1450, {115, 20}},  {1460, {300, 300}}, {1470, {300, 300}},
    {1480, {115, 20}},  {1490, {300, 300}}, {2260, {300, 300}}, {2270, {115, 20}},
    {2280, {300, 300}}, {2290, {300, 300}}, {2300, {64, 14}},   {2310, {115, 20}},
    {2320, {300, 300}}, {2330, {300, 300}}, {2340, {115, 20}},  {2350, {300, 300}},
    {2360, {300, 300}}, {2370, {101, 16}},  {2380, {300, 300}}, {2390, {300, 300}},
    {2400, {115, 20}},  {2410, {300, 300}},
    // Fuel quantity
    {3170, {300, 300}}, {3180, {300, 300}}, {3190, {145, 14}},  {3200, {300, 300}},
};

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
            for (uint32_t i = 0; i < icon->icon_count; ++i) numbers.insert(element->resource_id + i);
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

TEST(ModuleResources, EveryBitmapAGaugeDrawsIsCarriedAtItsStatedSize) {
    auto module = load_marlow();
    ASSERT_TRUE(module);
    EXPECT_TRUE(module->resources().problems().empty());
    for (const GaugeHeader* header : module->gauges()) {
        for (uint32_t number : bitmaps_named_by(*header)) {
            SCOPED_TRACE(std::string(header->name) + " bitmap " + std::to_string(number));
            const Image* bitmap = module->resources().bitmap(number);
            ASSERT_TRUE(bitmap);
            auto stated = stated_sizes.find(number);
            ASSERT_NE(stated, stated_sizes.end()) << "no stated size for this bitmap";
            EXPECT_EQ(bitmap->width, stated->second.width);
            EXPECT_EQ(bitmap->height, stated->second.height);
        }
    }
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
    struct Stated {
        uint32_t rate;
        uint16_t bits;
        uint32_t data_bytes;
    };
    const std::map<uint32_t, Stated> stated = {
        {10, {22050, 16, 3828}}, {20, {22050, 8, 10304}}, {30, {22050, 16, 6014}},
        {40, {22050, 8, 12554}}, {50, {44100, 8, 438}}};
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
