#include "direct_sound_recorder.hpp"

#include <cstddef>
#include <cstring>

namespace direct_sound_recorder {
namespace {

using DirectSoundCreateFunction = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

// Wine's DirectSoundCreate, as the loader bound it into the module.
DirectSoundCreateFunction wine_direct_sound_create = nullptr;

// What both proxies share: QueryInterface goes to Wine's object, the module's own
// references are counted, and the last Release lets the proxy let go of what it
// holds (`Proxy::last_release`) before it is deleted.
template <class Interface, class Proxy> class CountedProxy : public Interface {
  public:
    explicit CountedProxy(Interface* real) : real_(real) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return real_->QueryInterface(riid, object); // not used by the modules
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            Proxy* proxy = static_cast<Proxy*>(this);
            proxy->last_release();
            delete proxy;
        }
        return left;
    }

  protected:
    ~CountedProxy() = default;

    Interface* real_;

  private:
    ULONG references_ = 1;
};

// A proxy of one of Wine's sound buffers. It holds one reference to Wine's buffer
// and counts the module's own references; the last Release frees both.
class RecordingBuffer final : public CountedProxy<IDirectSoundBuffer, RecordingBuffer> {
  public:
    RecordingBuffer(IDirectSoundBuffer* real, std::shared_ptr<BufferRecord> record,
                    std::shared_ptr<DeviceRecord> device)
        : CountedProxy(real), record_(std::move(record)), device_(std::move(device)) {
        record_->real = real_;
        ++device_->live_buffers;
    }

    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS caps) override { return real_->GetCaps(caps); }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD play, LPDWORD write) override {
        return real_->GetCurrentPosition(play, write);
    }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX format, DWORD size,
                                        LPDWORD written) override {
        return real_->GetFormat(format, size, written);
    }
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG volume) override { return real_->GetVolume(volume); }
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG pan) override { return real_->GetPan(pan); }
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD frequency) override {
        return real_->GetFrequency(frequency);
    }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override {
        return real_->GetStatus(status);
    }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND device,
                                         LPCDSBUFFERDESC description) override {
        return real_->Initialize(device, description);
    }
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD first_bytes,
                                   LPVOID* second, LPDWORD second_bytes, DWORD flags) override {
        ++record_->locks;
        return real_->Lock(offset, bytes, first, first_bytes, second, second_bytes, flags);
    }
    HRESULT STDMETHODCALLTYPE Play(DWORD reserved, DWORD priority, DWORD flags) override {
        record_->play_flags.push_back(flags);
        return real_->Play(reserved, priority, flags);
    }
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override {
        record_->positions.push_back(position);
        return real_->SetCurrentPosition(position);
    }
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX format) override {
        return real_->SetFormat(format);
    }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) override { return real_->SetVolume(volume); }
    HRESULT STDMETHODCALLTYPE SetPan(LONG pan) override { return real_->SetPan(pan); }
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD frequency) override {
        return real_->SetFrequency(frequency);
    }
    HRESULT STDMETHODCALLTYPE Stop() override { return real_->Stop(); }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID first, DWORD first_bytes, LPVOID second,
                                     DWORD second_bytes) override {
        ++record_->unlocks;
        return real_->Unlock(first, first_bytes, second, second_bytes);
    }
    HRESULT STDMETHODCALLTYPE Restore() override { return real_->Restore(); }

  private:
    friend CountedProxy;
    ~RecordingBuffer() = default;

    void last_release() {
        real_->Release();
        record_->real = nullptr;
        record_->released = true;
        --device_->live_buffers;
    }

    std::shared_ptr<BufferRecord> record_;
    std::shared_ptr<DeviceRecord> device_;
};

// A proxy of one of Wine's sound devices; buffers made on it come back as proxies.
class RecordingDevice final : public CountedProxy<IDirectSound, RecordingDevice> {
  public:
    RecordingDevice(IDirectSound* real, std::shared_ptr<DeviceRecord> record)
        : CountedProxy(real), record_(std::move(record)) {}

    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC description,
                                                LPLPDIRECTSOUNDBUFFER buffer,
                                                IUnknown* outer) override {
        const HRESULT result = real_->CreateSoundBuffer(description, buffer, outer);
        if (FAILED(result) || !buffer || !*buffer) return result;
        auto record = std::make_shared<BufferRecord>();
        if (description) {
            record->description_size = description->dwSize;
            record->flags = description->dwFlags;
            record->bytes = description->dwBufferBytes;
            // The PCM part only: the module's format may end before cbSize.
            if (description->lpwfxFormat)
                std::memcpy(&record->format, description->lpwfxFormat,
                            offsetof(WAVEFORMATEX, cbSize));
        }
        recording().buffers.push_back(record);
        *buffer = new RecordingBuffer(*buffer, record, record_);
        return result;
    }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS caps) override { return real_->GetCaps(caps); }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                   LPLPDIRECTSOUNDBUFFER duplicate) override {
        return real_->DuplicateSoundBuffer(original, duplicate); // not used by the modules
    }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override {
        record_->window = window;
        record_->cooperative_level = level;
        record_->cooperative_level_set = true;
        return real_->SetCooperativeLevel(window, level);
    }
    HRESULT STDMETHODCALLTYPE Compact() override { return real_->Compact(); }
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD config) override {
        return real_->GetSpeakerConfig(config);
    }
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD config) override {
        return real_->SetSpeakerConfig(config);
    }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID device) override {
        return real_->Initialize(device);
    }

  private:
    friend CountedProxy;
    ~RecordingDevice() = default;

    void last_release() {
        record_->buffers_alive_at_release = record_->live_buffers;
        record_->released = true;
        real_->Release();
    }

    std::shared_ptr<DeviceRecord> record_;
};

HRESULT WINAPI recording_direct_sound_create(LPCGUID device_id, LPDIRECTSOUND* device,
                                             LPUNKNOWN outer) {
    if (recording().refuse_devices) {
        ++recording().refused_devices;
        if (device) *device = nullptr;
        return DSERR_NODRIVER;
    }
    IDirectSound* real = nullptr;
    const HRESULT result = wine_direct_sound_create(device_id, &real, outer);
    if (!device) return result;
    if (FAILED(result) || !real) {
        *device = nullptr;
        return result;
    }
    auto record = std::make_shared<DeviceRecord>();
    recording().devices.push_back(record);
    *device = new RecordingDevice(real, record);
    return result;
}

template <typename T> T* at(HMODULE module, DWORD relative_address) {
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + relative_address);
}

} // namespace

size_t Recording::live_buffers() const {
    size_t live = 0;
    for (const auto& buffer : buffers)
        live += !buffer->released;
    return live;
}

size_t Recording::live_devices() const {
    size_t live = 0;
    for (const auto& device : devices)
        live += !device->released;
    return live;
}

size_t Recording::plays() const {
    size_t plays = 0;
    for (const auto& buffer : buffers)
        plays += buffer->play_flags.size();
    return plays;
}

Recording& recording() {
    static Recording recorded;
    return recorded;
}

bool record_direct_sound_of(HMODULE module, std::string& error) {
    HMODULE dsound = GetModuleHandleA("dsound.dll");
    if (!dsound) {
        error = "dsound.dll is not loaded";
        return false;
    }
    wine_direct_sound_create = reinterpret_cast<DirectSoundCreateFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(dsound, "DirectSoundCreate")));
    if (!wine_direct_sound_create) {
        error = "dsound.dll has no DirectSoundCreate";
        return false;
    }
    const auto wine_address = reinterpret_cast<uintptr_t>(wine_direct_sound_create);
    const auto recorder_address = reinterpret_cast<uintptr_t>(&recording_direct_sound_create);

    const auto* dos = at<IMAGE_DOS_HEADER>(module, 0);
    const auto* headers = at<IMAGE_NT_HEADERS>(module, dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || headers->Signature != IMAGE_NT_SIGNATURE ||
        imports.VirtualAddress == 0) {
        error = "the module has no import directory";
        return false;
    }
    // Each imported DLL's address table holds what the loader bound, whether the
    // function was imported by name or by ordinal.
    for (auto* dll = at<IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress); dll->Name;
         ++dll) {
        if (_stricmp(at<const char>(module, dll->Name), "dsound.dll") != 0) continue;
        for (auto* slot = at<IMAGE_THUNK_DATA>(module, dll->FirstThunk); slot->u1.Function;
             ++slot) {
            const auto bound = static_cast<uintptr_t>(slot->u1.Function);
            if (bound != wine_address && bound != recorder_address) continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE,
                                &protection)) {
                error = "cannot write the import address table (error " +
                        std::to_string(GetLastError()) + ")";
                return false;
            }
            slot->u1.Function = static_cast<decltype(slot->u1.Function)>(recorder_address);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            FlushInstructionCache(GetCurrentProcess(), nullptr, 0);
            return true;
        }
    }
    error = "the module does not import DirectSoundCreate from dsound.dll";
    return false;
}

} // namespace direct_sound_recorder
