// A module's bitmaps and WAVE files, read once when the module is loaded: on Linux
// from the resource directory it exports (the stand-in for Windows resources), on
// Windows from its resource section.
#pragma once

#include "bmp_decoder.hpp"
#include "resource_directory.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace panelhost {

class ModuleResources {
  public:
    ModuleResources() = default;
    // Reads and decodes every entry; a directory pointer of null gives no resources.
    explicit ModuleResources(const ResourceIndex* directory);

    // Adding entries one by one, as the Windows resource reader does. A bitmap that
    // does not decode is noted as a problem.
    void add_bitmap(uint32_t number, std::optional<Image> image, const std::string& error);
    void add_wave(uint32_t number, std::span<const uint8_t> bytes) { waves_[number] = bytes; }

    // The decoded bitmap with this number, or null.
    const Image* bitmap(uint32_t number) const;
    // The bytes of the WAVE file with this number; empty when there is none.
    std::span<const uint8_t> wave(uint32_t number) const;

    size_t bitmap_count() const { return bitmaps_.size(); }
    const std::map<uint32_t, std::span<const uint8_t>>& waves() const { return waves_; }
    const std::map<uint32_t, Image>& bitmaps() const { return bitmaps_; }
    // Entries that could not be read, with the reason.
    const std::vector<std::string>& problems() const { return problems_; }

  private:
    std::map<uint32_t, Image> bitmaps_;
    std::map<uint32_t, std::span<const uint8_t>> waves_;
    std::vector<std::string> problems_;
};

class ModuleLibrary;
// The resources of a loaded module, read the platform's way.
ModuleResources read_module_resources(const ModuleLibrary& library);

// Directories longer than this are taken as corrupt.
constexpr uint32_t max_resources_per_module = 65536;

} // namespace panelhost
