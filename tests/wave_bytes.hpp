// Builds RIFF files chunk by chunk, for tests that need well-formed, odd or broken
// WAVE files.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace wave_bytes {

using Bytes = std::vector<uint8_t>;

inline void put32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void put16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

// A chunk with its stated size (the body's size unless given) and a pad byte after
// an odd-sized body.
inline Bytes chunk(std::string_view id, const Bytes& body, int64_t stated_size = -1) {
    Bytes out(id.begin(), id.end());
    put32(out, stated_size < 0 ? static_cast<uint32_t>(body.size())
                               : static_cast<uint32_t>(stated_size));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2) out.push_back(0);
    return out;
}

// The body of a mono PCM "fmt " chunk.
inline Bytes pcm_format(uint32_t rate, uint16_t bits) {
    Bytes out;
    put16(out, 1);
    put16(out, 1);
    put32(out, rate);
    put32(out, rate * bits / 8);
    put16(out, bits / 8);
    put16(out, bits);
    return out;
}

inline Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// A RIFF chunk of form `form` holding the chunks.
inline Bytes riff(std::initializer_list<Bytes> chunks, std::string_view form = "WAVE") {
    Bytes body(form.begin(), form.end());
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    return chunk("RIFF", body);
}

inline Bytes samples(size_t count) {
    Bytes out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = static_cast<uint8_t>(i * 7 + 3);
    return out;
}

} // namespace wave_bytes
