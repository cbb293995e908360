#include "sound/waves.hpp"

#include "sound/click_synth.hpp"
#include "sound/wave_file.hpp"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace sound {
namespace {

struct WaveEntry {
    std::string_view module;
    uint32_t number;
    PcmFormat format;
    uint32_t data_bytes;
    std::string_view title; // a LIST/INFO name before "fmt ", or none
    Click click;
};

// clang-format off
constexpr WaveEntry waves[] = {
    // A short, bright toggle click.
    {"Marlow_Instr", 10, {22050, 16}, 3828, {},
     {.tone_hz = 2300, .tone_decay_ms = 6, .noise_decay_ms = 1.5, .level = 0.8, .seed = 10}},
    // A heavier detent with a softer release, carrying a name.
    {"Marlow_Instr", 20, {22050, 8}, 10304, "Selector click",
     {.tone_hz = 1400, .tone_decay_ms = 10, .noise_decay_ms = 3, .level = 0.8,
      .echo_ms = 180, .echo_level = 0.5, .seed = 20}},
    // A push-button: press and a quick rebound.
    {"Marlow_Instr", 30, {22050, 16}, 6014, {},
     {.tone_hz = 1800, .tone_decay_ms = 8, .noise_decay_ms = 2, .level = 0.85,
      .echo_ms = 60, .echo_level = 0.35, .seed = 30}},
    // A low, solid lever: throw, then the latch.
    {"Marlow_Instr", 40, {22050, 8}, 12554, {},
     {.tone_hz = 900, .tone_decay_ms = 14, .noise_decay_ms = 4, .level = 0.8,
      .echo_ms = 240, .echo_level = 0.6, .seed = 40}},
    // A tiny knob detent tick.
    {"Marlow_Instr", 50, {44100, 8}, 438, {},
     {.tone_hz = 3800, .tone_decay_ms = 1.5, .noise_decay_ms = 0.6, .level = 0.7, .seed = 50}},
};
// clang-format on

} // namespace

std::vector<Wave> waves_of(const std::string& module) {
    std::vector<Wave> found;
    for (const WaveEntry& w : waves) {
        if (w.module != module) continue;
        const std::string name = module + " wave " + std::to_string(w.number);
        for (const Wave& earlier : found)
            if (earlier.number == w.number) throw std::runtime_error(name + " is listed twice");
        const uint32_t block = w.format.bits / 8;
        if (block == 0 || w.data_bytes % block != 0)
            throw std::runtime_error(name + ": " + std::to_string(w.data_bytes) +
                                     " bytes is not a whole number of samples");
        const auto samples = synthesize(w.click, w.format.sample_rate, w.data_bytes / block);
        found.push_back({w.number, w.data_bytes, wave_file(w.format, samples, w.title)});
    }
    std::sort(found.begin(), found.end(),
              [](const Wave& a, const Wave& b) { return a.number < b.number; });
    return found;
}

} // namespace sound
