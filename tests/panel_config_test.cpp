// Reading panel configuration files: windows, gauges with their parameter strings,
// and bad lines reported by file and line while the rest still loads.
#include "panel_config.hpp"

#include <gtest/gtest.h>

#include <sstream>

using namespace panelhost;

namespace {

PanelConfig read(const std::string& text) {
    std::istringstream in(text);
    return read_panel_config(in, "test.cfg");
}

TEST(PanelConfig, ReadsWindowsAndGauges) {
    PanelConfig config = read(R"([Window Titles]
Window00=Main panel
Window01=Radio stack

[Window00]
size_mm=1024,768
ident=MAIN_PANEL          ; a name of the window table
visible=1
gauge00=Marlow_Instr!Airspeed, 20, 40, 150
gauge01=Marlow_Instr!Torque,  200, 40, 150, 150, 2

[Window01]
size_mm=400,300
ident=50
visible=0
gauge00=Marlow_Instr!Registration, 0, 0, 150, , tD-IMAR r255,g0;b0

[Aircraft]
atc_id=D-IMAR
)");
    EXPECT_TRUE(config.errors.empty()) << config.errors.front();
    ASSERT_EQ(config.windows.size(), 2u);
    const PanelWindow& main = config.windows[0];
    EXPECT_EQ(main.title, "Main panel");
    EXPECT_EQ(main.width, 1024);
    EXPECT_EQ(main.height, 768);
    EXPECT_EQ(main.ident, 0);
    EXPECT_EQ(config.windows[1].ident, 50) << "a window name in any case";
    EXPECT_TRUE(main.visible);
    ASSERT_EQ(main.gauges.size(), 2u);
    EXPECT_EQ(main.gauges[0].module, "Marlow_Instr");
    EXPECT_EQ(main.gauges[0].gauge, "Airspeed");
    EXPECT_EQ(main.gauges[0].x, 20);
    EXPECT_EQ(main.gauges[0].width, 150);
    EXPECT_FALSE(main.gauges[0].height);
    EXPECT_FALSE(main.gauges[0].parameters) << "no fifth comma: no parameter string";
    EXPECT_EQ(main.gauges[1].height, 150);
    EXPECT_EQ(main.gauges[1].parameters, "2");
    EXPECT_EQ(main.gauges[1].line, 10);

    const PanelWindow& radios = config.windows[1];
    EXPECT_EQ(radios.title, "Radio stack");
    EXPECT_EQ(radios.ident, 50);
    EXPECT_FALSE(radios.visible);
    ASSERT_EQ(radios.gauges.size(), 1u);
    EXPECT_FALSE(radios.gauges[0].height) << "an empty height keeps the proportions";
    EXPECT_EQ(radios.gauges[0].parameters, "tD-IMAR r255,g0;b0")
        << "the parameter string keeps its commas and semicolons";
    EXPECT_EQ(config.atc_id, "D-IMAR");
}

TEST(PanelConfig, BadLinesAreReportedAndSkipped) {
    PanelConfig config = read(R"(gauge00=Marlow_Instr!Airspeed, 0, 0, 100
[Window00]
size_mm=1024,zero
ident=NO_SUCH_PANEL
gauge00=Marlow_Instr!Airspeed, 20, 40, 150
gauge01=!Airspeed, 20, 40, 150
gauge02=Marlow_Instr!Airspeed, x, 40, 150
gauge03=Marlow_Instr!Airspeed, 20, 40, -5
gauge04=Marlow_Instr!Airspeed, 20
just some words
[Mystery]
anything=goes
[Window00
gauge05=Marlow_Instr!Vertical_Speed, 200, 40, 150
position=9
background_color=0,300,0
window_pos=0.5
)");
    ASSERT_EQ(config.windows.size(), 1u);
    ASSERT_EQ(config.windows[0].gauges.size(), 1u) << "the good gauge still loads";
    EXPECT_EQ(config.windows[0].gauges[0].gauge, "Airspeed");
    std::vector<std::string> want = {
        "test.cfg:1: line before any [section]",
        "test.cfg:3: size_mm needs a positive width and height, as size_mm=1024,768 (or the "
        "width alone: the height follows the background bitmap)",
        "test.cfg:4: ident NO_SUCH_PANEL is neither a window name nor a number",
        "test.cfg:6: gauge name \"!Airspeed\" is not of the form Module!Gauge",
        "test.cfg:7: gauge position must be two whole numbers",
        "test.cfg:8: gauge width must be a positive whole number",
        "test.cfg:9: a gauge needs Module!Gauge, x, y[, width[, height]][, parameters]",
        "test.cfg:10: expected key=value or [section]",
        "test.cfg:11: section [Mystery] is not one panel files use; its lines are passed over",
        "test.cfg:13: section header without closing ]",
    };
    EXPECT_EQ(config.errors, want);
}

// A panel file as an aircraft's panel folder has it: written on Windows (CRLF, a
// byte-order mark, Windows-1252), with `//` comments, keys in any case, every
// standard window key, sections for other parts of the simulator, short gauge lines
// and a virtual-cockpit panel. None of it is an error.
TEST(PanelConfig, ReadsPanelsAsAircraftFoldersWriteThem) {
    std::string text = "\xEF\xBB\xBF// Panel of the example aircraft\r\n"
                       "[Window Titles]\r\n"
                       "window00=Main Panel\r\n"
                       "Window01=Caf\xE9 \x96 radios\r\n"
                       "\r\n"
                       "[VIEWS]\r\n"
                       "VIEW_FORWARD_WINDOWS=MAIN_PANEL,GPS_PANEL\r\n"
                       "[Default View]\r\n"
                       "X=0\r\n"
                       "[Color]\r\n"
                       "Day=255,255,255\r\n"
                       "[VPainting01]\r\n"
                       "size_mm=512,32\r\n"
                       "\r\n"
                       "[WINDOW00]\r\n"
                       "Background_Color = 16 , 32,48   \r\n"
                       "FILE=Panel_Background.bmp ; the day bitmap\r\n"
                       "file_1024=panel_1024.bmp\r\n"
                       "size_mm\t=\t1024\r\n"
                       "position=7\r\n"
                       "window_pos=0.00, 0.35\r\n"
                       "window_size=1.0,0.65\r\n"
                       "windowsize_ratio=1.000\r\n"
                       "VISIBLE=1\r\n"
                       "ident=MAIN_PANEL // the main panel\r\n"
                       "zorder=2\r\n"
                       "nomenu=0\r\n"
                       "sizeable=1\r\n"
                       "alpha=1\r\n"
                       "transparent=0\r\n"
                       "type=SPECIAL\r\n"
                       "child_3d=1\r\n"
                       "child_1=MAIN_PANEL\r\n"
                       "   gauge00=Marlow_Instr!Airspeed,  20, 40   // at its design size\r\n"
                       "gauge01=Marlow_Instr!Altimeter, 180, 40, 150\r\n"
                       "Gauge01=Some Vendor Gauges!Fuel Selector Knob, 340,40,60,60\r\n"
                       "gauge07=Marlow_Instr!Torque, 500, 40, 150, , 2 ; engine 2\r\n"
                       "gauge08=Marlow_Instr!Registration, 10, 10, 100.0\r\n"
                       "htmlgauge00=Generic/Radios/COM/com.html?Index=1, 0, 600, 300, 80\r\n"
                       "\r\n"
                       "[Window01]\r\n"
                       "size_mm=400,300\r\n"
                       "ident=Radio_Stack_Panel\r\n"
                       "visible=0\r\n"
                       "\r\n"
                       "[Vcockpit01]\r\n"
                       "size_mm=512,512\r\n"
                       "pixel_size=512,512\r\n"
                       "texture=$Panel_1\r\n"
                       "background_color=0,0,0\r\n"
                       "gauge00=Marlow_Instr!Attitude, 0, 0, 256\r\n";
    PanelConfig config = read(text);
    EXPECT_TRUE(config.errors.empty()) << ::testing::PrintToString(config.errors);
    ASSERT_EQ(config.windows.size(), 3u);

    const PanelWindow& main = config.windows[0];
    EXPECT_EQ(main.section, "WINDOW00");
    EXPECT_EQ(main.title, "Main Panel");
    EXPECT_EQ(main.background_color, (PanelColor{16, 32, 48}));
    EXPECT_EQ(main.background_files,
              (std::vector<std::string>{"Panel_Background.bmp", "panel_1024.bmp"}));
    EXPECT_EQ(main.width, 1024);
    EXPECT_EQ(main.height, 0) << "from the background bitmap";
    EXPECT_EQ(main.screen.position, 7);
    EXPECT_EQ(main.screen.position_fraction, (PanelPoint{0, 0.35}));
    EXPECT_EQ(main.screen.size_fraction, (PanelPoint{1, 0.65}));
    EXPECT_EQ(main.screen.size_ratio, 1.0);
    EXPECT_EQ(main.screen.zorder, 2);
    EXPECT_EQ(main.ident, 0);
    EXPECT_TRUE(main.visible);

    ASSERT_EQ(main.gauges.size(), 6u) << "repeated and skipped key numbers, and the newer kind";
    EXPECT_EQ(main.gauges[0].gauge, "Airspeed");
    EXPECT_EQ(main.gauges[0].x, 20);
    EXPECT_EQ(main.gauges[0].y, 40);
    EXPECT_FALSE(main.gauges[0].width) << "no size: the design size";
    EXPECT_EQ(main.gauges[1].width, 150);
    EXPECT_FALSE(main.gauges[1].height);
    EXPECT_EQ(main.gauges[2].key, "gauge01");
    EXPECT_EQ(main.gauges[2].module, "Some Vendor Gauges");
    EXPECT_EQ(main.gauges[2].gauge, "Fuel Selector Knob");
    EXPECT_EQ(main.gauges[3].parameters, "2 ; engine 2") << "the parameter string is the gauge's";
    EXPECT_EQ(main.gauges[4].width, 100);
    EXPECT_EQ(main.gauges[5].kind, "htmlgauge");
    EXPECT_EQ(main.gauges[5].name, "Generic/Radios/COM/com.html?Index=1");
    EXPECT_EQ(main.gauges[5].height, 80);

    EXPECT_EQ(config.windows[1].title, "Caf\xC3\xA9 \xE2\x80\x93 radios")
        << "Windows-1252 as UTF-8";
    EXPECT_FALSE(config.windows[1].visible);

    const PanelWindow& cockpit = config.windows[2];
    EXPECT_TRUE(cockpit.virtual_cockpit);
    EXPECT_EQ(cockpit.title, "$Panel_1");
    EXPECT_EQ(cockpit.pixel_size, (PanelPoint{512, 512}));
    EXPECT_FALSE(cockpit.visible) << "shown only when opened";
    ASSERT_EQ(cockpit.gauges.size(), 1u);
}

// A key or section no panel file uses is told once, however often it stands.
TEST(PanelConfig, UnknownNamesAreToldOnce) {
    PanelConfig config = read(R"([Window00]
size_mm=100,100
colour_depth=16
[Window01]
colour_depth=16
colour_depth=32
[Gremlins]
x=1
[gremlins]
)");
    std::vector<std::string> want = {
        "test.cfg:3: key colour_depth is not one panel files use; passed over (here and wherever "
        "else it stands)",
        "test.cfg:7: section [Gremlins] is not one panel files use; its lines are passed over"};
    EXPECT_EQ(config.errors, want);
}

TEST(PanelConfig, AMissingFileIsOneError) {
    PanelConfig config = load_panel_config("/nonexistent/panel.cfg");
    EXPECT_TRUE(config.windows.empty());
    ASSERT_EQ(config.errors.size(), 1u);
    EXPECT_EQ(config.errors[0], "/nonexistent/panel.cfg: cannot open the panel file");
}

TEST(PanelConfig, WindowNamesHaveTheirNumbers) {
    EXPECT_EQ(window_number_of("RADIO_STACK_PANEL"), 50);
    EXPECT_EQ(window_number_of("ANNUNCIATOR2_PANEL"), 150);
    EXPECT_EQ(window_number_of("OVERHEAD_PANEL"), 250);
    EXPECT_EQ(window_number_of("main_panel"), 0) << "in any case, as panel files write them";
    EXPECT_FALSE(window_number_of("MAIN"));
}

} // namespace
