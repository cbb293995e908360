// The click sounds of the real Marlow_Instr.gau, through Wine's DirectSound. The
// module's import of DirectSoundCreate is routed through the recorder, so the test
// sees every device and buffer the gauges make and every Play, while Wine's objects
// do the work: each sound-using gauge opens its device for the host window at
// installation, loads its WAVE resource into a buffer of the resource's size, plays
// it on exactly the clicks that sound, and releases buffer and device at removal.
#include "direct_sound_recorder.hpp"
#include "host_window.hpp"
#include "panel_host.hpp"
#include "resource_manifest.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <dsound.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace panelhost;
using direct_sound_recorder::BufferRecord;
using direct_sound_recorder::DeviceRecord;
using direct_sound_recorder::recording;

namespace {

struct Click {
    double x, y;
    const char* what;
    bool sounds;
};

// A sound-using gauge and a run of clicks on it, each sounding or not.
struct ClickingGauge {
    const char* name;
    uint32_t wave;
    std::vector<Click> clicks;
};

void PrintTo(const ClickingGauge& gauge, std::ostream* out) { *out << gauge.name; }

// The radio heads' buttons and knobs.
constexpr double button_row = 85;
constexpr Click radio_on{100, button_row, "ON", true};
constexpr Click radio_off{100, button_row, "ON (off)", true};
constexpr Click transfer{172, 28, "transfer", false};
constexpr Click whole_up{280, 66, "whole knob", false};
constexpr Click fraction_up{305, 66, "fraction knob", false};

Click ident(double x, bool powered) {
    return {x, button_row, powered ? "ident" : "ident while off", powered};
}
constexpr double nav_ident_x = 136, adf_ident_x = 209;

const std::vector<ClickingGauge> clicking_gauges = {
    {"Becker_AR3202_COM1",
     30,
     {transfer, whole_up, radio_on, whole_up, fraction_up, transfer, radio_off}},
    {"Becker_NR3320_NAV1",
     30,
     {ident(nav_ident_x, false), radio_on, ident(nav_ident_x, true), whole_up, transfer,
      ident(nav_ident_x, true), radio_off}},
    {"Becker_NR3320_NAV2",
     30,
     {ident(nav_ident_x, false), radio_on, ident(nav_ident_x, true), fraction_up, radio_off}},
    {"Becker_AD3502_ADF",
     30,
     {ident(adf_ident_x, false), radio_on, ident(adf_ident_x, true), fraction_up, transfer,
      radio_off}},
    {"Becker_ATC3401_XPDR",
     30,
     {{75, 10, "digit while off", false},
      radio_on,
      {75, 10, "digit", false},
      {210, 85, "VFR", false},
      radio_off}},
    {"Bendix_KD1572_DME",
     30,
     {{70, 55, "knob left at OFF", false},
      {90, 55, "knob to N1", true},
      {90, 55, "knob to N2", true},
      {90, 55, "knob right at N2", false},
      {70, 55, "knob back to N1", true}}},
    {"Collins_RMI",
     50,
     {{64, 235, "left selector", true},
      {235, 235, "right selector", true},
      {64, 235, "left selector back", true}}},
};

// The formats of the two WAVE resources the gauges click with.
struct WaveFormatFacts {
    uint32_t number;
    DWORD samples_per_second;
    WORD bits_per_sample;
};
constexpr WaveFormatFacts wave_formats[] = {{30, 22050, 16}, {50, 44100, 8}};

// Loads Marlow_Instr into `host` with its DirectSound calls recorded.
void load_recorded(PanelHost& host) {
    std::string error;
    LoadedModule* module = host.load_module(MARLOW_MODULE_PATH, error);
    ASSERT_TRUE(module) << error;
    ASSERT_TRUE(direct_sound_recorder::record_direct_sound_of(
        reinterpret_cast<HMODULE>(module->resource_handle()), error))
        << error;
}

GaugeInstance& place(PanelHost& host, const char* name) {
    std::string error;
    GaugeInstance* gauge = host.place("Marlow_Instr", name, std::nullopt, error);
    if (!gauge) throw std::runtime_error(error);
    return *gauge;
}

class ClickSounds : public ::testing::Test {
  protected:
    void SetUp() override {
        recording() = {};
        load_recorded(host);
        manifest = windows_test::read_manifest(MARLOW_RESOURCES_DIR);
    }

    GaugeInstance& place(const char* name) { return ::place(host, name); }

    static bool playing(const BufferRecord& buffer) {
        DWORD status = 0;
        return buffer.real && buffer.real->GetStatus(&status) == DS_OK &&
               (status & DSBSTATUS_PLAYING);
    }

    // The device and buffer opened by installing a gauge that clicks with `wave`.
    void expect_opened(const DeviceRecord& device, const BufferRecord& buffer, uint32_t wave) {
        EXPECT_TRUE(device.cooperative_level_set);
        EXPECT_EQ(device.window, windows_test::host_window());
        EXPECT_EQ(device.cooperative_level, DWORD(DSSCL_NORMAL));
        EXPECT_FALSE(device.released);

        std::optional<uint32_t> data_bytes = windows_test::wave_data_bytes(manifest, wave);
        ASSERT_TRUE(data_bytes) << "WAVE " << wave << " is not in the manifest";
        EXPECT_EQ(buffer.bytes, *data_bytes) << "a buffer the size of WAVE " << wave;
        EXPECT_EQ(buffer.description_size, 36u);
        EXPECT_EQ(buffer.flags, 0x80E0u);
        EXPECT_EQ(buffer.format.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(buffer.format.nChannels, 1);
        for (const WaveFormatFacts& facts : wave_formats) {
            if (facts.number != wave) continue;
            EXPECT_EQ(buffer.format.nSamplesPerSec, facts.samples_per_second);
            EXPECT_EQ(buffer.format.wBitsPerSample, facts.bits_per_sample);
            EXPECT_EQ(buffer.format.nBlockAlign, facts.bits_per_sample / 8);
        }
        EXPECT_EQ(buffer.locks, 1u) << "filled once";
        EXPECT_EQ(buffer.unlocks, 1u);
        EXPECT_EQ(buffer.positions, std::vector<DWORD>{0}) << "positioned at its start";
        EXPECT_TRUE(buffer.play_flags.empty()) << "nothing plays at installation";
        EXPECT_FALSE(buffer.released);
        EXPECT_FALSE(playing(buffer));
    }

    PanelHost host;
    std::vector<windows_test::ManifestEntry> manifest;
};

class EachClickingGauge : public ClickSounds,
                          public ::testing::WithParamInterface<ClickingGauge> {};

TEST_P(EachClickingGauge, OpensAtInstallationPlaysOnTheClicksThatSoundAndReleasesAtRemoval) {
    const ClickingGauge& clicking = GetParam();
    GaugeInstance& gauge = place(clicking.name);
    ASSERT_EQ(recording().devices.size(), 1u);
    ASSERT_EQ(recording().buffers.size(), 1u);
    const DeviceRecord& device = *recording().devices[0];
    const BufferRecord& buffer = *recording().buffers[0];
    expect_opened(device, buffer, clicking.wave);

    size_t plays = 0;
    for (const Click& click : clicking.clicks) {
        host.update();
        EXPECT_TRUE(host.click(gauge, click.x, click.y, MOUSE_LEFT_BUTTON))
            << click.what << " is outside every mouse area";
        plays += click.sounds;
        EXPECT_EQ(buffer.play_flags.size(), plays) << click.what;
        if (click.sounds) {
            EXPECT_TRUE(playing(buffer)) << click.what << ": Wine plays it";
        }
    }
    EXPECT_EQ(buffer.play_flags, std::vector<DWORD>(plays, 0)) << "played once, flags 0";
    EXPECT_EQ(recording().buffers.size(), 1u) << "no buffer made by a click";

    host.remove(&gauge);
    EXPECT_TRUE(buffer.released);
    EXPECT_TRUE(device.released);
    EXPECT_EQ(device.buffers_alive_at_release, 0u) << "the buffer is released before the device";
    EXPECT_EQ(recording().devices.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(MarlowInstr, EachClickingGauge, ::testing::ValuesIn(clicking_gauges),
                         [](const ::testing::TestParamInfo<ClickingGauge>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ClickSounds, TheWholeStackPlacedTogetherEachGaugeClicksItsOwnBuffer) {
    std::vector<GaugeInstance*> gauges;
    for (const ClickingGauge& clicking : clicking_gauges)
        gauges.push_back(&place(clicking.name));
    ASSERT_EQ(recording().devices.size(), clicking_gauges.size());
    ASSERT_EQ(recording().buffers.size(), clicking_gauges.size());
    EXPECT_EQ(recording().live_devices(), clicking_gauges.size());

    // The first sounding click of each gauge, in turn: only that gauge's buffer plays.
    for (size_t i = 0; i < gauges.size(); ++i) {
        const ClickingGauge& clicking = clicking_gauges[i];
        for (const Click& click : clicking.clicks) {
            host.update();
            host.click(*gauges[i], click.x, click.y, MOUSE_LEFT_BUTTON);
            if (click.sounds) break;
        }
        for (size_t j = 0; j < gauges.size(); ++j)
            EXPECT_EQ(recording().buffers[j]->play_flags.size(), j <= i ? 1u : 0u)
                << clicking.name << " clicked, buffer of " << clicking_gauges[j].name;
    }

    for (GaugeInstance* gauge : gauges)
        host.remove(gauge);
    EXPECT_EQ(recording().live_buffers(), 0u);
    EXPECT_EQ(recording().live_devices(), 0u);
}

TEST_F(ClickSounds, ASecondPlacementReleasesTheFirstPairAndClicksOnTheNewBuffer) {
    GaugeInstance& first = place("Becker_AR3202_COM1");
    GaugeInstance& second = place("Becker_AR3202_COM1");
    ASSERT_EQ(recording().buffers.size(), 2u);
    EXPECT_TRUE(recording().buffers[0]->released);
    EXPECT_TRUE(recording().devices[0]->released);
    EXPECT_EQ(recording().live_buffers(), 1u);
    EXPECT_EQ(recording().live_devices(), 1u);

    host.update();
    host.click(first, radio_on.x, radio_on.y, MOUSE_LEFT_BUTTON);
    EXPECT_TRUE(recording().buffers[0]->play_flags.empty()) << "never a released buffer";
    EXPECT_EQ(recording().buffers[1]->play_flags.size(), 1u) << "the storage is the gauge's";
    EXPECT_TRUE(playing(*recording().buffers[1]));

    // Removing either placement releases the one pair the gauge holds.
    host.remove(&second);
    EXPECT_EQ(recording().live_buffers(), 0u);
    EXPECT_EQ(recording().live_devices(), 0u);
    host.update();
    host.click(first, radio_on.x, radio_on.y, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(recording().plays(), 1u) << "nothing plays after the release";
    host.remove(&first);
    EXPECT_EQ(recording().devices.size(), 2u) << "nothing opened again";
}

// The failure rule of the sound layer on the real module: one failed step turns
// it off for every gauge of the module until the module is loaded again.
TEST(ClickSoundFailure, ARefusedDeviceSilencesEveryGaugeUntilTheModuleIsLoadedAgain) {
    recording() = {};
    {
        PanelHost host;
        load_recorded(host);
        recording().refuse_devices = true;
        GaugeInstance& com = place(host, "Becker_AR3202_COM1");
        recording().refuse_devices = false;
        EXPECT_EQ(recording().refused_devices, 1u);
        GaugeInstance& nav = place(host, "Becker_NR3320_NAV1");
        EXPECT_TRUE(recording().buffers.empty()) << "no buffer loads once the layer is off";
        host.update();
        host.click(com, radio_on.x, radio_on.y, MOUSE_LEFT_BUTTON);
        host.click(nav, radio_on.x, radio_on.y, MOUSE_LEFT_BUTTON);
        host.update();
        EXPECT_TRUE(com.elements().at(8).icon) << "the COM works on, silently: its lamp is lit";
        host.remove(&com);
        host.remove(&nav);
        EXPECT_TRUE(recording().buffers.empty());
    }
    PanelHost host;
    load_recorded(host);
    GaugeInstance& com = place(host, "Becker_AR3202_COM1");
    ASSERT_EQ(recording().buffers.size(), 1u) << "a fresh load sounds again";
    host.update();
    host.click(com, radio_on.x, radio_on.y, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(recording().buffers[0]->play_flags.size(), 1u);
}

} // namespace
