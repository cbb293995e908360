#include "sound/click_sound_player.hpp"

#include <limits>

namespace sound {

bool sound_ok = true;

namespace {

uint32_t fail_loading() {
    sound_ok = false;
    return 0;
}

} // namespace

const char* host_window_class(std::string_view executable_name) {
    const bool fourth_is_2 = executable_name.size() >= 4 && executable_name[3] == '2';
    const bool first_is_c = !executable_name.empty() && executable_name[0] == 'C';
    return fourth_is_2 || first_is_c ? "MSCFSMAIN" : "FS98MAIN";
}

platform::Window* find_host_window() {
    return platform::find_window(host_window_class(platform::executable_name()));
}

bool open_sound_device(platform::Window* window, platform::Device*& device) {
    device = platform::create_device();
    if (!device) {
        sound_ok = false;
        return false;
    }
    if (!platform::set_normal_cooperative_level(device, window)) {
        device = nullptr; // dropped, not released
        sound_ok = false;
        return false;
    }
    return true;
}

uint32_t load_wave_resource(platform::Device* device, platform::Buffer*& buffer,
                            uint32_t resource_number, uintptr_t resource_handle) {
    if (!sound_ok) return 0;
    buffer = nullptr;

    platform::Resource resource;
    const auto number = static_cast<uint16_t>(resource_number % 65536);
    if (!platform::load_wave_resource(resource_handle, number, resource)) return fail_loading();
    platform::Samples samples;
    const bool read = platform::read_wave_file(resource.bytes, samples);
    platform::free_resource(resource);
    if (!read) return fail_loading();

    const size_t size = samples.bytes.size();
    platform::Buffer* created =
        size <= std::numeric_limits<uint32_t>::max()
            ? platform::create_buffer(device, samples.format, static_cast<uint32_t>(size))
            : nullptr;
    // A buffer that was created but cannot be filled is dropped, not released.
    const bool ready = created && platform::fill_buffer(created, samples.bytes) &&
                       platform::set_position(created, 0);
    platform::free_samples(samples);
    if (!ready) return fail_loading();
    buffer = created;
    return static_cast<uint32_t>(size);
}

bool play_sound(platform::Buffer*& buffer, uint32_t play_flags) {
    if (!sound_ok || !buffer) return false;
    if (!platform::play(buffer, play_flags)) {
        sound_ok = false;
        buffer = nullptr;
        return false;
    }
    return true;
}

void release_sound_buffer(platform::Buffer*& buffer) {
    if (!sound_ok || !buffer) return;
    platform::release_buffer(buffer);
    buffer = nullptr;
}

void release_sound_device(platform::Device*& device) {
    if (!sound_ok || !device) return;
    platform::release_device(device);
    device = nullptr;
}

void ClickSound::install(uintptr_t module_resource_handle) {
    // A second placement of the gauge replaces the stored pair. The earlier pair is
    // released first: nothing is left open, and no click can reach a released buffer.
    release();
    resource_handle = module_resource_handle;
    window = find_host_window();
    open_sound_device(window, device);
    load_wave_resource(device, buffer, resource_number, resource_handle);
}

void ClickSound::release() {
    release_sound_buffer(buffer);
    release_sound_device(device);
}

void ClickSound::play() { play_sound(buffer, 0); }

} // namespace sound
