#include "sound/wave_file.hpp"

#include <cmath>
#include <stdexcept>
#include <string>

namespace sound {
namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(Bytes& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void put_tag(Bytes& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

// A chunk: tag, size, body, and a pad byte after a body of odd size.
void put_chunk(Bytes& out, std::string_view tag, const Bytes& body) {
    put_tag(out, tag);
    put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) out.push_back(0);
}

Bytes info_list(std::string_view title) {
    Bytes name(title.begin(), title.end());
    name.push_back(0);
    Bytes list;
    put_tag(list, "INFO");
    put_chunk(list, "INAM", name);
    return list;
}

Bytes format_chunk(PcmFormat f) {
    const uint16_t block = f.bits / 8;
    Bytes body;
    put16(body, 1); // PCM
    put16(body, 1); // mono
    put32(body, f.sample_rate);
    put32(body, f.sample_rate * block);
    put16(body, block);
    put16(body, f.bits);
    return body;
}

Bytes pcm_samples(PcmFormat f, std::span<const double> samples) {
    Bytes data;
    for (double s : samples) {
        if (f.bits == 8)
            data.push_back(static_cast<unsigned char>(128 + std::lround(s * 127)));
        else
            put16(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(s * 32767))));
    }
    return data;
}

} // namespace

std::vector<unsigned char> wave_file(PcmFormat format, std::span<const double> samples,
                                     std::string_view title) {
    if (format.bits != 8 && format.bits != 16)
        throw std::invalid_argument("PCM of " + std::to_string(format.bits) + " bits");
    Bytes riff;
    put_tag(riff, "WAVE");
    if (!title.empty()) put_chunk(riff, "LIST", info_list(title));
    put_chunk(riff, "fmt ", format_chunk(format));
    put_chunk(riff, "data", pcm_samples(format, samples));

    Bytes file;
    put_chunk(file, "RIFF", riff);
    return file;
}

} // namespace sound
