// The operating-system services the click sound player calls. The player's rules
// are written once (click_sound_player.cpp); each platform supplies these: the real
// Windows, DirectSound and multimedia calls (platform_windows.cpp), or the Linux
// stand-in (platform_linux.cpp). Handles are opaque; null means none.
#pragma once

#include "wave_reader.hpp"

#include <cstdint>
#include <span>
#include <string>

namespace sound::platform {

struct Window; // the host's top-level window
struct Device; // a sound device
struct Buffer; // a sound buffer on a device

// The file name of the process's executable without directory and extension.
std::string executable_name();

// The top-level window of this class, or null.
Window* find_window(const char* class_name);

// The default sound device, or null.
Device* create_device();
// Sets the device's cooperative level for `window` to normal.
bool set_normal_cooperative_level(Device* device, Window* window);
// A buffer of `bytes` bytes for sound in `format`, with frequency, pan and volume
// control and global focus; or null.
Buffer* create_buffer(Device* device, const WaveFormat& format, uint32_t bytes);
// Locks the buffer from its start for `samples.size()` bytes, copies the samples into
// the locked part and unlocks it.
bool fill_buffer(Buffer* buffer, std::span<const uint8_t> samples);
bool set_position(Buffer* buffer, uint32_t position);
// Starts the buffer playing once from its position (flags 0), or on with the flags.
bool play(Buffer* buffer, uint32_t flags);
void release_buffer(Buffer* buffer);
void release_device(Device* device);

// The bytes of a WAVE resource, held until `free_resource`.
struct Resource {
    std::span<const uint8_t> bytes;
    void* held = nullptr;
};
// Finds resource `number` of type "WAVE" in the module whose resource handle this
// is, loads and locks it.
bool load_wave_resource(uintptr_t module, uint16_t number, Resource& out);
void free_resource(Resource& resource);

// A WAVE file's format and sample bytes, read out of the file into memory of their
// own, held until `free_samples`.
struct Samples {
    WaveFormat format;
    std::span<const uint8_t> bytes;
    void* held = nullptr;
};
// Reads the RIFF file in memory: the "WAVE" form, its "fmt " chunk and the "data"
// chunk after it.
bool read_wave_file(std::span<const uint8_t> file, Samples& out);
void free_samples(Samples& samples);

} // namespace sound::platform
