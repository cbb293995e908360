// Writes RIFF "WAVE" files of mono PCM.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace sound {

struct PcmFormat {
    uint32_t sample_rate;
    uint16_t bits; // 8 (unsigned, centred on 128) or 16 (signed little-endian)
};

// A mono PCM file of the samples (-1..1). A non-empty `title` adds a LIST/INFO
// chunk with it as INAM, placed before the "fmt " chunk.
std::vector<unsigned char> wave_file(PcmFormat format, std::span<const double> samples,
                                     std::string_view title = {});

} // namespace sound
