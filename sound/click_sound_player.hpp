// ClickSoundPlayer: switch and knob clicks played from the module's WAVE resources.
//
// Each sound-using gauge keeps one `ClickSound` as module-level data, shared by every
// placement of the gauge: it opens a sound device and loads its buffer at service 2,
// plays it on a click and releases both at service 12. One module-wide flag,
// `sound_ok`, switches the whole sound layer off at the first failure; gauges keep
// working silently. The functions below are the player's steps, in the order a gauge
// calls them; their results are for tests, the gauges need none.
#pragma once

#include "sound/sound_platform.hpp"

#include <cstdint>
#include <string_view>

namespace sound {

// True while the module is loaded, until the first failed sound operation.
extern bool sound_ok;

// The window class of the host's main window, from its executable's file name
// (without directory and extension): "MSCFSMAIN" when the name's fourth character
// is "2" or its first is an upper-case "C", "FS98MAIN" otherwise.
const char* host_window_class(std::string_view executable_name);

// The host's main window, or null.
platform::Window* find_host_window();

// Opens the default sound device at normal cooperative level for `window`.
bool open_sound_device(platform::Window* window, platform::Device*& device);

// Loads WAVE resource `resource_number` of the module with this resource handle
// into a new buffer on `device`, positioned at its start. Returns the number of
// sample bytes, or 0. While the sound layer is off it returns 0 at once and leaves
// `buffer` alone.
uint32_t load_wave_resource(platform::Device* device, platform::Buffer*& buffer,
                            uint32_t resource_number, uintptr_t resource_handle);

// Starts the buffer playing from where it stands, without rewinding: a buffer still
// sounding goes on, one that has played out starts again. Gauges pass flags 0.
bool play_sound(platform::Buffer*& buffer, uint32_t play_flags);

// Release a held handle and forget it; nothing once the sound layer is off.
void release_sound_buffer(platform::Buffer*& buffer);
void release_sound_device(platform::Device*& device);

// The resources the gauges click with.
constexpr uint32_t switch_click_wave = 30;   // radio and transponder switches and knobs
constexpr uint32_t selector_click_wave = 50; // the RMI's needle selectors

// The sound storage of one gauge. Declare it `constinit` at namespace scope.
struct ClickSound {
    uint32_t resource_number = switch_click_wave;
    uintptr_t resource_handle = 0;
    platform::Window* window = nullptr;
    platform::Device* device = nullptr;
    platform::Buffer* buffer = nullptr;

    // Service 2, with the extra word (the module's resource handle).
    void install(uintptr_t module_resource_handle);
    // Service 12.
    void release();
    // A click that sounds. Before installation or after release: nothing.
    void play();
};

} // namespace sound
