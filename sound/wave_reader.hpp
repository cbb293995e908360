// Reads a RIFF "WAVE" file held in memory: its wave format and its sample bytes.
// Pure and bounded: whatever the bytes hold, it reads nothing outside them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace sound {

// The leading fields of a "fmt " chunk (the PCM wave format).
struct WaveFormat {
    uint16_t format_tag = 0;
    uint16_t channels = 0;
    uint32_t samples_per_second = 0;
    uint32_t average_bytes_per_second = 0;
    uint16_t block_align = 0;
    uint16_t bits_per_sample = 0;
};

// Bytes of the "fmt " chunk that hold a WaveFormat.
constexpr uint32_t wave_format_bytes = 16;

struct WaveContents {
    WaveFormat format;
    std::span<const uint8_t> samples; // the body of the "data" chunk, inside the file
};

// Finds the RIFF chunk of form "WAVE" among the file's top-level chunks, its "fmt "
// chunk, and the "data" chunk after that, skipping every other chunk on the way (a
// "LIST" before "fmt " is common). No such chunks, a "fmt " chunk too short for the
// format, or a chunk that claims more bytes than its parent holds: none.
std::optional<WaveContents> read_wave(std::span<const uint8_t> file);

} // namespace sound
