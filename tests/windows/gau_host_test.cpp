// The Windows modules in a Windows process, as the real host meets them: loaded with
// LoadLibrary, their bitmaps and WAVE files read from the resource section, clicks
// played through DirectSound to the host's main window. The program makes that
// window itself, hidden, with the class the sound layer looks for.
#include "fixtures/click_probe_module.hpp"
#include "bmp_decoder.hpp"
#include "loaded_module.hpp"
#include "panel_host.hpp"

#include <gtest/gtest.h>

#include <windows.h>
#include <dsound.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace panelhost;

namespace {

// The program's name, gau_host_test, gives the older host's class.
constexpr const char* host_window_class = "FS98MAIN";

HWND host_window = nullptr;

class HostWindow : public ::testing::Environment {
  public:
    void SetUp() override {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = host_window_class;
        ASSERT_NE(RegisterClassA(&window_class), 0) << "error " << GetLastError();
        host_window = CreateWindowA(host_window_class, "panel host", WS_OVERLAPPEDWINDOW, 0, 0,
                                    640, 480, nullptr, nullptr, window_class.hInstance, nullptr);
        ASSERT_NE(host_window, nullptr)
            << "no window (error " << GetLastError()
            << "); under Wine the prefix needs the null graphics driver";
    }
    void TearDown() override {
        if (host_window) DestroyWindow(host_window);
    }
};

const auto* const host_window_environment =
    ::testing::AddGlobalTestEnvironment(new HostWindow);

std::vector<uint8_t> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ManifestEntry {
    std::string kind; // "bitmap" or "wave"
    uint32_t number = 0;
    std::string file;
};

// The generator's list of a module's resources: kind, number, ..., file name.
std::vector<ManifestEntry> read_manifest(const std::string& dir) {
    std::ifstream in(dir + "/manifest.txt");
    std::vector<ManifestEntry> entries;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        ManifestEntry entry;
        if (!(fields >> entry.kind >> entry.number)) continue;
        for (std::string field; fields >> field;) entry.file = field;
        entries.push_back(entry);
    }
    return entries;
}

TEST(WindowsHost, FindsItsOwnWindowByClassAsTheSoundLayerDoes) {
    EXPECT_EQ(FindWindowA(host_window_class, nullptr), host_window);
}

TEST(WindowsResources, EveryBitmapAndWaveFromTheResourceSectionMatchesItsGeneratedFile) {
    std::string error;
    auto module = LoadedModule::load(MARLOW_MODULE_PATH, error);
    ASSERT_TRUE(module) << error;
    for (const std::string& warning : module->warnings()) ADD_FAILURE() << warning;

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
        auto access = reinterpret_cast<ClickProbeAccess>(GetProcAddress(
            reinterpret_cast<HMODULE>(module->resource_handle()), "click_probe"));
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
    EXPECT_EQ(reinterpret_cast<HWND>(click.window), host_window);
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
