// Aircraft folders as the simulator keeps them, placed by the host: the example
// aircraft (examples/aircraft), a panel copied from an aircraft with gauges of
// seven makers this host does not have, modules found beside the panel file in any
// case, backgrounds and their sizes, and the registration from aircraft.cfg.
#include "aircraft_folder.hpp"
#include "bmp_files.hpp"
#include "panel.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

using namespace panelhost;
namespace fs = std::filesystem;

namespace {

const std::string module_dir = fs::path(MARLOW_MODULE_PATH).parent_path().string();
const std::string example_aircraft = PANEL_EXAMPLES_DIR "/aircraft";

class AircraftPanel : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fresh_test_folder("aircraft-panel-" +
                                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                "-");
        fs::create_directories(dir / "panel");
    }
    void TearDown() override { fs::remove_all(dir); }

    void write(const fs::path& path, const std::string& text) {
        std::ofstream(dir / path, std::ios::binary) << text;
    }

    // Every gauge line of a panel file (gaugeNN= and the newer kinds).
    static size_t gauge_lines(const std::string& file) {
        std::ifstream in(file);
        std::regex gauge_line(R"(^\s*[a-z_]*gauge\d+\s*=)", std::regex::icase);
        size_t count = 0;
        for (std::string line; std::getline(in, line);)
            count += std::regex_search(line, gauge_line);
        return count;
    }

    static size_t placements(const Panel& panel) {
        size_t count = 0;
        for (const PlacedWindow& window : panel.windows())
            count += window.gauges.size();
        return count;
    }

    static const PlacedGauge& find(const Panel& panel, const std::string& label) {
        for (const PlacedWindow& window : panel.windows())
            for (const PlacedGauge& gauge : window.gauges)
                if (gauge.label == label) return gauge;
        throw std::runtime_error("no placement " + label);
    }

    PanelHost host;
    fs::path dir;
};

TEST_F(AircraftPanel, TheExampleAircraftOpensWithItsRegistrationBackgroundAndPlaceholders) {
    std::string error;
    std::optional<AircraftFolder> folder = open_aircraft_folder(example_aircraft, 0, error);
    ASSERT_TRUE(folder) << error;
    EXPECT_EQ(folder->atc_id, "D-IHAR");
    EXPECT_EQ(folder->livery, "fltsim.0");
    EXPECT_EQ(open_aircraft_folder(example_aircraft, 1, error)->atc_id, "N512MT");
    EXPECT_FALSE(open_aircraft_folder(example_aircraft, 2, error));
    EXPECT_EQ(error, example_aircraft + "/aircraft.cfg: there is no livery 2 (2 sections hold an "
                                        "atc_id)");

    PanelConfig config = load_panel_config(folder->panel_file);
    config.atc_id = folder->atc_id;
    Panel panel(host, config, module_dir);
    // Only what cannot run is reported: one line per missing module or kind.
    ASSERT_EQ(panel.problems().size(), 2u) << ::testing::PrintToString(panel.problems());
    EXPECT_NE(panel.problems()[0].find("module Tiller_Avionics not found"), std::string::npos);
    EXPECT_NE(panel.problems()[0].find("2 placements (lines 69 and 70) drawn as placeholders"),
              std::string::npos)
        << panel.problems()[0];
    EXPECT_NE(panel.problems()[1].find("htmlgauge lines"), std::string::npos);
    EXPECT_EQ(placements(panel), gauge_lines(folder->panel_file))
        << "every gauge line is a placement or a placeholder";
    const char* registration = nullptr;
    host.simulation().evaluate("(A:ATC ID,string)", nullptr, nullptr, &registration);
    ASSERT_TRUE(registration);
    EXPECT_STREQ(registration, "D-IHAR") << "what the registration plate reads";

    const PlacedWindow& main = panel.windows()[0];
    ASSERT_TRUE(main.background);
    EXPECT_EQ(main.background->width, 1024u);
    EXPECT_EQ(main.width, 1024);
    EXPECT_EQ(main.height, int(main.background->height)) << "the height follows the bitmap";
    EXPECT_EQ(main.background_color, (PanelColor{18, 22, 30}));
    EXPECT_EQ(main.screen.position, 7);

    const PlacedGauge& flaps = find(panel, "Marlow_Instr!Flaps_Gear_Indicator");
    ASSERT_TRUE(flaps.instance);
    DesignSize design = flaps.instance->design_size();
    EXPECT_EQ(flaps.width, design.width) << "only x, y: the design size";
    EXPECT_EQ(flaps.height, design.height);
    const PlacedGauge& airspeed = find(panel, "Marlow_Instr!Airspeed");
    EXPECT_EQ(airspeed.width, 148);
    EXPECT_EQ(airspeed.height, 148) << "only the width: the design proportions";

    const PlacedGauge& autopilot = find(panel, "Tiller_Avionics!Autopilot Panel");
    EXPECT_FALSE(autopilot.instance);
    EXPECT_EQ(autopilot.missing, "module not found");
    EXPECT_EQ(autopilot.width, 290);
    EXPECT_EQ(autopilot.height, 26);
    EXPECT_EQ(find(panel, "Generic/Clock/clock.html?style=analog").missing,
              "a newer kind of gauge");

    const PlacedWindow& cockpit = panel.windows().back();
    EXPECT_TRUE(cockpit.virtual_cockpit);
    EXPECT_EQ(cockpit.title, "$Panel_1");
    EXPECT_FALSE(panel.window_visible(cockpit)) << "opened only from the page";
    panel.show_window(panel.windows().size() - 1, true);
    EXPECT_TRUE(panel.window_visible(panel.windows().back()));
}

// A panel.cfg as it comes out of a real aircraft's panel folder: seven makers'
// modules, none of them here, and a bitmap that was not copied along.
TEST_F(AircraftPanel, APanelWithSevenForeignModulesLoadsWithOneMessagePerModule) {
    write("panel/panel.cfg",
          "// Panel configuration\r\n"
          "[Window Titles]\r\nWindow00=Main Panel\r\nWindow01=GPS\r\n\r\n"
          "[VIEWS]\r\nVIEW_FORWARD_WINDOWS=MAIN_PANEL\r\n\r\n"
          "[Window00]\r\nBackground_color=0,0,0\r\nsize_mm=1600\r\nwindow_size_ratio=1.000\r\n"
          "position=7\r\nvisible=1\r\nident=MAIN_PANEL\r\nwindow_size= 1.000, 0.600\r\n"
          "window_pos= 0.000, 0.400\r\nfile=Panel_Day.bmp\r\n"
          "gauge00=Kestrel_Flight!Attitude Indicator, 600, 60, 200, 200\r\n"
          "gauge01=Kestrel_Flight!Airspeed, 380, 60\r\n"
          "gauge02=Orrin_Engines!N1 Gauge, 1000, 40, 120, 120, 1\r\n"
          "gauge03=Orrin_Engines!N1 Gauge, 1130, 40, 120, 120, 2\r\n"
          "gauge04=Brack_Radio!COM NAV, 1300, 300, 280\r\n"
          "gauge05=Pell_Fuel!Fuel Selector, 40, 500, 80, 80\r\n"
          "gauge06=Ashgrove_Switches!Battery Master, 140, 500, 40, 60\r\n"
          "gauge07=Ashgrove_Switches!Avionics Master, 190, 500, 40, 60\r\n"
          "gauge08=Wren_Lights!Panel Light Knob, 240, 500\r\n"
          "gauge09=Dunmore_Ap!Autopilot, 600, 480, 400, 60\r\n"
          "gauge10=Marlow_Instr!Altimeter, 820, 60, 200\r\n\r\n"
          "[Window01]\r\nsize_mm=400,300\r\nposition=2\r\nvisible=0\r\nident=GPS_PANEL\r\n"
          "zorder=3\r\nsizeable=1\r\nnomenu=0\r\n"
          "gauge00=Brack_Radio!GPS, 0, 0, 400, 300\r\n\r\n"
          "[Vcockpit01]\r\nBackground_color=0,0,0\r\nsize_mm=1024,1024\r\n"
          "pixel_size=1024,1024\r\ntexture=$VC01\r\n"
          "gauge00=Kestrel_Flight!Attitude Indicator, 0, 0, 256, 256\r\n");
    Panel panel(host, load_panel_config((dir / "panel/panel.cfg").string()), module_dir);
    const std::vector<std::string>& problems = panel.problems();
    ASSERT_EQ(problems.size(), 8u) << ::testing::PrintToString(problems);
    EXPECT_NE(problems[0].find("the background bitmap of [Window00] cannot be shown "
                               "(Panel_Day.bmp: not found in "),
              std::string::npos)
        << problems[0];
    for (const char* module : {"Kestrel_Flight", "Orrin_Engines", "Brack_Radio", "Pell_Fuel",
                               "Ashgrove_Switches", "Wren_Lights", "Dunmore_Ap"}) {
        size_t told = std::count_if(problems.begin(), problems.end(), [&](const std::string& p) {
            return p.find(std::string("module ") + module + " not found") != std::string::npos;
        });
        EXPECT_EQ(told, 1u) << module;
    }
    EXPECT_NE(problems[1].find(":19: module Kestrel_Flight not found"), std::string::npos)
        << problems[1];
    EXPECT_NE(problems[1].find("3 placements (lines 19, 20 and 46)"), std::string::npos)
        << problems[1];
    EXPECT_EQ(placements(panel), 13u);
    EXPECT_TRUE(find(panel, "Marlow_Instr!Altimeter").instance) << "our own gauge runs";
    EXPECT_EQ(panel.windows()[0].width, 1600);
    EXPECT_GE(panel.windows()[0].height, 560) << "no bitmap: what its gauges span";
    const PlacedGauge& knob = find(panel, "Wren_Lights!Panel Light Knob");
    EXPECT_GT(knob.width, 0);
    EXPECT_EQ(knob.width, knob.height) << "a placeholder of unknown size is square";
}

// Modules beside the panel file come first, found in any case; a line that names
// only a module places its first gauge; a background BMP in a folder of another
// case is found too.
TEST_F(AircraftPanel, ModulesAndBitmapsBesideThePanelFileAreFoundInAnyCase) {
    fs::copy_file(MARLOW_MODULE_PATH, dir / "panel/marlow_instr.so");
    fs::create_directories(dir / "panel/Bitmaps");
    bmp_files::write_file(
        dir / "panel/Bitmaps/BACK.BMP",
        bmp_files::bmp_file(200, 100, [](uint32_t x, uint32_t) { return x < 100 ? 0u : 1u; },
                            {0x000000, 0x405060}));
    write("panel/panel.cfg", "[Window00]\nsize_mm=400\nfile=bitmaps\\back.bmp\n"
                             "gauge00=MARLOW_INSTR!Registration, 0, 0\n"
                             "gauge01=Marlow_Instr, 0, 40\n");
    Panel panel(host, load_panel_config((dir / "panel/panel.cfg").string()),
                std::vector<std::string>{});
    EXPECT_TRUE(panel.problems().empty()) << ::testing::PrintToString(panel.problems());
    const PlacedWindow& window = panel.windows()[0];
    ASSERT_EQ(window.gauges.size(), 2u);
    ASSERT_TRUE(window.gauges[0].instance);
    EXPECT_EQ(window.gauges[0].instance->name(), "Registration");
    ASSERT_TRUE(window.gauges[1].instance);
    EXPECT_EQ(window.gauges[1].instance->name(), "Registration") << "the module's first gauge";
    ASSERT_TRUE(window.background);
    EXPECT_EQ(window.height, 200) << "400 wide, in the bitmap's proportions";
    EXPECT_EQ(window.background->at(150, 50), 0xFF405060u);
}

// Aircraft copied from the simulator place XML gauges (a folder of them, or a
// cabinet file) and modules built for Windows by the same Module!Gauge names: each
// is told for what it is, found in the panel's folder or a module folder; a module
// of ours wins over a Windows copy of it.
TEST_F(AircraftPanel, GaugesOfOtherKindsAreToldForWhatTheyAre) {
    fs::create_directories(dir / "panel/Xml_Clock");
    write("panel/Xml_Clock/Clock.xml", "<Gauge/>");
    write("panel/Marlow_Instr.gau", "MZ");
    fs::create_directories(dir / "gauges");
    write("gauges/FUEL_XML.CAB", "MSCF");
    write("gauges/Pell_Fuel.gau", "MZ");
    write("panel/panel.cfg", "[Window00]\nsize_mm=600,200\n"
                             "gauge00=xml_clock!Clock, 0, 0, 100\n"
                             "gauge01=Fuel_Xml!Quantity, 100, 0, 100\n"
                             "gauge02=Pell_Fuel!Fuel Selector, 200, 0, 100\n"
                             "gauge03=Marlow_Instr!Registration, 300, 0\n"
                             "gauge04=Dunmore_Ap!Autopilot, 400, 0, 100\n"
                             "gauge05=Xml_Clock!Timer, 500, 0, 100\n");
    const fs::path modules = fs::path(MARLOW_MODULE_PATH).parent_path();
    Panel panel(host, load_panel_config((dir / "panel/panel.cfg").string()),
                std::vector<std::string>{(dir / "gauges").string(), modules.string()});
    const std::vector<std::string>& problems = panel.problems();
    ASSERT_EQ(problems.size(), 4u) << ::testing::PrintToString(problems);
    const std::string panel_dir = (dir / "panel").string(), gauges_dir = (dir / "gauges").string();
    EXPECT_EQ(problems[0], (dir / "panel/panel.cfg").string() +
                               ":3: xml_clock is a folder of XML gauges (" + panel_dir +
                               "/Xml_Clock), which this host cannot run: 2 placements (lines 3 "
                               "and 8) drawn as placeholders");
    EXPECT_NE(problems[1].find(":4: FUEL_XML.CAB holds XML gauges (" + gauges_dir +
                               "/FUEL_XML.CAB), which this host cannot run: 1 placement"),
              std::string::npos)
        << problems[1];
    EXPECT_NE(problems[2].find(":5: Pell_Fuel.gau (" + gauges_dir +
                               "/Pell_Fuel.gau) is a module for Windows; this host loads "
                               "Pell_Fuel.so, the module built for Linux: 1 placement"),
              std::string::npos)
        << problems[2];
    EXPECT_NE(problems[3].find(":7: module Dunmore_Ap not found (Dunmore_Ap.so is in none of "
                               "these folders: " +
                               panel_dir + " (the panel's), " + gauges_dir + ", " +
                               modules.string() + ")"),
              std::string::npos)
        << problems[3];
    EXPECT_EQ(find(panel, "xml_clock!Clock").missing, "XML gauge");
    EXPECT_EQ(find(panel, "Fuel_Xml!Quantity").missing, "XML gauge");
    EXPECT_EQ(find(panel, "Pell_Fuel!Fuel Selector").missing, "Windows module");
    EXPECT_TRUE(find(panel, "Marlow_Instr!Registration").instance);
}

TEST_F(AircraftPanel, AFolderWithoutItsFilesSaysWhatIsMissing) {
    std::string error;
    EXPECT_FALSE(open_aircraft_folder(dir.string(), 0, error));
    EXPECT_EQ(error, dir.string() + ": no aircraft.cfg in this aircraft folder");

    // A livery may use a panel folder of its own (panel=2: panel.2/).
    write("Aircraft.cfg", "[fltsim.0]\ntitle=A\npanel=2\natc_id=G-ABCD ; the first\n");
    EXPECT_FALSE(open_aircraft_folder(dir.string(), 0, error));
    EXPECT_EQ(error, dir.string() + ": no panel.2/panel.cfg in this aircraft folder");
    fs::create_directories(dir / "Panel.2");
    write("Panel.2/Panel.cfg", "[Window00]\nsize_mm=10,10\n");
    std::optional<AircraftFolder> folder = open_aircraft_folder(dir.string(), 0, error);
    ASSERT_TRUE(folder) << error;
    EXPECT_EQ(folder->atc_id, "G-ABCD");
    EXPECT_EQ(fs::path(folder->panel_file).filename(), "Panel.cfg");
}

// Aircraft that share a panel: a panel.cfg of only [fltsim] alias=Other\panel, the
// path from the folder that holds the aircraft folders, in any case, through
// further aliases; one that leads nowhere or back where it came from says which line.
TEST_F(AircraftPanel, APanelSharedByAliasIsFollowedToTheAircraftThatHasIt) {
    for (const char* folder :
         {"Shared/Panel", "Own/panel", "Third/panel", "Lost/panel", "Loop1/panel", "Loop2/panel"})
        fs::create_directories(dir / folder);
    write("Shared/Panel/panel.cfg", "[Window00]\nsize_mm=100,100\n"
                                    "gauge00=Marlow_Instr!Registration, 0, 0, 100\n");
    write("Own/aircraft.cfg", "\xEF\xBB\xBF[fltsim.0]\r\ntitle=Own\r\natc_id=G-OWNN\r\n");
    write("Own/panel/panel.cfg", "\xEF\xBB\xBF; shares the panel\r\n[FLTSIM]\r\n"
                                 "Alias = shared\\panel ; the shared one\r\n");
    write("Third/panel/panel.cfg", "[fltsim]\nalias=Own\\panel\n");
    write("Lost/panel/panel.cfg", "[fltsim]\nalias=Nowhere\\panel\n");
    write("Loop1/panel/panel.cfg", "[fltsim]\nalias=Loop2\\panel\n");
    write("Loop2/panel/panel.cfg", "\n[fltsim]\nalias=Loop1\\panel\n");

    std::string error;
    std::optional<AircraftFolder> own = open_aircraft_folder((dir / "Own").string(), 0, error);
    ASSERT_TRUE(own) << error;
    EXPECT_EQ(own->livery, "fltsim.0") << "after the byte-order mark";
    EXPECT_EQ(own->atc_id, "G-OWNN");
    const fs::path shared = dir / "Shared/Panel/panel.cfg";
    for (const fs::path& file : {fs::path(own->panel_file), dir / "Third/panel/panel.cfg"}) {
        std::optional<std::string> followed = follow_panel_alias(file.string(), error);
        ASSERT_TRUE(followed) << error;
        EXPECT_TRUE(fs::equivalent(*followed, shared)) << *followed;
    }
    Panel panel(host, load_panel_config(*follow_panel_alias(own->panel_file, error)), module_dir);
    EXPECT_EQ(placements(panel), 1u);
    EXPECT_EQ(follow_panel_alias(shared.string(), error), shared.string()) << "no alias";

    const std::string lost = (dir / "Lost/panel/panel.cfg").string();
    EXPECT_FALSE(follow_panel_alias(lost, error));
    EXPECT_EQ(error, lost + ":2: [fltsim] alias=Nowhere\\panel: no panel.cfg in " +
                         (fs::weakly_canonical(dir) / "Nowhere\\panel").string());
    const std::string loop = (dir / "Loop1/panel/panel.cfg").string();
    EXPECT_FALSE(follow_panel_alias(loop, error));
    EXPECT_EQ(error, loop + ":2: [fltsim] alias=Loop2\\panel leads back to a panel it came from");
}

} // namespace
