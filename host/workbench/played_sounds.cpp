#include "workbench/played_sounds.hpp"

#include "panel_host.hpp"
#include "sound/audio_output.h"
#include "sound/wave_reader.hpp"

#include <mutex>
#include <optional>
#include <span>
#include <type_traits>

namespace panelhost {
namespace {

// A sound as the audio output heard it: its length and a fingerprint of its samples.
struct HeardSound {
    uint32_t size = 0;
    uint64_t fingerprint = 0;
    bool operator==(const HeardSound&) const = default;
};

// Sounds heard while nobody takes them are kept up to this many; later ones are dropped.
constexpr size_t most_sounds_kept = 64;

std::mutex heard_lock;
std::vector<HeardSound> heard;

// FNV-1a over the sample bytes.
uint64_t fingerprint(std::span<const uint8_t> bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

HeardSound heard_sound(std::span<const uint8_t> samples) {
    return {static_cast<uint32_t>(samples.size()), fingerprint(samples)};
}

// The WAVE resource of a loaded module that holds the sound's samples.
std::optional<PlayedSound> find_wave(const PanelHost& host, const HeardSound& sound) {
    for (const auto& [name, module] : host.modules()) {
        for (const auto& [number, file] : module->resources().waves()) {
            std::optional<sound::WaveContents> contents = sound::read_wave(file);
            if (contents && heard_sound(contents->samples) == sound)
                return PlayedSound{name, number};
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<PlayedSound> take_played_sounds(PanelHost& host) {
    std::vector<HeardSound> taken;
    {
        std::lock_guard lock(heard_lock);
        taken.swap(heard);
    }
    std::vector<PlayedSound> played;
    for (const HeardSound& sound : taken)
        if (std::optional<PlayedSound> wave = find_wave(host, sound)) played.push_back(*wave);
    return played;
}

} // namespace panelhost

// The audio output the modules' sound layer looks up in the program (exported from
// the executable by the link options of the workbench library).
extern "C" __attribute__((visibility("default"))) void
panel_audio_output(const uint8_t* samples, uint32_t size, uint32_t, uint16_t, uint16_t) {
    if (!samples) return;
    panelhost::HeardSound sound = panelhost::heard_sound({samples, size});
    std::lock_guard lock(panelhost::heard_lock);
    if (panelhost::heard.size() < panelhost::most_sounds_kept) panelhost::heard.push_back(sound);
}
static_assert(std::is_same_v<decltype(&panel_audio_output), PanelAudioOutput>);
