// Synthesises short mechanical clicks: a fast-decaying noise burst (the impact)
// over a damped resonant tone and its first overtone (the part ringing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sound {

struct Click {
    double tone_hz;        // the ringing part's pitch
    double tone_decay_ms;  // time for the ring to fall to 1/e
    double noise_decay_ms; // the same for the impact noise
    double level;          // peak amplitude, 0..1
    double echo_ms = 0;    // a second, softer strike (a release), 0 for none
    double echo_level = 0; // its level relative to the first
    uint32_t seed = 1;     // of the noise, so every build writes the same sound
};

// `count` samples in -1..1, fading to silence at the end.
std::vector<double> synthesize(const Click& click, uint32_t sample_rate, size_t count);

} // namespace sound
