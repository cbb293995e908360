#include "module_resources.hpp"

namespace panelhost {

ModuleResources::ModuleResources(const ResourceIndex* directory) {
    if (!directory || !directory->entries) return;
    if (directory->count > max_resources_per_module) {
        problems_.push_back("resource directory claims " + std::to_string(directory->count) +
                            " entries; ignored");
        return;
    }
    for (uint32_t i = 0; i < directory->count; ++i) {
        const ResourceEntry& entry = directory->entries[i];
        std::string name = "resource " + std::to_string(entry.number);
        if (!entry.begin || entry.end < entry.begin) {
            problems_.push_back(name + ": no data");
            continue;
        }
        std::span<const uint8_t> bytes(entry.begin, entry.end);
        if (entry.type == RESOURCE_TYPE_WAVE) {
            waves_[entry.number] = bytes;
        } else if (entry.type == RESOURCE_TYPE_BITMAP) {
            std::string error;
            std::optional<Image> image = decode_bmp(bytes, error);
            add_bitmap(entry.number, std::move(image), error);
        } else {
            problems_.push_back(name + ": unknown type " + std::to_string(entry.type));
        }
    }
}

void ModuleResources::add_bitmap(uint32_t number, std::optional<Image> image,
                                 const std::string& error) {
    if (image)
        bitmaps_[number] = std::move(*image);
    else
        problems_.push_back("bitmap " + std::to_string(number) + ": " + error);
}

const Image* ModuleResources::bitmap(uint32_t number) const {
    auto it = bitmaps_.find(number);
    return it == bitmaps_.end() ? nullptr : &it->second;
}

std::span<const uint8_t> ModuleResources::wave(uint32_t number) const {
    auto it = waves_.find(number);
    return it == waves_.end() ? std::span<const uint8_t>() : it->second;
}

} // namespace panelhost
