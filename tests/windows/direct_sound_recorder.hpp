// Watches what a loaded module does with DirectSound. The module's import of
// dsound.dll's DirectSoundCreate is pointed at a function that creates Wine's real
// device and hands the module small proxies of the device and of every sound buffer
// made on it. The proxies forward each call to Wine's objects and note what the
// module asked for: the cooperative level, each buffer's description, the position
// set, every Play, and the releases.
#pragma once

#include <windows.h>

#include <dsound.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace direct_sound_recorder {

struct BufferRecord {
    DWORD description_size = 0;
    DWORD flags = 0;
    DWORD bytes = 0;
    WAVEFORMATEX format{};
    uint32_t locks = 0;
    uint32_t unlocks = 0;
    std::vector<DWORD> positions;       // each SetCurrentPosition
    std::vector<DWORD> play_flags;      // each Play
    bool released = false;              // by the module, the last reference
    IDirectSoundBuffer* real = nullptr; // Wine's buffer while not released
};

struct DeviceRecord {
    HWND window = nullptr;
    DWORD cooperative_level = 0;
    bool cooperative_level_set = false;
    size_t live_buffers = 0; // made on this device and not released
    bool released = false;
    // Buffers still held by the module when it released the device.
    size_t buffers_alive_at_release = 0;
};

// Everything recorded since the last `clear`, in the order it was created.
struct Recording {
    // While set, DirectSoundCreate fails without reaching Wine, as on a machine
    // without a sound device.
    bool refuse_devices = false;
    uint32_t refused_devices = 0;

    std::vector<std::shared_ptr<DeviceRecord>> devices;
    std::vector<std::shared_ptr<BufferRecord>> buffers;

    size_t live_buffers() const;
    size_t live_devices() const;
    size_t plays() const;
};

Recording& recording();

// Routes `module`'s import of DirectSoundCreate (by name or by ordinal, found by
// the address the loader bound it to) through the recorder. False, with the reason,
// when the module does not import it.
bool record_direct_sound_of(HMODULE module, std::string& error);

} // namespace direct_sound_recorder
