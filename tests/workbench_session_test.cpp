// The workbench's host side, driven as the server drives it, with a clock the
// tests choose: the real module and the probe module placed from a panel file.
#include "bmp_files.hpp"
#include "fixtures/probe_module.hpp"
#include "key_event_names.hpp"
#include "module_library.hpp"
#include "session_folder.hpp"
#include "workbench/workbench_session.hpp"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

using namespace panelhost;
using nlohmann::json;
namespace fs = std::filesystem;

namespace {

const char* two_windows = R"([Window Titles]
Window00=Main
Window01=Closed

[Window00]
size_mm=500,300
visible=1
gauge00=Marlow_Instr!Airspeed, 0, 0, 200
gauge01=probe_module!Probe, 250, 0, 100, 100

[Window01]
size_mm=100,100
visible=0
gauge00=Marlow_Instr!Vertical_Speed, 0, 0, 100
)";

// Windows placed on the screen, one with a background bitmap and colour, a 3D
// cockpit panel, and gauges this host cannot run.
const char* placed_windows = R"([Window Titles]
Window00=Main
Window01=Radios

[Window00]
size_mm=400,200
position=8
window_size=0.5,0.25
window_size_ratio=0.9
zorder=2
background_color=10,20,250
file=main_background.bmp
gauge00=Marlow_Instr!Airspeed, 0, 0, 200
gauge01=Foreign_Gauges!Fuel Selector, 220, 0, 80, 60

[Window01]
size_mm=300,100
window_pos=0.25,0.1
htmlgauge00=Generic/Radios/COM/com.html?Index=1, 0, 0, 300, 100

[VCockpit01]
size_mm=512,512
pixel_size=512,512
texture=$Panel_1
gauge00=Marlow_Instr!Attitude, 0, 0, 256
)";

// The background: its left half red, its right half black (transparent).
std::vector<uint8_t> half_red_bitmap() {
    return bmp_files::bmp_file(40, 20,
                               [](uint32_t x, uint32_t) { return x < 20 ? 0xFF0000u : 0u; });
}

// A PNG read back as Cairo's ARGB32 pixels.
struct ReadBack {
    std::span<const uint8_t> bytes;
    size_t at = 0;
};

cairo_surface_t* decode_png(std::span<const uint8_t> png) {
    ReadBack source{png};
    return cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* data, unsigned int length) {
            auto* from = static_cast<ReadBack*>(closure);
            if (from->bytes.size() - from->at < length) return CAIRO_STATUS_READ_ERROR;
            std::memcpy(data, from->bytes.data() + from->at, length);
            from->at += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &source);
}

uint32_t pixel_at(cairo_surface_t* surface, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + size_t(y) * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x];
}

// A frame: 4 bytes of little-endian header length, the JSON header, the pictures.
uint32_t header_length(const std::string& frame) {
    EXPECT_GE(frame.size(), 4u);
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= uint32_t(uint8_t(frame[i])) << (8 * i);
    return length;
}

json header_of(const std::string& frame) {
    return json::parse(frame.substr(4, header_length(frame)));
}

// The bytes of the header's picture `index`: they follow the JSON.
std::string picture_bytes(const std::string& frame, const json& header, size_t index) {
    size_t start = 4 + header_length(frame);
    const json& picture = header["pictures"][index];
    return frame.substr(start + picture["offset"].get<size_t>(), picture["length"].get<size_t>());
}

std::vector<size_t> pictured_gauges(const json& header) {
    std::vector<size_t> ids;
    for (const json& picture : header["pictures"])
        ids.push_back(picture["gauge"]);
    return ids;
}

size_t count_key_events(const json& header, uint32_t event) {
    size_t count = 0;
    for (const json& key : header["keys"])
        count += key["event"] == event;
    return count;
}

class Workbench : public SessionFolder {
  protected:
    Workbench() : SessionFolder("workbench_session_test_", two_windows) {}

    // A session playing the scenario of `scenario_text`, if any.
    WorkbenchSession& open(const std::string& scenario_text = "") {
        return SessionFolder::open(scenario_text.empty() ? ""
                                                         : write("scenario.json", scenario_text));
    }

    // Cycles from `from` to `to` seconds, as often as the server would run them.
    void run(double from, double to) {
        for (double now = from; now <= to + 1e-9; now += 1.0 / 30) {
            session->note_watcher(now);
            session->run_cycle(now);
        }
    }
};

TEST_F(Workbench, DescribesWindowsGaugesMouseAreasVariablesAndFailures) {
    json layout = open().layout();
    ASSERT_EQ(layout["windows"].size(), 2u);
    EXPECT_EQ(layout["windows"][0]["title"], "Main");
    EXPECT_EQ(layout["windows"][0]["gauges"], json({0, 1}));
    EXPECT_EQ(layout["windows"][1]["gauges"], json({2}));

    const json& airspeed = layout["gauges"][0];
    EXPECT_EQ(airspeed["name"], "Airspeed");
    EXPECT_EQ(airspeed["width"], 200);
    EXPECT_NEAR(airspeed["scale_x"].get<double>(), 200.0 / 300, 1e-12);
    EXPECT_EQ(airspeed["mouse"][0]["tip"], "Airspeed indicator (knots)");

    const json& probe = layout["gauges"][1]["mouse"];
    ASSERT_EQ(probe.size(), 3u);
    EXPECT_EQ(probe[0]["tip"], "Probe gauge"); // the tooltip text before the help id
    EXPECT_EQ(probe[1]["cursor"], "hand");
    EXPECT_TRUE(probe[1]["tip"].is_null()); // the page takes the enclosing area's
    EXPECT_EQ(probe[2]["box"], json({10.0, 0.0, 10.0, 10.0}));
    EXPECT_EQ(probe[2]["cursor"], "up");
    EXPECT_EQ(probe[2]["repeat"], true);
    EXPECT_EQ(probe[2]["right"], true);
    EXPECT_EQ(probe[2]["key_event"], "KEY_0x10100");

    json airspeed_failure;
    for (const json& failure : layout["failures"])
        if (failure["key"] == 3) airspeed_failure = failure;
    EXPECT_EQ(airspeed_failure["name"], "Pitot-static system");
    EXPECT_EQ(airspeed_failure["gauges"], json({"Airspeed", "Vertical_Speed"}));
    EXPECT_EQ(airspeed_failure["uses"],
              json({"Airspeed: needle 2 reads 0", "Vertical_Speed: needle 2 reads 0"}));
    json first_variable = layout["variables"][0];
    EXPECT_EQ(first_variable["name"], "AIRSPEED");
    EXPECT_EQ(first_variable["group"], "Flight");
    EXPECT_EQ(first_variable["range"], json({0, 450}));
}

TEST_F(Workbench, FramesCarryOnlyThePicturesThatChangedSinceTheLastOne) {
    open();
    session->run_cycle(0);
    EXPECT_TRUE(header_of(session->frame(0))["pictures"].empty()); // nobody watching yet

    run(0.1, 0.1);
    std::string first = session->frame(0);
    json header = header_of(first);
    EXPECT_EQ(pictured_gauges(header), (std::vector<size_t>{0, 1})); // window 1 is closed
    EXPECT_EQ(header["windows"], json({true, false}));
    EXPECT_EQ(header["pictures"][0]["width"], 200);
    EXPECT_EQ(picture_bytes(first, header, 0).substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(picture_bytes(first, header, 1).substr(1, 3), "PNG");

    uint64_t seen = session->sequence();
    run(0.2, 0.2);
    EXPECT_TRUE(header_of(session->frame(seen))["pictures"].empty());

    session->submit(SetVariable{61, 120});
    run(0.3, 0.3);
    header = header_of(session->frame(seen));
    EXPECT_EQ(pictured_gauges(header), (std::vector<size_t>{0}));
    EXPECT_EQ(header["values"]["61"], 120);

    session->submit(SetZoom{2}); // every picture again, twice the size
    run(0.4, 0.4);
    header = header_of(session->frame(session->sequence() - 1));
    EXPECT_EQ(pictured_gauges(header), (std::vector<size_t>{0, 1}));
    EXPECT_EQ(header["pictures"][0]["width"], 400);
}

// The width of gauge `gauge`'s picture in the frame, or 0 when it has none.
int picture_width(const json& header, size_t gauge) {
    for (const json& picture : header["pictures"])
        if (picture["gauge"] == gauge) return picture["width"];
    return 0;
}

TEST_F(Workbench, EachWindowIsDrawnAtTheLargestZoomThatAPageWatchingItAsks) {
    open();
    // Cycles from `from` to `to` seconds while the given pages ask for frames.
    auto watched_by = [this](std::vector<std::string> pages, double from, double to) {
        for (double now = from; now <= to + 1e-9; now += 1.0 / 30) {
            for (const std::string& page : pages)
                session->note_watcher(now, page);
            session->run_cycle(now);
        }
    };
    // A desktop shows both windows at zoom 1, a tablet window 1 alone at 2.5.
    session->submit(ShowWindow{1, true});
    session->submit(SetZoom{1, 0, "desktop"});
    session->submit(SetZoom{1, 1, "desktop"});
    session->submit(SetZoom{2.5, 1, "tablet"});
    watched_by({"desktop", "tablet"}, 0, 0.5);
    json header = header_of(session->frame(0));
    EXPECT_EQ(header["zooms"], json({1.0, 2.5}));
    EXPECT_EQ(picture_width(header, 0), 200); // the airspeed indicator, 200 units wide
    EXPECT_EQ(picture_width(header, 2), 250); // the vertical speed indicator, 100 wide

    // Edited and saved, the panel keeps its windows: the asks still hold.
    ASSERT_EQ(
        session->edit_placement(R"({"window": "Window00", "gauge": "gauge00", "x": 10})").status,
        200);
    ASSERT_EQ(session->edit_panel("save").status, 200);
    watched_by({"desktop", "tablet"}, 0.6, 0.7);
    EXPECT_EQ(header_of(session->frame(0))["zooms"], json({1.0, 2.5}));

    // The tablet closes: once it has asked for no frame for a while, window 1 is
    // drawn anew at the desktop's zoom.
    uint64_t seen = session->sequence();
    watched_by({"desktop"}, 0.8, 0.8 + PageZooms::live_seconds + 0.1);
    header = header_of(session->frame(seen));
    EXPECT_EQ(header["zooms"], json({1.0, 1.0}));
    EXPECT_EQ(picture_width(header, 2), 100);
    EXPECT_EQ(picture_width(header, 0), 0) << "window 0 is drawn as it was";

    // A panel file whose windows are numbered anew: the asks by number go, and the
    // pages ask again for the windows as they are now numbered.
    session->submit(SetZoom{2.5, 1, "tablet"});
    watched_by({"desktop", "tablet"}, 5, 5.1);
    ASSERT_EQ(header_of(session->frame(0))["zooms"], json({1.0, 2.5}));
    fs::file_time_type before = fs::last_write_time(dir / "panel.cfg");
    write("panel.cfg", std::string("[Window02]\nsize_mm=100,100\n") + two_windows);
    fs::last_write_time(dir / "panel.cfg", before + std::chrono::seconds(1));
    watched_by({"desktop", "tablet"}, 6, 6.1);
    ASSERT_EQ(session->layout()["windows"][0]["section"], "Window02");
    for (size_t window : {0, 1, 2})
        session->submit(SetZoom{1, window, "desktop"});
    session->submit(SetZoom{2.5, 2, "tablet"});
    watched_by({"desktop", "tablet"}, 6.2, 6.3);
    EXPECT_EQ(header_of(session->frame(0))["zooms"], json({1.0, 1.0, 2.5}));
}

TEST_F(Workbench, ChecksCommandsAgainstThePanelItWasPlacedFrom) {
    open();
    uint64_t layout = session->layout_number();
    EXPECT_EQ(session->check(MousePress{layout, 2, 1, 1, false}), "");
    EXPECT_EQ(session->check(MousePress{layout, 3, 1, 1, false}), "there is no gauge number 3");
    EXPECT_EQ(session->check(MousePress{layout + 1, 0, 1, 1, false}),
              "the panel has been placed anew since the page read it: read the layout again");
    EXPECT_EQ(session->check(SetVariable{61, 1}), "");
    EXPECT_EQ(session->check(SetVariable{9999, 1}), "variable 9999 is not one the gauges read");
}

TEST_F(Workbench, AHeldButtonRepeatsAfter300MsThenEvery100MsUntilReleased) {
    open();
    run(0, 0);
    uint64_t start = session->sequence();
    session->submit(MousePress{session->layout_number(), 1, 15, 5, false});
    run(1.0, 1.29);
    EXPECT_EQ(count_key_events(header_of(session->frame(start)), probe_area_key_event), 1u);
    run(1.31, 1.52); // 300, 400 and 500 ms
    EXPECT_EQ(count_key_events(header_of(session->frame(start)), probe_area_key_event), 4u);
    session->submit(MouseRelease{});
    run(1.55, 2.0);
    EXPECT_EQ(count_key_events(header_of(session->frame(start)), probe_area_key_event), 4u);

    json keys = header_of(session->frame(start))["keys"];
    EXPECT_EQ(keys.back()["name"], key_event_name(probe_area_key_event));

    // The hand area calls the gauge's own callback, once: it does not repeat. (The
    // session runs a copy of the module file: its log is the copy's.)
    std::string error;
    std::unique_ptr<ModuleLibrary> library =
        open_module_library(session->host().find_module("probe_module")->path(), error);
    ASSERT_TRUE(library) << error;
    auto* log = static_cast<ProbeLog*>(library->symbol("ProbeLog_"));
    ASSERT_TRUE(log);
    uint32_t clicks = log->clicks;
    session->submit(MousePress{session->layout_number(), 1, 5, 5, false});
    run(2.1, 3.0);
    EXPECT_EQ(log->clicks, clicks + 1);
    EXPECT_EQ(log->click_x, 5);
}

TEST_F(Workbench, PlaysTheScenarioAndAHandSetValueHoldsUntilItsNextPoint) {
    open(R"({"duration": 10, "loop": true, "timeline": [
        {"t": 0, "set": {"61": 0}}, {"t": 10, "set": {"61": 100}},
        {"t": 1, "fail": [3]},
        {"t": 2, "click": {"gauge": "Probe", "x": 15, "y": 5}},
        {"t": 3, "click": {"gauge": "Nowhere", "x": 0, "y": 0}}]})");
    run(0, 0.5);
    EXPECT_NEAR(session->host().simulation().get(61), 5, 0.5);
    session->submit(SetVariable{61, 50});
    run(0.55, 1.5);
    EXPECT_EQ(session->host().simulation().get(61), 50);
    EXPECT_TRUE(session->host().simulation().failure_active(3));
    run(1.55, 3.5);
    json header = header_of(session->frame(0));
    EXPECT_EQ(count_key_events(header, probe_area_key_event), 1u);
    EXPECT_EQ(header["problems"].back(),
              (dir / "scenario.json").string() + " entry 5: no gauge Nowhere is placed");
    EXPECT_EQ(header["scenario"]["playing"], true);

    session->submit(ScenarioControl{ScenarioControl::Action::Pause, 0});
    run(3.55, 4.0);
    double time = session->player().time();
    session->submit(ScenarioControl{ScenarioControl::Action::Step, 2});
    run(4.05, 4.05);
    EXPECT_DOUBLE_EQ(session->player().time(), time + 2);
    session->submit(ScenarioControl{ScenarioControl::Action::Restart, 0});
    run(4.1, 4.1);
    EXPECT_EQ(session->player().time(), 0);
    EXPECT_EQ(session->host().simulation().get(61), 0); // the hold ends with a restart
}

// What the pilot sets through a gauge holds against a playing scenario: the
// altimeter's knob turned while the scenario ramps the pressure setting keeps the
// pilot's setting until the scenario's next entry for it; and a scenario click that
// says which state it wants leaves a COM switched on by hand on.
TEST_F(Workbench, WhatThePilotSetsThroughAGaugeHoldsAndScenarioSwitchesSayTheirState) {
    write("panel.cfg", "[Window00]\nsize_mm=700,300\nvisible=1\n"
                       "gauge00=Marlow_Instr!Altimeter, 0, 0, 300\n"
                       "gauge01=Marlow_Instr!Becker_AR3202_COM1, 300, 0\n");
    open(R"({"duration": 20, "timeline": [
        {"t": 0, "set": {"75": 1000}}, {"t": 8, "set": {"75": 1016}},
        {"t": 12, "set": {"75": 1020}},
        {"t": 2, "click": {"gauge": "Becker_AR3202_COM1", "x": 100, "y": 85, "switch": "on"}},
        {"t": 3, "click": {"gauge": "Becker_AR3202_COM1", "x": 100, "y": 85, "switch": "off"}},
        {"t": 4, "click": {"gauge": "Becker_AR3202_COM1", "x": 100, "y": 85, "switch": "off"}}]})");
    Simulation& sim = session->host().simulation();
    auto com_on = [&] { // the COM's lamp (its 9th element) shows while it is on
        return session->host().instances()[1]->elements()[8].icon.has_value();
    };
    run(0, 1);
    EXPECT_NEAR(sim.get(75), 1002, 0.2);
    session->submit(MousePress{session->layout_number(), 1, 100, 85, false}); // COM on by hand
    session->submit(MouseRelease{});
    for (int step = 0; step < 5; ++step) { // the knob's right half: setting up
        session->submit(MousePress{session->layout_number(), 0, 268, 250, false});
        session->submit(MouseRelease{});
        session->run_input(1.0 + step * 0.01);
    }
    const double set_by_hand = sim.get(75);
    EXPECT_GT(set_by_hand, 1004);
    EXPECT_TRUE(com_on());
    run(1.05, 2.5);
    EXPECT_TRUE(com_on()) << "the scenario wants it on: not clicked";
    EXPECT_EQ(sim.get(75), set_by_hand) << "held against the ramp";
    run(2.55, 3.5);
    EXPECT_FALSE(com_on()) << "the scenario wants it off: clicked";
    run(3.55, 4.5);
    EXPECT_FALSE(com_on()) << "already off: not clicked again";
    run(4.55, 8.5);
    EXPECT_NEAR(sim.get(75), 1016.5, 0.5) << "the scenario's next entry takes over";
}

TEST_F(Workbench, ReloadsAChangedPanelFileAndKeepsTheSimulatorStateAndOpenWindows) {
    open();
    session->submit(SetVariable{61, 77});
    session->submit(SetFailure{6, true});
    session->submit(ShowWindow{0, false}); // the designer closed the main window
    session->submit(ShowWindow{1, true});  // and opened the closed one
    run(0, 0.1);
    fs::file_time_type before = fs::last_write_time(dir / "panel.cfg");
    write("panel.cfg", "[Window00]\nsize_mm=300,300\ngauge00=Marlow_Instr!Airspeed, 0, 0, 300\n"
                       "gauge01=Marlow_Instr!Airspeed, 0\n"
                       "[Window01]\nsize_mm=100,100\nvisible=0\n"
                       "gauge00=Marlow_Instr!Vertical_Speed, 0, 0, 100\n");
    fs::last_write_time(dir / "panel.cfg", before + std::chrono::seconds(1));
    run(1.0, 1.1);
    EXPECT_EQ(session->layout_number(), 2u);
    json layout = session->layout();
    ASSERT_EQ(layout["gauges"].size(), 2u);
    EXPECT_EQ(layout["gauges"][0]["width"], 300);
    json header = header_of(session->frame(0));
    EXPECT_EQ(header["windows"], json({false, true})) << "as the designer left them";
    EXPECT_EQ(header["problems"][0],
              (dir / "panel.cfg").string() +
                  ":4: a gauge needs Module!Gauge, x, y[, width[, height]][, parameters]");
    EXPECT_EQ(session->host().simulation().get(61), 77);
    EXPECT_TRUE(session->host().simulation().failure_active(6));
    EXPECT_EQ(session->host().instances().size(), 2u); // the old gauges are gone
}

TEST_F(Workbench, HandsOutTheModulesWaveResources) {
    open();
    std::span<const uint8_t> wave = session->wave("Marlow_Instr", 30);
    ASSERT_GT(wave.size(), 44u);
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_TRUE(session->wave("Marlow_Instr", 31).empty());
    EXPECT_TRUE(session->wave("No_Module", 30).empty());
}

TEST_F(Workbench, FramesNameTheClickSoundsTheGaugesPlayed) {
    write("panel.cfg", R"([Window00]
size_mm=400,200
gauge00=Marlow_Instr!Becker_AR3202_COM1, 0, 0, 350
)");
    open();
    run(0, 0);
    uint64_t start = session->sequence();
    session->submit(MousePress{session->layout_number(), 0, 100, 85, false}); // ON
    session->submit(MouseRelease{});
    run(0.1, 0.2);

    json sounds = header_of(session->frame(start))["sounds"];
    ASSERT_EQ(sounds.size(), 1u) << sounds;
    EXPECT_EQ(sounds[0]["module"], "Marlow_Instr");
    EXPECT_EQ(sounds[0]["wave"], 30);
    // A page that has just come does not hear clicks from before it came.
    EXPECT_TRUE(header_of(session->frame(0))["sounds"].empty());

    // The COM off again, as the tests after this one expect it.
    session->submit(MousePress{session->layout_number(), 0, 100, 85, false});
    session->submit(MouseRelease{});
    run(0.3, 0.4);
}

TEST_F(Workbench, DescribesWhereWindowsSitTheirBackgroundsAndPlaceholders) {
    write("panel.cfg", placed_windows);
    bmp_files::write_file(dir / "main_background.bmp", half_red_bitmap());
    json layout = open().layout();
    ASSERT_EQ(layout["windows"].size(), 3u);

    const json& main = layout["windows"][0];
    EXPECT_EQ(main["section"], "Window00");
    EXPECT_EQ(main["virtual_cockpit"], false);
    EXPECT_EQ(main["screen"], json({{"position", 8},
                                    {"window_pos", nullptr},
                                    {"window_size", {0.5, 0.25}},
                                    {"size_ratio", 0.9},
                                    {"zorder", 2}}));
    EXPECT_EQ(main["background_color"], "#0a14fa");
    EXPECT_EQ(main["background"], "/api/window/0/background.png?layout=1");

    const json& radios = layout["windows"][1];
    EXPECT_EQ(radios["screen"], json({{"position", nullptr},
                                      {"window_pos", {0.25, 0.1}},
                                      {"window_size", nullptr},
                                      {"size_ratio", nullptr},
                                      {"zorder", 0}}));
    EXPECT_EQ(radios["background_color"], nullptr);
    EXPECT_EQ(radios["background"], nullptr);

    const json& cockpit = layout["windows"][2];
    EXPECT_EQ(cockpit["section"], "VCockpit01");
    EXPECT_EQ(cockpit["title"], "$Panel_1");
    EXPECT_EQ(cockpit["virtual_cockpit"], true);
    EXPECT_EQ(cockpit["gauges"], json({3}));

    const json& gauges = layout["gauges"];
    ASSERT_EQ(gauges.size(), 4u);
    EXPECT_FALSE(gauges[0].contains("placeholder"));
    EXPECT_EQ(gauges[1]["placeholder"],
              json({{"label", "Foreign_Gauges!Fuel Selector"}, {"missing", "module not found"}}));
    EXPECT_EQ(gauges[1]["name"], "");
    EXPECT_EQ(gauges[1]["mouse"], json::array());
    EXPECT_EQ(gauges[1]["x"], 220);
    EXPECT_EQ(gauges[1]["height"], 60);
    EXPECT_EQ(gauges[2]["placeholder"], json({{"label", "Generic/Radios/COM/com.html?Index=1"},
                                              {"missing", "a newer kind of gauge"}}));
}

TEST_F(Workbench, EncodesEachWindowsBackgroundOnceAsPng) {
    write("panel.cfg", placed_windows);
    bmp_files::write_file(dir / "main_background.bmp", half_red_bitmap());
    open();
    std::span<const uint8_t> png = session->background_png(0);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin(), png.begin() + 4), "\x89PNG");
    EXPECT_EQ(session->background_png(0).data(), png.data()); // the same bytes every time
    run(0, 0.2);
    EXPECT_EQ(session->background_png(0).data(), png.data());

    cairo_surface_t* picture = decode_png(png);
    ASSERT_EQ(cairo_surface_status(picture), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(picture), 40);
    EXPECT_EQ(cairo_image_surface_get_height(picture), 20);
    EXPECT_EQ(pixel_at(picture, 5, 10), 0xFFFF0000u);
    EXPECT_EQ(pixel_at(picture, 30, 10), 0u); // black is transparent
    cairo_surface_destroy(picture);

    EXPECT_TRUE(session->background_png(1).empty());
    EXPECT_TRUE(session->background_png(3).empty());
}

TEST_F(Workbench, OpensAndClosesWindowsAsThePageAsks) {
    write("panel.cfg", placed_windows);
    open();
    run(0, 0.1);
    json header = header_of(session->frame(0));
    EXPECT_EQ(header["windows"], json({true, true, false})); // the cockpit panel starts closed
    EXPECT_EQ(pictured_gauges(header), (std::vector<size_t>{0}));

    EXPECT_EQ(session->check(ShowWindow{2, true}), "");
    EXPECT_EQ(session->check(ShowWindow{3, true}), "there is no window number 3 (the panel has 3)");
    uint64_t seen = session->sequence();
    session->submit(ShowWindow{2, true});
    session->submit(ShowWindow{0, false});
    run(0.2, 0.2);
    header = header_of(session->frame(seen));
    EXPECT_EQ(header["windows"], json({false, true, true}));
    EXPECT_EQ(pictured_gauges(header), (std::vector<size_t>{3})); // the cockpit's attitude

    // A window with a number opens and closes through the simulation's window state,
    // as the gauges' toggles do.
    session.reset();
    write("panel.cfg", "[Window00]\nsize_mm=100,100\nident=30\nvisible=0\n"
                       "gauge00=Marlow_Instr!Airspeed, 0, 0, 100\n");
    open();
    session->submit(ShowWindow{0, true});
    run(0, 0.1);
    EXPECT_TRUE(session->host().simulation().window_visible(30));
    EXPECT_EQ(header_of(session->frame(0))["windows"], json({true}));
}

TEST_F(Workbench, PlaceholdersAreNeitherDrawnNorPressedNorClicked) {
    write("panel.cfg", placed_windows);
    open(R"({"duration": 10, "timeline": [
        {"t": 0.1, "click": {"gauge": "Fuel Selector", "x": 5, "y": 5}}]})");
    uint64_t layout = session->layout_number();
    EXPECT_EQ(session->check(MousePress{layout, 0, 1, 1, false}), "");
    EXPECT_EQ(session->check(MousePress{layout, 1, 1, 1, false}),
              "gauge 1 (Foreign_Gauges!Fuel Selector) is a placeholder: module not found, "
              "nothing to press");
    // Submitted all the same (as after a panel placed anew), a press is passed over.
    session->submit(MousePress{layout, 2, 1, 1, false});
    session->submit(ShowWindow{2, true});
    run(0, 0.5);
    json header = header_of(session->frame(0));
    EXPECT_EQ(pictured_gauges(header), (std::vector<size_t>{0, 3}));
    EXPECT_EQ(header["problems"].back(),
              (dir / "scenario.json").string() + " entry 1: no gauge Fuel Selector is placed");
    EXPECT_TRUE(header["keys"].empty());
    run(0.55, 1.6); // a second of cycles: the figures are made
    EXPECT_GT(session->stats().cycle_ms, 0);
}

} // namespace
