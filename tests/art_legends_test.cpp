// Every text the artwork carries can be read where the gauge is seen: a round
// dial is looked at about 150 pixels across (as the example panel shows its
// instruments), every other gauge at its design size. The artwork generator lists
// each text with the height of its ink on its bitmap (legends.txt); the gauges'
// element records say which bitmaps each gauge draws.
#include "loaded_module.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

using namespace panelhost;

namespace {

constexpr double least_ink_height = 6;     // screen pixels
constexpr double dial_seen_across = 150;   // screen pixels
constexpr uint32_t dial_design_side = 250; // a design this wide and high is a dial

struct Legend {
    std::string text;
    double ink_height = 0; // bitmap pixels
};

std::multimap<uint32_t, Legend> read_legends(const std::string& module_name) {
    std::multimap<uint32_t, Legend> legends;
    std::ifstream in(std::string(PANEL_RESOURCES_DIR) + "/" + module_name + "/legends.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        uint32_t bitmap = 0;
        Legend legend;
        fields >> bitmap >> legend.ink_height;
        fields.ignore(1);
        std::getline(fields, legend.text);
        legends.emplace(bitmap, legend);
    }
    return legends;
}

// The bitmap numbers an element and its children draw.
void collect_bitmaps(const ElementRecord* element, std::set<uint32_t>& bitmaps, int depth = 0) {
    if (!element || depth > 32) return;
    switch (element->kind) {
    case ELEMENT_STRING: break;
    case ELEMENT_ICON: {
        auto* icon = reinterpret_cast<const IconRecord*>(element);
        for (uint32_t i = 0; i < icon->icon_count && i < 64; ++i)
            bitmaps.insert(element->resource_id + i);
        break;
    }
    case ELEMENT_MOVING_IMAGE:
    case ELEMENT_SPRITE:
        bitmaps.insert(element->resource_id);
        bitmaps.insert(element->resource_id + 1);
        break;
    default: bitmaps.insert(element->resource_id);
    }
    for (size_t i = 0; element->children && element->children[i]; ++i)
        collect_bitmaps(element->children[i], bitmaps, depth + 1);
}

void expect_legible(const char* path, const std::string& module_name) {
    std::string error;
    std::unique_ptr<LoadedModule> module = LoadedModule::load(path, error);
    ASSERT_TRUE(module) << error;
    const std::multimap<uint32_t, Legend> legends = read_legends(module_name);
    ASSERT_FALSE(legends.empty()) << "no legends.txt for " << module_name;
    for (const GaugeHeader* gauge : module->gauges()) {
        const auto [width, height] = module->design_size(*gauge);
        const bool dial = width >= dial_design_side && height >= dial_design_side;
        const double scale = dial ? dial_seen_across / width : 1.0;
        std::set<uint32_t> bitmaps;
        for (size_t i = 0; gauge->element_list && gauge->element_list[i]; ++i)
            collect_bitmaps(gauge->element_list[i], bitmaps);
        for (uint32_t bitmap : bitmaps) {
            auto [first, last] = legends.equal_range(bitmap);
            for (auto it = first; it != last; ++it)
                EXPECT_GE(it->second.ink_height * scale, least_ink_height)
                    << gauge->name << ", bitmap " << bitmap << ": \"" << it->second.text << "\" is "
                    << it->second.ink_height * scale << " px high at " << scale
                    << " of its design size";
        }
    }
}

} // namespace

TEST(ArtLegends, EveryTextCanBeReadWhereItsGaugeIsSeen) {
    expect_legible(MARLOW_MODULE_PATH, "Marlow_Instr");
    expect_legible(HARROW_MODULE_PATH, "Harrow_ASI");
}
