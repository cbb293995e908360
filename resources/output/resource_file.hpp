// One file a module embeds: a bitmap or a WAVE sound, with what the listings say
// about it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace output {

enum class ResourceKind { bitmap, wave };

struct ResourceFile {
    ResourceKind kind;
    uint32_t number;
    std::string detail; // for the manifest: "width height", or the data-byte count
    std::vector<unsigned char> bytes;

    // bitmap_<N>.bmp or wave_<N>.wav
    std::string file_name() const;
    // bitmap_<N> or wave_<N>: the file's symbol after the module's prefix
    std::string stem() const;
};

} // namespace output
