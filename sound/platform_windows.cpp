// The Windows services the click sound player calls: the host's window by class,
// DirectSound devices and buffers, the module's "WAVE" resources, and the
// multimedia file services reading a RIFF file from memory.
#include "sound/sound_platform.hpp"

#include <windows.h>

#include <mmsystem.h>

#include <dsound.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace sound::platform {
namespace {

constexpr DWORD buffer_description_size = 36; // the DSBUFFERDESC with its 3D algorithm
constexpr DWORD buffer_flags =
    DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS; // 0x80E0

IDirectSound* device_of(Device* device) { return reinterpret_cast<IDirectSound*>(device); }
IDirectSoundBuffer* buffer_of(Buffer* buffer) {
    return reinterpret_cast<IDirectSoundBuffer*>(buffer);
}

} // namespace

std::string executable_name() {
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, path, sizeof path) == 0) return {};
    char name[_MAX_FNAME] = {};
    _splitpath(path, nullptr, nullptr, name, nullptr);
    return name;
}

Window* find_window(const char* class_name) {
    return reinterpret_cast<Window*>(FindWindowA(class_name, nullptr));
}

Device* create_device() {
    IDirectSound* device = nullptr;
    if (FAILED(DirectSoundCreate(nullptr, &device, nullptr))) return nullptr;
    return reinterpret_cast<Device*>(device);
}

bool set_normal_cooperative_level(Device* device, Window* window) {
    return device && SUCCEEDED(device_of(device)->SetCooperativeLevel(
                         reinterpret_cast<HWND>(window), DSSCL_NORMAL));
}

Buffer* create_buffer(Device* device, const WaveFormat& format, uint32_t bytes) {
    if (!device) return nullptr;
    WAVEFORMATEX wave{};
    wave.wFormatTag = format.format_tag;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.samples_per_second;
    wave.nAvgBytesPerSec = format.average_bytes_per_second;
    wave.nBlockAlign = format.block_align;
    wave.wBitsPerSample = format.bits_per_sample;
    DSBUFFERDESC description{};
    static_assert(sizeof description == buffer_description_size);
    description.dwSize = buffer_description_size;
    description.dwFlags = buffer_flags;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &wave;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(device_of(device)->CreateSoundBuffer(&description, &buffer, nullptr)))
        return nullptr;
    return reinterpret_cast<Buffer*>(buffer);
}

bool fill_buffer(Buffer* buffer, std::span<const uint8_t> samples) {
    void* first = nullptr;
    DWORD first_bytes = 0;
    void* second = nullptr;
    DWORD second_bytes = 0;
    const auto bytes = static_cast<DWORD>(samples.size());
    if (FAILED(buffer_of(buffer)->Lock(0, bytes, &first, &first_bytes, &second, &second_bytes, 0)))
        return false;
    // From the start of the buffer the whole range is the first part; never copy past it.
    std::memcpy(first, samples.data(), std::min(bytes, first_bytes));
    return SUCCEEDED(buffer_of(buffer)->Unlock(first, first_bytes, second, second_bytes));
}

bool set_position(Buffer* buffer, uint32_t position) {
    return SUCCEEDED(buffer_of(buffer)->SetCurrentPosition(position));
}

bool play(Buffer* buffer, uint32_t flags) {
    return SUCCEEDED(buffer_of(buffer)->Play(0, 0, flags));
}

void release_buffer(Buffer* buffer) { buffer_of(buffer)->Release(); }

void release_device(Device* device) { device_of(device)->Release(); }

bool load_wave_resource(uintptr_t module, uint16_t number, Resource& out) {
    const auto instance = reinterpret_cast<HMODULE>(module);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(number), "WAVE");
    if (!found) return false;
    HGLOBAL loaded = LoadResource(instance, found);
    if (!loaded) return false;
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(instance, found);
    if (!bytes || size == 0) {
        FreeResource(loaded);
        return false;
    }
    out.bytes = {static_cast<const uint8_t*>(bytes), size};
    out.held = loaded;
    return true;
}

void free_resource(Resource& resource) {
    if (resource.held) FreeResource(static_cast<HGLOBAL>(resource.held));
    resource = {};
}

namespace {

// Reads the "fmt " and "data" chunks through an open "MEM " reader; the samples go
// into memory of their own.
bool read_wave_chunks(HMMIO reader, Samples& out) {
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(reader, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) return false;

    MMCKINFO format_chunk{};
    format_chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(reader, &format_chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
    PCMWAVEFORMAT format{};
    static_assert(sizeof format == wave_format_bytes);
    if (format_chunk.cksize < sizeof format) return false;
    if (mmioRead(reader, reinterpret_cast<HPSTR>(&format), sizeof format) != sizeof format)
        return false;
    if (mmioAscend(reader, &format_chunk, 0) != MMSYSERR_NOERROR) return false;

    MMCKINFO data_chunk{};
    data_chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(reader, &data_chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
    const DWORD size = data_chunk.cksize;
    if (size > 0x7FFFFFFF) return false;

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    void* samples = memory ? GlobalLock(memory) : nullptr;
    if (!samples || mmioRead(reader, static_cast<HPSTR>(samples), static_cast<LONG>(size)) !=
                        static_cast<LONG>(size)) {
        if (samples) GlobalUnlock(memory);
        if (memory) GlobalFree(memory);
        return false;
    }
    out.format = {format.wf.wFormatTag,      format.wf.nChannels,   format.wf.nSamplesPerSec,
                  format.wf.nAvgBytesPerSec, format.wf.nBlockAlign, format.wBitsPerSample};
    out.bytes = {static_cast<const uint8_t*>(samples), size};
    out.held = memory;
    return true;
}

} // namespace

bool read_wave_file(std::span<const uint8_t> file, Samples& out) {
    if (file.size() > 0x7FFFFFFF) return false;
    MMIOINFO memory_file{};
    memory_file.fccIOProc = FOURCC_MEM;
    memory_file.pchBuffer = reinterpret_cast<HPSTR>(const_cast<uint8_t*>(file.data()));
    memory_file.cchBuffer = static_cast<LONG>(file.size());
    HMMIO reader = mmioOpenA(nullptr, &memory_file, MMIO_READ);
    if (!reader) return false;
    const bool read = read_wave_chunks(reader, out);
    mmioClose(reader, 0);
    return read;
}

void free_samples(Samples& samples) {
    if (samples.held) {
        GlobalUnlock(static_cast<HGLOBAL>(samples.held));
        GlobalFree(static_cast<HGLOBAL>(samples.held));
    }
    samples = {};
}

} // namespace sound::platform
