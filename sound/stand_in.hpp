// The Linux stand-in for the Windows sound services: devices and buffers kept in
// memory, "playing" for as long as their samples last on a steady clock. What was
// played is recorded, and handed to the program's audio output when it has one
// (sound/audio_output.h); tests can make each operation fail.
//
// The host window: the host is the process itself, so a window of the host's class
// ("MSCFSMAIN" or "FS98MAIN") is always found, as one fixed handle; other classes
// are not.
#pragma once

#include "sound/sound_platform.hpp"

#include <chrono>
#include <list>
#include <string>
#include <unordered_set>
#include <vector>

namespace sound::platform {

using StandInClock = std::chrono::steady_clock;

struct StandInDevice {
    Window* window = nullptr; // set by the cooperative level
    bool released = false;
};

struct StandInBuffer {
    WaveFormat format;
    std::vector<uint8_t> samples;
    uint32_t position = 0;
    bool playing = false;
    StandInClock::time_point ends{}; // while playing
    uint32_t plays = 0;              // times it started playing
    bool released = false;
};

struct StandIn {
    // Switches for tests: while one is set, that operation fails.
    struct Refusals {
        bool window = false;
        bool device = false;
        bool cooperative_level = false;
        bool buffer = false;
        bool lock = false;
        bool play = false;
    } refuse;
    // Puts the stand-in's clock this far ahead of the steady clock.
    StandInClock::duration clock_ahead{};

    std::string window_class; // the class last looked for
    // Every device and buffer created, released or not. Once released ones pile up
    // past twice `kept_released`, the oldest of them are forgotten down to that many
    // (their plays still counted), so that a host placing clicking gauges for days
    // keeps a bounded list.
    static constexpr size_t kept_released = 1024;
    std::list<StandInDevice> devices;
    std::list<StandInBuffer> buffers;
    uint32_t forgotten_plays = 0;
    // The devices and buffers not yet released, for finding a handle's object at
    // once however many were made before it.
    std::unordered_set<const void*> open_devices;
    std::unordered_set<const void*> open_buffers;
    uint32_t misuses = 0; // calls on a released or unknown handle

    StandInClock::time_point now() const { return StandInClock::now() + clock_ahead; }
    // Whether the buffer is sounding now.
    bool sounding(const StandInBuffer& buffer) const {
        return buffer.playing && now() < buffer.ends;
    }

    size_t live_devices() const {
        size_t live = 0;
        for (const StandInDevice& device : devices)
            live += !device.released;
        return live;
    }
    size_t live_buffers() const {
        size_t live = 0;
        for (const StandInBuffer& buffer : buffers)
            live += !buffer.released;
        return live;
    }
    uint32_t plays() const {
        uint32_t plays = forgotten_plays;
        for (const StandInBuffer& buffer : buffers)
            plays += buffer.plays;
        return plays;
    }
};

// The stand-in's one state, made at first use.
StandIn& stand_in();

// The stand-in objects behind handles (null for a null handle).
StandInBuffer* stand_in_buffer(Buffer* buffer);
StandInDevice* stand_in_device(Device* device);

} // namespace sound::platform
