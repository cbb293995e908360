// The Linux stand-in for the Windows services the click sound player calls.
// Resources come from the module's exported resource directory, found with dlsym
// on its handle; WAVE files are read with the module's own RIFF reader.
#include "resource_directory.h"
#include "sound/audio_output.h"
#include "sound/stand_in.hpp"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <type_traits>

namespace sound::platform {
namespace {

// The host's one window: the process itself.
char host_window;

// A resource directory longer than this is taken as corrupt.
constexpr uint32_t max_resources = 65536;

// DirectSound's limits on a buffer's size.
constexpr uint32_t smallest_buffer = 4;
constexpr uint32_t largest_buffer = 0x0FFFFFFF;

// What DirectSound takes for a plain buffer: mono or stereo PCM of 8 or 16 bits,
// with consistent block size and byte rate.
bool playable(const WaveFormat& f) {
    return f.format_tag == 1 && (f.channels == 1 || f.channels == 2) &&
           (f.bits_per_sample == 8 || f.bits_per_sample == 16) && f.samples_per_second > 0 &&
           f.block_align == f.channels * f.bits_per_sample / 8 &&
           f.average_bytes_per_second == f.samples_per_second * f.block_align;
}

// The objects of each kind not yet released.
std::unordered_set<const void*>& open_objects(const StandInDevice*) {
    return stand_in().open_devices;
}
std::unordered_set<const void*>& open_objects(const StandInBuffer*) {
    return stand_in().open_buffers;
}

// The live stand-in object behind a handle, or null (counted as a misuse).
template <typename Object, typename Handle> Object* live(Handle* handle) {
    if (open_objects(static_cast<const Object*>(nullptr)).contains(handle))
        return reinterpret_cast<Object*>(handle);
    ++stand_in().misuses;
    return nullptr;
}

// The handle of a new stand-in object, open until closed.
template <typename Handle, typename Object> Handle* open(Object& object) {
    open_objects(&object).insert(&object);
    return reinterpret_cast<Handle*>(&object);
}

// Forgets the oldest released records once they pile up (see StandIn).
template <typename Object> void forget_released(std::list<Object>& records) {
    if (records.size() <= 2 * StandIn::kept_released) return;
    for (auto it = records.begin();
         it != records.end() && records.size() > StandIn::kept_released;) {
        if (!it->released) {
            ++it;
            continue;
        }
        if constexpr (std::is_same_v<Object, StandInBuffer>)
            stand_in().forgotten_plays += it->plays;
        it = records.erase(it);
    }
}

template <typename Object> void close(Object& object) {
    object.released = true;
    open_objects(&object).erase(&object);
}

// Brings a buffer that has played out back to its start.
void settle(StandInBuffer& buffer) {
    if (buffer.playing && stand_in().now() >= buffer.ends) {
        buffer.playing = false;
        buffer.position = 0;
    }
}

// The program's audio output, looked up once; null when it offers none.
PanelAudioOutput audio_output() {
    static const auto output =
        reinterpret_cast<PanelAudioOutput>(dlsym(RTLD_DEFAULT, PANEL_AUDIO_OUTPUT_SYMBOL));
    return output;
}

} // namespace

StandIn& stand_in() {
    static StandIn state;
    return state;
}

StandInBuffer* stand_in_buffer(Buffer* buffer) {
    return buffer ? live<StandInBuffer>(buffer) : nullptr;
}

StandInDevice* stand_in_device(Device* device) {
    return device ? live<StandInDevice>(device) : nullptr;
}

std::string executable_name() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0) return {};
    std::string name(path, static_cast<size_t>(length));
    name.erase(0, name.find_last_of('/') + 1);
    if (size_t dot = name.find_last_of('.'); dot != std::string::npos) name.erase(dot);
    return name;
}

Window* find_window(const char* class_name) {
    StandIn& state = stand_in();
    state.window_class = class_name ? class_name : "";
    const bool host_class = state.window_class == "MSCFSMAIN" || state.window_class == "FS98MAIN";
    return host_class && !state.refuse.window ? reinterpret_cast<Window*>(&host_window) : nullptr;
}

Device* create_device() {
    StandIn& state = stand_in();
    if (state.refuse.device) return nullptr;
    return open<Device>(state.devices.emplace_back());
}

bool set_normal_cooperative_level(Device* device, Window* window) {
    StandInDevice* object = stand_in_device(device);
    if (!object || !window || stand_in().refuse.cooperative_level) return false;
    object->window = window;
    return true;
}

Buffer* create_buffer(Device* device, const WaveFormat& format, uint32_t bytes) {
    StandIn& state = stand_in();
    if (!stand_in_device(device) || state.refuse.buffer || !playable(format) ||
        bytes < smallest_buffer || bytes > largest_buffer)
        return nullptr;
    StandInBuffer& buffer = state.buffers.emplace_back();
    buffer.format = format;
    buffer.samples.resize(bytes);
    return open<Buffer>(buffer);
}

bool fill_buffer(Buffer* buffer, std::span<const uint8_t> samples) {
    StandInBuffer* object = stand_in_buffer(buffer);
    if (!object || stand_in().refuse.lock || samples.size() > object->samples.size()) return false;
    std::copy(samples.begin(), samples.end(), object->samples.begin());
    return true;
}

bool set_position(Buffer* buffer, uint32_t position) {
    StandInBuffer* object = stand_in_buffer(buffer);
    if (!object || position > object->samples.size()) return false;
    object->position = position;
    return true;
}

bool play(Buffer* buffer, uint32_t) {
    StandIn& state = stand_in();
    StandInBuffer* object = stand_in_buffer(buffer);
    if (!object || state.refuse.play) return false;
    settle(*object);
    if (object->playing) return true; // still sounding: it goes on
    const uint64_t remaining = object->samples.size() - object->position;
    object->playing = true;
    object->ends = state.now() + std::chrono::nanoseconds(remaining * 1'000'000'000 /
                                                          object->format.average_bytes_per_second);
    ++object->plays;
    if (PanelAudioOutput output = audio_output())
        output(object->samples.data() + object->position, static_cast<uint32_t>(remaining),
               object->format.samples_per_second, object->format.channels,
               object->format.bits_per_sample);
    return true;
}

void release_buffer(Buffer* buffer) {
    if (StandInBuffer* object = stand_in_buffer(buffer)) {
        close(*object);
        object->playing = false;
        // Its samples go at once (assigning an empty list would keep their memory),
        // for every placement of a clicking gauge makes a buffer; the record itself
        // stays until forgotten.
        std::vector<uint8_t>().swap(object->samples);
        forget_released(stand_in().buffers);
    }
}

void release_device(Device* device) {
    if (StandInDevice* object = stand_in_device(device)) {
        close(*object);
        forget_released(stand_in().devices);
    }
}

bool load_wave_resource(uintptr_t module, uint16_t number, Resource& out) {
    if (module == 0) return false; // dlsym would search the whole process
    const auto* directory = static_cast<const ResourceIndex*>(
        dlsym(reinterpret_cast<void*>(module), RESOURCE_DIRECTORY_SYMBOL));
    if (!directory || !directory->entries || directory->count > max_resources) return false;
    for (uint32_t i = 0; i < directory->count; ++i) {
        const ResourceEntry& entry = directory->entries[i];
        if (entry.type != RESOURCE_TYPE_WAVE || entry.number != number) continue;
        if (!entry.begin || entry.end < entry.begin) return false;
        out.bytes = {entry.begin, entry.end};
        return true;
    }
    return false;
}

void free_resource(Resource& resource) { resource = {}; }

bool read_wave_file(std::span<const uint8_t> file, Samples& out) {
    std::optional<WaveContents> contents = read_wave(file);
    if (!contents) return false;
    auto* copy = new std::vector<uint8_t>(contents->samples.begin(), contents->samples.end());
    out.format = contents->format;
    out.bytes = *copy;
    out.held = copy;
    return true;
}

void free_samples(Samples& samples) {
    delete static_cast<std::vector<uint8_t>*>(samples.held);
    samples = {};
}

} // namespace sound::platform
