// The Windows modules in a Windows process, as the real host meets them: loaded with
// LoadLibrary, their bitmaps and WAVE files read from the resource section, clicks
// played through DirectSound to the host's main window. The program makes that
// window itself, hidden, with the class the sound layer looks for.
#include "bmp_decoder.hpp"
#include "fixtures/click_probe_module.hpp"
#include "host_window.hpp"
#include "loaded_module.hpp"
#include "panel_host.hpp"
#include "resource_manifest.hpp"

#include <gtest/gtest.h>

#include <dsound.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace panelhost;
using windows_test::host_window;
using windows_test::host_window_class;
using windows_test::ManifestEntry;
using windows_test::read_manifest;

namespace {

std::vector<uint8_t> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WindowsHost, FindsItsOwnWindowByClassAsTheSoundLayerDoes) {
    EXPECT_EQ(FindWindowA(host_window_class, nullptr), host_window());
}

TEST(WindowsResources, EveryBitmapAndWaveFromTheResourceSectionMatchesItsGeneratedFile) {
    std::string error;
    auto module = LoadedModule::load(MARLOW_MODULE_PATH, error);
    ASSERT_TRUE(module) << error;
    for (const std::string& warning : module->warnings())
        ADD_FAILURE() << warning;

    char file_name[MAX_PATH] = {};
    GetModuleFileNameA(reinterpret_cast<HMODULE>(module->resource_handle()), file_name, MAX_PATH);
    EXPECT_TRUE(std::string(file_name).ends_with("Marlow_Instr.gau"))
        << "the resource handle is the module's HMODULE, got " << file_name;

    std::vector<ManifestEntry> manifest = read_manifest(MARLOW_RESOURCES_DIR);
    ASSERT_FALSE(manifest.empty());
    size_t bitmaps = 0, waves = 0;
    for (const ManifestEntry& entry : manifest) {
        std::vector<uint8_t> file =
            file_bytes(std::string(MARLOW_RESOURCES_DIR) + "/" + entry.file);
        ASSERT_FALSE(file.empty()) << entry.file;
        if (entry.kind == "bitmap") {
            ++bitmaps;
            auto expected = decode_bmp(file, error);
            ASSERT_TRUE(expected) << entry.file << ": " << error;
            const Image* image = module->resources().bitmap(entry.number);
            ASSERT_TRUE(image) << "bitmap " << entry.number;
            EXPECT_EQ(image->width, expected->width) << "bitmap " << entry.number;
            EXPECT_EQ(image->height, expected->height) << "bitmap " << entry.number;
            EXPECT_TRUE(image->pixels == expected->pixels) << "bitmap " << entry.number;
        } else {
            ++waves;
            std::span<const uint8_t> wave = module->resources().wave(entry.number);
            EXPECT_TRUE(std::equal(wave.begin(), wave.end(), file.begin(), file.end()))
                << "WAVE " << entry.number;
        }
    }
    EXPECT_EQ(module->resources().bitmaps().size(), bitmaps);
    EXPECT_EQ(module->resources().waves().size(), waves);
}

// The click probe gauge clicks with WAVE 30 like the radio switches, through the
// real DirectSound of the process.
class DirectSoundClick : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        module = host.load_module(CLICK_PROBE_MODULE_PATH, error);
        ASSERT_TRUE(module) << error;
        FARPROC exported =
            GetProcAddress(reinterpret_cast<HMODULE>(module->resource_handle()), "click_probe");
        auto access = reinterpret_cast<ClickProbeAccess>(reinterpret_cast<void (*)()>(exported));
        ASSERT_TRUE(access);
        probe = access();
    }

    static DWORD status(sound::platform::Buffer* buffer) {
        DWORD status = 0;
        auto* directsound_buffer = reinterpret_cast<IDirectSoundBuffer*>(buffer);
        EXPECT_EQ(directsound_buffer->GetStatus(&status), DS_OK);
        return status;
    }

    PanelHost host;
    LoadedModule* module = nullptr;
    ClickProbe probe{};
};

TEST_F(DirectSoundClick, InstallationOpensTheDeviceForTheHostWindowAndAClickPlays) {
    std::string error;
    GaugeInstance* gauge = host.place("click_probe_module", "Click_Probe", std::nullopt, error);
    ASSERT_TRUE(gauge) << error;
    const sound::ClickSound& click = *probe.click;
    EXPECT_TRUE(*probe.sound_ok) << "a DirectSound step failed";
    EXPECT_EQ(click.resource_handle, module->resource_handle());
    EXPECT_EQ(reinterpret_cast<HWND>(click.window), host_window());
    ASSERT_NE(click.device, nullptr);
    ASSERT_NE(click.buffer, nullptr);
    EXPECT_FALSE(status(click.buffer) & DSBSTATUS_PLAYING) << "nothing plays before a click";

    host.update();
    EXPECT_TRUE(host.click(*gauge, 5, 5, MOUSE_LEFT_BUTTON));
    EXPECT_TRUE(status(click.buffer) & DSBSTATUS_PLAYING);
    EXPECT_TRUE(*probe.sound_ok);

    host.remove(gauge);
    EXPECT_EQ(click.buffer, nullptr);
    EXPECT_EQ(click.device, nullptr);
    EXPECT_TRUE(*probe.sound_ok);
}

} // namespace
