#include "sound/click_synth.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sound {
namespace {

// xorshift32: a fixed, portable noise source.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483648.0 - 1.0;
    }

  private:
    uint32_t state_;
};

// One strike `t` seconds after it happened.
double strike(const Click& c, double t, double noise) {
    constexpr double two_pi = 2 * std::numbers::pi;
    constexpr double overtone = 2.76; // a struck bar's second mode
    const double ring = std::exp(-t * 1000 / c.tone_decay_ms);
    const double tone = 0.55 * std::sin(two_pi * c.tone_hz * t) +
                        0.25 * std::sin(two_pi * c.tone_hz * overtone * t) * ring;
    return 0.6 * noise * std::exp(-t * 1000 / c.noise_decay_ms) + tone * ring;
}

} // namespace

std::vector<double> synthesize(const Click& c, uint32_t sample_rate, size_t count) {
    Noise noise(c.seed);
    std::vector<double> samples(count);
    const size_t fade = std::min<size_t>(count / 8, 64);
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sample_rate;
        double s = strike(c, t, noise.next());
        const double since_echo = t - c.echo_ms / 1000;
        if (c.echo_ms > 0 && since_echo >= 0)
            s += c.echo_level * strike(c, since_echo, noise.next());
        if (i + fade >= count) s *= static_cast<double>(count - i - 1) / fade;
        samples[i] = std::clamp(c.level * s, -1.0, 1.0);
    }
    return samples;
}

} // namespace sound
