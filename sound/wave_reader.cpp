#include "wave_reader.hpp"

#include <string_view>

namespace sound {
namespace {

constexpr size_t chunk_header_bytes = 8; // identifier, then body size

uint16_t read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool has_id(std::span<const uint8_t> bytes, std::string_view id) {
    return bytes.size() >= 4 &&
           std::string_view(reinterpret_cast<const char*>(bytes.data()), 4) == id;
}

struct Chunk {
    std::span<const uint8_t> body;
    std::span<const uint8_t> rest; // what follows the chunk (and its pad byte) in the parent
};

// The first chunk with identifier `id` in `region` for which `wanted` holds, walking
// the chunks from the region's start. A chunk whose size runs past the region ends
// the search: the chunks behind it cannot be found.
template <typename Wanted>
std::optional<Chunk> find_chunk(std::span<const uint8_t> region, std::string_view id,
                                Wanted wanted) {
    while (region.size() >= chunk_header_bytes) {
        const uint32_t size = read32(region.data() + 4);
        if (size > region.size() - chunk_header_bytes) return std::nullopt;
        Chunk chunk{region.subspan(chunk_header_bytes, size), {}};
        const size_t padded = chunk_header_bytes + size + (size & 1);
        chunk.rest = padded < region.size() ? region.subspan(padded) : std::span<const uint8_t>();
        if (has_id(region, id) && wanted(chunk.body)) return chunk;
        region = chunk.rest;
    }
    return std::nullopt;
}

std::optional<Chunk> find_chunk(std::span<const uint8_t> region, std::string_view id) {
    return find_chunk(region, id, [](std::span<const uint8_t>) { return true; });
}

} // namespace

std::optional<WaveContents> read_wave(std::span<const uint8_t> file) {
    auto riff = find_chunk(file, "RIFF",
                           [](std::span<const uint8_t> body) { return has_id(body, "WAVE"); });
    if (!riff) return std::nullopt;
    auto format = find_chunk(riff->body.subspan(4), "fmt ");
    if (!format || format->body.size() < wave_format_bytes) return std::nullopt;
    // As a RIFF reader that leaves "fmt " goes on from there, "data" must follow it.
    auto data = find_chunk(format->rest, "data");
    if (!data) return std::nullopt;

    const uint8_t* f = format->body.data();
    WaveContents contents;
    contents.format = {read16(f),     read16(f + 2),  read32(f + 4),
                       read32(f + 8), read16(f + 12), read16(f + 14)};
    contents.samples = data->body;
    return contents;
}

} // namespace sound
