// The resource generator's list of a module's resources (manifest.txt), one line
// each: "bitmap NUMBER WIDTH HEIGHT FILE" or "wave NUMBER DATA_BYTES FILE".
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace windows_test {

struct ManifestEntry {
    std::string kind; // "bitmap" or "wave"
    uint32_t number = 0;
    std::vector<uint32_t> sizes; // width and height, or the WAVE's sample bytes
    std::string file;
};

inline std::vector<ManifestEntry> read_manifest(const std::string& dir) {
    std::ifstream in(dir + "/manifest.txt");
    std::vector<ManifestEntry> entries;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        ManifestEntry entry;
        if (!(fields >> entry.kind >> entry.number)) continue;
        for (std::string field; fields >> field;) {
            if (!entry.file.empty()) entry.sizes.push_back(std::stoul(entry.file));
            entry.file = field;
        }
        entries.push_back(entry);
    }
    return entries;
}

// The number of sample bytes of WAVE `number`, if the manifest lists it.
inline std::optional<uint32_t> wave_data_bytes(const std::vector<ManifestEntry>& manifest,
                                               uint32_t number) {
    for (const ManifestEntry& entry : manifest)
        if (entry.kind == "wave" && entry.number == number && entry.sizes.size() == 1)
            return entry.sizes[0];
    return std::nullopt;
}

} // namespace windows_test
