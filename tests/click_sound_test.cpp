// The click sound player's rules, on the Linux stand-in: which host window it
// looks for, what it loads from a module's WAVE resources, how it plays, and how
// the first failure silences it for good.
#include "marlow_waves.hpp"
#include "resource_directory.h"
#include "sound/click_sound_player.hpp"
#include "sound/stand_in.hpp"
#include "wave_bytes.hpp"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <map>

using namespace sound;
using namespace wave_bytes;
using platform::stand_in;
using namespace std::chrono_literals;

// This program's own resource directory, found like a module's through the handle
// dlopen gives for the program: WAVE files a module should not carry.
extern "C" {
__attribute__((visibility("default"))) ResourceIndex ResourceDirectory = {0, nullptr};
}

namespace {

constexpr uint32_t wave_without_format = 61;
constexpr uint32_t wave_without_data = 62;
constexpr uint32_t wave_with_data_first = 63;
constexpr uint32_t wave_cut_short = 64;
constexpr uint32_t missing_wave = 99;

const std::map<uint32_t, Bytes>& broken_waves() {
    static const std::map<uint32_t, Bytes> files = [] {
        const Bytes fmt = chunk("fmt ", pcm_format(22050, 8));
        const Bytes data = chunk("data", samples(100));
        Bytes cut = riff({fmt, data});
        cut.resize(cut.size() - 10);
        return std::map<uint32_t, Bytes>{{wave_without_format, riff({data})},
                                         {wave_without_data, riff({fmt})},
                                         {wave_with_data_first, riff({data, fmt})},
                                         {wave_cut_short, cut}};
    }();
    return files;
}

class ClickSoundPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        sound_ok = true;
        stand_in() = {};
        marlow = dlopen(MARLOW_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_TRUE(marlow) << dlerror();
        program = dlopen(nullptr, RTLD_NOW);
        static std::vector<ResourceEntry> entries;
        entries.clear();
        for (const auto& [number, file] : broken_waves())
            entries.push_back({RESOURCE_TYPE_WAVE, number, file.data(), file.data() + file.size()});
        ResourceDirectory = {static_cast<uint32_t>(entries.size()), entries.data()};
    }
    void TearDown() override {
        if (marlow) dlclose(marlow);
        if (program) dlclose(program);
    }

    uintptr_t marlow_handle() const { return reinterpret_cast<uintptr_t>(marlow); }
    uintptr_t program_handle() const { return reinterpret_cast<uintptr_t>(program); }

    platform::Device* open_device() {
        platform::Device* device = nullptr;
        EXPECT_TRUE(open_sound_device(find_host_window(), device));
        return device;
    }

    // With the stand-in refusing as `refusal` says, opening a device fails, leaves
    // no device (whatever handle it held before) and turns the sound off.
    void expect_open_refused(const platform::StandIn::Refusals& refusal, const char* what,
                             platform::Device* device = nullptr) {
        sound_ok = true;
        stand_in().refuse = refusal;
        EXPECT_FALSE(open_sound_device(find_host_window(), device)) << what;
        EXPECT_FALSE(device) << what;
        EXPECT_FALSE(sound_ok) << what;
    }

    // The same for loading WAVE 30 of Marlow_Instr on `device`: no buffer.
    void expect_load_refused(const platform::StandIn::Refusals& refusal, const char* what,
                             platform::Device* device) {
        sound_ok = true;
        stand_in().refuse = refusal;
        platform::Buffer* buffer = nullptr;
        EXPECT_EQ(load_wave_resource(device, buffer, 30, marlow_handle()), 0u) << what;
        EXPECT_FALSE(buffer) << what;
        EXPECT_FALSE(sound_ok) << what;
    }

    static platform::StandInBuffer& buffer_of(platform::Buffer* buffer) {
        platform::StandInBuffer* object = platform::stand_in_buffer(buffer);
        if (!object) throw std::runtime_error("no live buffer");
        return *object;
    }

    void* marlow = nullptr;
    void* program = nullptr;
};

TEST(HostWindowClass, ComesFromTheExecutablesName) {
    const std::vector<std::pair<const char*, const char*>> names = {
        {"CFS2", "MSCFSMAIN"},  {"Combat", "MSCFSMAIN"}, {"abc2", "MSCFSMAIN"},
        {"fly2k", "MSCFSMAIN"}, {"C", "MSCFSMAIN"},      {"combat", "FS98MAIN"},
        {"FS2004", "FS98MAIN"}, {"fs98", "FS98MAIN"},    {"ab2", "FS98MAIN"},
        {"2222", "MSCFSMAIN"},  {"", "FS98MAIN"},
    };
    for (const auto& [name, window_class] : names)
        EXPECT_STREQ(host_window_class(name), window_class) << '"' << name << '"';
}

TEST_F(ClickSoundPlayer, FindsTheHostWindowOfTheClassItsProgramNameGives) {
    EXPECT_EQ(platform::executable_name(), "click_sound_test");
    EXPECT_TRUE(find_host_window());
    EXPECT_EQ(stand_in().window_class, "FS98MAIN");

    expect_open_refused({.window = true}, "no window, no cooperative level");
}

TEST_F(ClickSoundPlayer, LoadsEachWaveOfTheModuleIntoABufferAtItsStart) {
    platform::Device* device = open_device();
    for (const auto& [number, stated] : marlow_waves()) {
        SCOPED_TRACE("WAVE " + std::to_string(number));
        platform::Buffer* buffer = nullptr;
        EXPECT_EQ(load_wave_resource(device, buffer, number, marlow_handle()), stated.data_bytes);
        ASSERT_TRUE(buffer);
        const platform::StandInBuffer& loaded = buffer_of(buffer);
        EXPECT_EQ(loaded.format.samples_per_second, stated.rate);
        EXPECT_EQ(loaded.format.bits_per_sample, stated.bits);
        EXPECT_EQ(loaded.samples.size(), stated.data_bytes);
        EXPECT_EQ(loaded.position, 0u);
        EXPECT_FALSE(loaded.playing);
    }
    platform::Buffer* wrapped = nullptr;
    EXPECT_EQ(load_wave_resource(device, wrapped, 30 + 65536, marlow_handle()), 6014u)
        << "the resource number is taken modulo 65536";
    EXPECT_TRUE(sound_ok);
}

TEST_F(ClickSoundPlayer, AMissingOrBrokenWaveTurnsTheSoundOff) {
    for (uint32_t number : {missing_wave, wave_without_format, wave_without_data,
                            wave_with_data_first, wave_cut_short}) {
        SCOPED_TRACE("WAVE " + std::to_string(number));
        sound_ok = true;
        platform::Device* device = open_device();
        int earlier = 0;
        auto* buffer = reinterpret_cast<platform::Buffer*>(&earlier); // any earlier handle
        EXPECT_EQ(load_wave_resource(device, buffer, number, program_handle()), 0u);
        EXPECT_FALSE(buffer);
        EXPECT_FALSE(sound_ok);
    }
    EXPECT_TRUE(stand_in().buffers.empty());
}

TEST_F(ClickSoundPlayer, AfterAFailureLoadsReturnAtOnceAndNothingIsReleasedOrPlayed) {
    platform::Device* device = open_device();
    platform::Buffer* held = nullptr;
    ASSERT_EQ(load_wave_resource(device, held, 30, marlow_handle()), 6014u);
    platform::Buffer* failed = nullptr;
    EXPECT_EQ(load_wave_resource(device, failed, missing_wave, marlow_handle()), 0u);
    ASSERT_FALSE(sound_ok);

    platform::Buffer* untouched = held;
    EXPECT_EQ(load_wave_resource(device, untouched, 30, marlow_handle()), 0u);
    EXPECT_EQ(untouched, held) << "the buffer out is left as it was";
    EXPECT_EQ(stand_in().buffers.size(), 1u) << "no buffer was made";

    release_sound_buffer(held);
    release_sound_device(device);
    EXPECT_TRUE(held);
    EXPECT_TRUE(device);
    EXPECT_EQ(stand_in().live_buffers(), 1u);
    EXPECT_EQ(stand_in().live_devices(), 1u);

    EXPECT_FALSE(play_sound(held, 0));
    EXPECT_EQ(stand_in().plays(), 0u);
}

TEST_F(ClickSoundPlayer, ARefusedDeviceOrCooperativeLevelTurnsTheSoundOff) {
    int earlier = 0;
    auto* earlier_device = reinterpret_cast<platform::Device*>(&earlier); // any earlier handle
    expect_open_refused({.device = true}, "device", earlier_device);
    expect_open_refused({.cooperative_level = true}, "cooperative level");
    EXPECT_EQ(stand_in().live_devices(), 1u) << "the device is dropped, not released";
}

TEST_F(ClickSoundPlayer, ARefusedBufferOrLockTurnsTheSoundOff) {
    platform::Device* device = open_device();
    expect_load_refused({.buffer = true}, "buffer", device);
    expect_load_refused({.lock = true}, "lock", device);
    EXPECT_EQ(stand_in().live_buffers(), 1u) << "the unfilled buffer is dropped, not released";
}

TEST_F(ClickSoundPlayer, ARefusedPlayTurnsTheSoundOffAndDropsTheBuffer) {
    platform::Device* device = open_device();
    platform::Buffer* buffer = nullptr;
    ASSERT_EQ(load_wave_resource(device, buffer, 50, marlow_handle()), 438u);
    stand_in().refuse.play = true;
    EXPECT_FALSE(play_sound(buffer, 0));
    EXPECT_FALSE(buffer);
    EXPECT_FALSE(sound_ok);
}

TEST_F(ClickSoundPlayer, AClickBeforeInstallationOrAfterReleasePlaysNothing) {
    ClickSound click{switch_click_wave};
    click.play();
    EXPECT_TRUE(stand_in().devices.empty());

    click.install(marlow_handle());
    EXPECT_EQ(click.resource_handle, marlow_handle());
    EXPECT_TRUE(click.window);
    click.play();
    EXPECT_EQ(stand_in().plays(), 1u);

    click.release();
    EXPECT_FALSE(click.buffer);
    EXPECT_FALSE(click.device);
    EXPECT_EQ(stand_in().live_buffers(), 0u);
    EXPECT_EQ(stand_in().live_devices(), 0u);
    stand_in().clock_ahead = 1h;
    click.play();
    EXPECT_EQ(stand_in().plays(), 1u);
    EXPECT_EQ(stand_in().misuses, 0u);
    EXPECT_TRUE(sound_ok) << "a silent click is no failure";
}

TEST_F(ClickSoundPlayer, AClickWhileTheSoundLastsDoesNotRestartIt) {
    ClickSound click{switch_click_wave};
    click.install(marlow_handle());
    const platform::StandInBuffer& sounding = buffer_of(click.buffer);
    click.play();
    const auto ends = sounding.ends;
    click.play(); // 6014 bytes at 44100 bytes a second: still sounding
    EXPECT_EQ(sounding.plays, 1u);
    EXPECT_EQ(sounding.ends, ends);
    EXPECT_TRUE(stand_in().sounding(sounding));

    stand_in().clock_ahead = 200ms; // played out
    EXPECT_FALSE(stand_in().sounding(sounding));
    click.play();
    EXPECT_EQ(sounding.plays, 2u) << "a played-out click sounds again";
    EXPECT_TRUE(stand_in().sounding(sounding));
    EXPECT_TRUE(sound_ok);
}

TEST_F(ClickSoundPlayer, ASecondInstallationReleasesTheFirstPair) {
    ClickSound click{selector_click_wave};
    click.install(marlow_handle());
    platform::Buffer* first = click.buffer;
    click.install(marlow_handle());
    EXPECT_NE(click.buffer, first);
    EXPECT_EQ(stand_in().live_buffers(), 1u);
    EXPECT_EQ(stand_in().live_devices(), 1u);

    click.release(); // one placement removed: the other's clicks fall silent
    click.play();
    EXPECT_EQ(stand_in().plays(), 0u);
    EXPECT_EQ(stand_in().misuses, 0u);
    EXPECT_TRUE(sound_ok);
}

TEST_F(ClickSoundPlayer, PlacingAClickingGaugeForDaysKeepsABoundedRecordAndEveryPlay) {
    ClickSound click{switch_click_wave};
    constexpr uint32_t placements = 3 * platform::StandIn::kept_released;
    for (uint32_t i = 0; i < placements; ++i) {
        click.install(marlow_handle());
        click.play();
        click.release();
    }
    EXPECT_LE(stand_in().buffers.size(), 2 * platform::StandIn::kept_released);
    EXPECT_LE(stand_in().devices.size(), 2 * platform::StandIn::kept_released);
    EXPECT_EQ(stand_in().plays(), placements);
    EXPECT_EQ(stand_in().live_buffers(), 0u);
    EXPECT_EQ(stand_in().misuses, 0u);
    EXPECT_TRUE(sound_ok);
}

TEST_F(ClickSoundPlayer, OneGaugesFailureSilencesEveryGauge) {
    ClickSound com{switch_click_wave};
    ClickSound rmi{selector_click_wave};
    com.install(marlow_handle());
    stand_in().refuse.device = true;
    rmi.install(marlow_handle());
    EXPECT_FALSE(sound_ok);
    EXPECT_FALSE(rmi.buffer);

    com.play();
    EXPECT_EQ(stand_in().plays(), 0u);
    com.release();
    EXPECT_TRUE(com.buffer) << "releases are skipped once the sound is off";
    EXPECT_EQ(stand_in().live_buffers(), 1u);
}

} // namespace
