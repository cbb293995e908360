// Editing a panel file's text as the workbench does: each edit changes only the lines
// it concerns, in their own style, keeps every other byte, and reads back through
// read_panel_config as the placement asked for.
#include "panel_config.hpp"
#include "panel_edit.hpp"
#include "text_case.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <ostream>
#include <sstream>

using namespace panelhost;

namespace {

// A panel file as Windows editors leave it: a byte-order mark, CRLF, comments of
// each kind, a Windows-1252 title, gauge lines of several styles and a section
// without gauges.
const std::string panel = "\xEF\xBB\xBF// Panel of the test aircraft\r\n"
                          "[Window Titles]\r\n"
                          "Window00=Haupttafel \x96 Motoren\r\n"
                          "Window01=Funkger\xE4te\r\n"
                          "\r\n"
                          "[Window00]\r\n"
                          "size_mm=1024,768\r\n"
                          "# the engine gauges\r\n"
                          "gauge00=Marlow_Instr!Airspeed, 20, 40, 150\r\n"
                          "gauge01=Marlow_Instr!Torque,  200, 40, 150, 150, 2\r\n"
                          "gauge02=Marlow_Instr!Altimeter, 360, 40     ; at its design size\r\n"
                          "gauge04=Marlow_Instr!Registration, 10, 20, , , tD-IMAR r255,g0;b0\r\n"
                          "\r\n"
                          "// the radios\r\n"
                          "[Window01]\r\n"
                          "size_mm=400,300\r\n"
                          "Gauge00 = Marlow_Instr!Com,\t0,\t0\r\n"
                          "Gauge03 = Marlow_Instr!Nav,\t0,\t100\r\n"
                          "visible=1\r\n"
                          "\r\n"
                          "[VCockpit01]\r\n"
                          "size_mm=512,512\r\n"
                          "texture=$Panel_1\r\n"
                          "; no gauges yet\r\n";

PanelConfig read(const std::string& text) {
    std::istringstream in(text);
    return read_panel_config(in, "test.cfg");
}

// A gauge as the reader gives it, with its window.
struct Placed {
    std::string window, key, name;
    int x = 0, y = 0;
    std::optional<int> width, height;
    std::optional<std::string> parameters;
    bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& placed) {
    auto number = [](const std::optional<int>& n) { return n ? std::to_string(*n) : "-"; };
    return out << "[" << placed.window << "] " << placed.key << "=" << placed.name << " "
               << placed.x << "," << placed.y << "," << number(placed.width) << ","
               << number(placed.height) << " " << placed.parameters.value_or("(none)");
}

std::vector<Placed> placements(const std::string& text) {
    std::vector<Placed> out;
    for (const PanelWindow& window : read(text).windows)
        for (const PanelGauge& gauge : window.gauges)
            out.push_back({window.section, gauge.key, gauge.name, gauge.x, gauge.y, gauge.width,
                           gauge.height, gauge.parameters});
    return out;
}

Placed& placed(std::vector<Placed>& all, const std::string& window, const std::string& key) {
    auto it = std::find_if(all.begin(), all.end(),
                           [&](const Placed& p) { return p.window == window && p.key == key; });
    if (it == all.end()) throw std::runtime_error("no " + key + " in " + window);
    return *it;
}

// The text's lines, each with its line ending.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t next = std::min(text.find('\n', start), text.size() - 1) + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

// The lines one text has and the other has not, compared line by line (endings
// included) along their longest common run of lines.
struct Difference {
    std::vector<std::string> gone, came;
};

Difference difference(const std::string& before, const std::string& after) {
    std::vector<std::string> a = lines_of(before), b = lines_of(after);
    std::vector<std::vector<size_t>> common(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = a.size(); i-- > 0;)
        for (size_t j = b.size(); j-- > 0;)
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1
                                        : std::max(common[i + 1][j], common[i][j + 1]);
    Difference out;
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j])
            ++i, ++j;
        else if (j == b.size() || (i < a.size() && common[i + 1][j] >= common[i][j + 1]))
            out.gone.push_back(a[i++]);
        else
            out.came.push_back(b[j++]);
    }
    return out;
}

using Lines = std::vector<std::string>;

TEST(PanelEdit, AChangeRewritesOnlyTheNumbersThatChange) {
    PanelEdit edit = change_placement(panel, "window00", "GAUGE01", {.x = 210, .height = 160});
    ASSERT_EQ(edit.error, "");
    EXPECT_EQ(edit.key, "gauge01");
    Difference changed = difference(panel, edit.text);
    EXPECT_EQ(changed.gone, Lines{"gauge01=Marlow_Instr!Torque,  200, 40, 150, 150, 2\r\n"});
    EXPECT_EQ(changed.came, Lines{"gauge01=Marlow_Instr!Torque,  210, 40, 150, 160, 2\r\n"});

    std::vector<Placed> want = placements(panel);
    placed(want, "Window00", "gauge01").x = 210;
    placed(want, "Window00", "gauge01").height = 160;
    EXPECT_EQ(placements(edit.text), want);
    EXPECT_EQ(read(edit.text).windows[0].title, "Haupttafel \xE2\x80\x93 Motoren");
}

// Each line in a file of its own, changed; the line as it must read afterwards (a
// comment the parameter string pushes off the line goes on a line above it).
TEST(PanelEdit, ChangedLinesKeepTheirOwnStyle) {
    // The change as plain fields (a table of PlacementChange trips GCC 12's
    // maybe-uninitialized warning on its optional string).
    struct Case {
        std::string line;
        std::optional<int> x, y, width, height;
        const char* parameters = nullptr;
        std::string want;
        PlacementChange change() const {
            return {x, y, width, height,
                    parameters ? std::optional<std::string>(parameters) : std::nullopt};
        }
    };
    const std::string design = "gauge00=M!G, 20, 40     ; at its design size";
    const std::vector<Case> cases = {
        {.line = design, .width = 150, .want = "gauge00=M!G, 20, 40, 150     ; at its design size"},
        {.line = design,
         .height = 90,
         .want = "gauge00=M!G, 20, 40, , 90     ; at its design size"},
        {.line = design,
         .width = 150,
         .height = 90,
         .want = "gauge00=M!G, 20, 40, 150, 90     ; at its design size"},
        {.line = design,
         .parameters = "2",
         .want = "; at its design size\ngauge00=M!G, 20, 40, , , 2"},
        {.line = "gauge00=M!G,20,40,150", .height = 90, .want = "gauge00=M!G,20,40,150,90"},
        {.line = "gauge00=M!G, 20, 40", .parameters = "2", .want = "gauge00=M!G, 20, 40, , , 2"},
        {"gauge00=M!G, 20, 40", 1, 2, 3, 4, "p", "gauge00=M!G, 1, 2, 3, 4, p"},
        {.line = "gauge00=M!G, 20, 40, 150",
         .parameters = " a, b ",
         .want = "gauge00=M!G, 20, 40, 150, , a, b"},
        {.line = "gauge04=M!G, 10, 20, , , params",
         .width = 150,
         .want = "gauge04=M!G, 10, 20, 150, , params"},
        {.line = "gauge01=M!Torque,  200, 40, 150, 150, 2 ; engine 2",
         .parameters = "r255,g0;b0",
         .want = "gauge01=M!Torque,  200, 40, 150, 150, r255,g0;b0"},
        {.line = "  Gauge00\t=\tM!G,\t10.0,\t20 // left",
         .y = 30,
         .want = "  Gauge00\t=\tM!G,\t10.0,\t30 // left"},
        {.line = "gauge00=M!G, 20.0, 40, 150, , 2",
         .x = 20,
         .width = 150,
         .parameters = "2",
         .want = "gauge00=M!G, 20.0, 40, 150, , 2"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.line);
        const std::string head = "[Window00]\n", tail = "\ngauge09=M!Other, 0, 0\n";
        const std::string key = trim(each.line.substr(0, each.line.find('=')));
        PanelEdit edit = change_placement(head + each.line + tail, "Window00", key, each.change());
        ASSERT_EQ(edit.error, "");
        EXPECT_EQ(edit.text, head + each.want + tail);

        std::vector<Placed> want = placements(head + each.line + tail);
        Placed& gauge = want[0];
        gauge.x = each.x.value_or(gauge.x);
        gauge.y = each.y.value_or(gauge.y);
        if (each.width) gauge.width = each.width;
        if (each.height) gauge.height = each.height;
        if (each.parameters) gauge.parameters = trim(each.parameters); // the reader trims it
        EXPECT_EQ(placements(edit.text), want);
    }
}

TEST(PanelEdit, AnAddedGaugeFollowsTheSectionsLastGaugeLineWithTheNextKey) {
    struct Case {
        std::string window;
        NewPlacement placement;
        std::string key, line, after;
    };
    const std::vector<Case> cases = {
        {"Window00",
         {"Marlow_Instr!Clock", 500, 40, 100, std::nullopt, std::nullopt},
         "gauge05",
         "gauge05=Marlow_Instr!Clock, 500, 40, 100\r\n",
         "gauge04=Marlow_Instr!Registration, 10, 20, , , tD-IMAR r255,g0;b0\r\n"},
        {"WINDOW01",
         {"Marlow_Instr!Adf", 0, 200, std::nullopt, std::nullopt, "2"},
         "Gauge04",
         "Gauge04 = Marlow_Instr!Adf,\t0,\t200,\t,\t,\t2\r\n",
         "Gauge03 = Marlow_Instr!Nav,\t0,\t100\r\n"},
        {"vcockpit01",
         {"Marlow_Instr!Attitude", -10, 0, std::nullopt, 256, std::nullopt},
         "gauge00",
         "gauge00=Marlow_Instr!Attitude, -10, 0, , 256\r\n",
         "texture=$Panel_1\r\n"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.window);
        PanelEdit edit = add_placement(panel, each.window, each.placement);
        ASSERT_EQ(edit.error, "");
        EXPECT_EQ(edit.key, each.key);
        Difference lines_added = difference(panel, edit.text);
        EXPECT_TRUE(lines_added.gone.empty());
        EXPECT_EQ(lines_added.came, Lines{each.line});
        Lines lines = lines_of(edit.text);
        auto at = std::find(lines.begin(), lines.end(), each.line);
        ASSERT_NE(at, lines.begin());
        EXPECT_EQ(*std::prev(at), each.after);

        // The new gauge, as asked for, besides the others as they were.
        std::vector<Placed> got = placements(edit.text);
        const NewPlacement& p = each.placement;
        std::string window;
        for (const PanelWindow& shown : read(panel).windows)
            if (lower(shown.section) == lower(each.window)) window = shown.section;
        Placed added = placed(got, window, lower(each.key));
        EXPECT_EQ(added, (Placed{window, lower(each.key), p.name, p.x, p.y, p.width, p.height,
                                 p.parameters}));
        got.erase(std::find(got.begin(), got.end(), added));
        EXPECT_EQ(got, placements(panel));
    }
}

// Written as most of the section's gauge lines are, not as the last one (a line
// moved in from another window, say).
TEST(PanelEdit, AnAddedLineIsWrittenAsMostOfTheSectionsGaugeLines) {
    const std::string text = "[Window00]\ngauge00=M!A,  1, 2\ngauge01=M!B, 3, 4\n"
                             "  Gauge02 = M!C,\t5,\t6\n";
    PanelEdit edit = add_placement(text, "Window00", {"M!D", 7, 8, 9, {}, {}});
    ASSERT_EQ(edit.error, "");
    EXPECT_EQ(edit.text, text + "gauge03=M!D, 7, 8, 9\n");
}

TEST(PanelEdit, NewKeysCountOnFromTheHighestWithTwoDigitsAtLeast) {
    const std::vector<std::pair<std::string, std::string>> keys = {{"", "gauge02"},
                                                                   {"gauge06", "gauge07"},
                                                                   {"gauge09", "gauge10"},
                                                                   {"gauge99", "gauge100"},
                                                                   {"GAUGE7", "GAUGE08"}};
    for (const auto& [highest, next] : keys) {
        std::string text = "[Window00]\nsize_mm=100\ngauge01=M!A,0,0\n";
        if (!highest.empty()) text += highest + "=M!B,3,4\n";
        text += "htmlgauge40=page.html,0,0\n";
        PanelEdit edit = add_placement(text, "Window00", {"M!C", 1, 2, 30, std::nullopt, "x"});
        ASSERT_EQ(edit.error, "") << highest;
        EXPECT_EQ(edit.key, next);
        EXPECT_EQ(difference(text, edit.text).came, Lines{next + "=M!C,1,2,30,,x\n"})
            << "without blanks after commas, as the section's lines are written";
    }
}

TEST(PanelEdit, ARemovedGaugeLosesOnlyItsLine) {
    PanelEdit edit = remove_placement(panel, "Window00", "gauge02");
    ASSERT_EQ(edit.error, "");
    Difference removed = difference(panel, edit.text);
    EXPECT_EQ(removed.gone,
              Lines{"gauge02=Marlow_Instr!Altimeter, 360, 40     ; at its design size\r\n"});
    EXPECT_TRUE(removed.came.empty());
    std::vector<Placed> want = placements(panel);
    want.erase(want.begin() + 2);
    EXPECT_EQ(placements(edit.text), want) << "no key renumbered";
}

TEST(PanelEdit, AMovedGaugeLeavesOneLineAndArrivesAsOne) {
    PanelEdit edit = move_placement(panel, "Window00", "gauge01", "window01");
    ASSERT_EQ(edit.error, "");
    EXPECT_EQ(edit.key, "Gauge04");
    Difference moved = difference(panel, edit.text);
    EXPECT_EQ(moved.gone, Lines{"gauge01=Marlow_Instr!Torque,  200, 40, 150, 150, 2\r\n"});
    EXPECT_EQ(moved.came, Lines{"Gauge04=Marlow_Instr!Torque,  200, 40, 150, 150, 2\r\n"});
    Lines lines = lines_of(edit.text);
    auto at = std::find(lines.begin(), lines.end(), moved.came[0]);
    EXPECT_EQ(*std::prev(at), "Gauge03 = Marlow_Instr!Nav,\t0,\t100\r\n");

    std::vector<Placed> want = placements(panel);
    Placed torque = want[1];
    want.erase(want.begin() + 1);
    torque.window = "Window01";
    torque.key = "gauge04";
    want.insert(want.begin() + 5, torque);
    EXPECT_EQ(placements(edit.text), want);

    // And into a section without gauges, as its first.
    PanelEdit into_cockpit = move_placement(panel, "Window01", "gauge03", "VCockpit01");
    ASSERT_EQ(into_cockpit.error, "");
    EXPECT_EQ(into_cockpit.key, "Gauge00") << "its own key's case where the section has none";
    EXPECT_EQ(difference(panel, into_cockpit.text).came,
              Lines{"Gauge00 = Marlow_Instr!Nav,\t0,\t100\r\n"});
}

TEST(PanelEdit, RefusedEditsLeaveTheTextAsItWas) {
    struct Case {
        std::function<PanelEdit()> edit;
        std::string error;
    };
    auto change = [](const std::string& window, const std::string& key, PlacementChange to) {
        return [=] { return change_placement(panel, window, key, to); };
    };
    auto add = [](const std::string& name) {
        return [=] { return add_placement(panel, "Window00", {name, 0, 0, {}, {}, {}}); };
    };
    const std::vector<Case> cases = {
        {change("Window07", "gauge00", {.x = 1}), "the panel file has no window [Window07]"},
        {change("Window Titles", "window00", {.x = 1}),
         "the panel file has no window [Window Titles]"},
        {change("Window00", "gauge03", {.x = 1}), "[Window00] has no gauge gauge03"},
        {change("Window00", "size_mm", {.x = 1}), "[Window00] has no gauge size_mm"},
        {change("Window00", "gauge00", {.width = 0}),
         "[Window00] gauge00: width must be from 1 to 32768, not 0"},
        {change("Window00", "gauge00", {.height = -5}),
         "[Window00] gauge00: height must be from 1 to 32768, not -5"},
        {change("Window00", "gauge00", {.x = 32769}),
         "[Window00] gauge00: x must be from -32768 to 32768, not 32769"},
        {change("Window00", "gauge00", {.y = -40000}),
         "[Window00] gauge00: y must be from -32768 to 32768, not -40000"},
        {change("Window00", "gauge00", {.x = std::numeric_limits<int>::min()}),
         "[Window00] gauge00: x must be from -32768 to 32768, not -2147483648"},
        {change("Window00", "gauge00", {.parameters = "a\r\nb"}),
         "[Window00] gauge00: the parameter string must stay on one line"},
        {add("Airspeed"), "[Window00] new gauge: gauge name \"Airspeed\" is not of the form "
                          "Module!Gauge"},
        {add("!Airspeed"), "not of the form Module!Gauge"},
        {add("Marlow_Instr!"), "not of the form Module!Gauge"},
        {add("Marlow,Instr!Airspeed"), "not of the form Module!Gauge"},
        {add("Marlow_Instr !Airspeed"), "not of the form Module!Gauge"},
        {[] {
             return add_placement(panel, "Window00", {"M!G", 0, 0, 10, 0, {}});
         },
         "[Window00] new gauge: height must be from 1 to 32768, not 0"},
        {[] {
             return add_placement(panel, "Window09", {"M!G", 0, 0, {}, {}, {}});
         },
         "the panel file has no window [Window09]"},
        {[] { return remove_placement(panel, "Window01", "gauge01"); },
         "[Window01] has no gauge gauge01"},
        {[] { return remove_placement(panel, "Window01", " "); }, "No key is given"},
        {[] { return move_placement(panel, "Window00", "gauge00", "WINDOW00"); },
         "[Window00] gauge00 is in [Window00] already"},
        {[] { return move_placement(panel, "Window00", "gauge00", "Window05"); },
         "the panel file has no window [Window05]"},
    };
    for (const Case& each : cases) {
        PanelEdit edit = each.edit();
        EXPECT_NE(edit.error.find(each.error), std::string::npos) << edit.error;
        EXPECT_EQ(edit.text, panel) << each.error;
        EXPECT_EQ(edit.key, "");
    }
}

// The line a key names is the one the reader takes as that gauge: not a line it
// passes over, and none when two lines are read under one key.
TEST(PanelEdit, AKeyNamesTheLineTheReaderTakesAsTheGauge) {
    const std::string skipped = "[Window00]\n"
                                "gauge00=M!A, left, 0\n"
                                "gauge00=M!B, 1, 2\n";
    PanelEdit edit = change_placement(skipped, "Window00", "gauge00", {.x = 5});
    ASSERT_EQ(edit.error, "");
    EXPECT_EQ(edit.text, "[Window00]\ngauge00=M!A, left, 0\ngauge00=M!B, 5, 2\n");

    edit = change_placement("[Window00]\ngauge00=M!A, left, 0\n", "Window00", "gauge00", {.x = 5});
    EXPECT_EQ(edit.error, "[Window00] gauge00 (line 2) is not read as a gauge: gauge position "
                          "must be two whole numbers");

    const std::string twice = "[Window00]\ngauge00=M!A, 0, 0\n[Window01]\n[WINDOW00]\n"
                              "Gauge00=M!B, 1, 2\nvisible=1\n";
    edit = remove_placement(twice, "Window00", "gauge00");
    EXPECT_EQ(edit.error, "[Window00] has gauge00 on lines 2 and 5: the key does not tell which "
                          "gauge is meant");
    EXPECT_EQ(edit.text, twice);

    // A section given twice is one window: a gauge added after its last gauge line.
    edit = add_placement(twice, "window00", {"M!C", 3, 4, {}, {}, {}});
    ASSERT_EQ(edit.error, "");
    EXPECT_EQ(edit.key, "Gauge01");
    EXPECT_EQ(edit.text, "[Window00]\ngauge00=M!A, 0, 0\n[Window01]\n[WINDOW00]\n"
                         "Gauge00=M!B, 1, 2\nGauge01=M!C, 3, 4\nvisible=1\n");
}

TEST(PanelEdit, LineEndsAndALastLineWithoutOneStayAsTheyWere) {
    // Mixed ends, mostly CRLF, and a last line without one.
    const std::string text = "[Window00]\r\nsize_mm=100\r\ngauge00=M!A, 1, 2\ngauge01=M!B, 3, 4";
    EXPECT_EQ(change_placement(text, "Window00", "gauge00", {.y = 7}).text,
              "[Window00]\r\nsize_mm=100\r\ngauge00=M!A, 1, 7\ngauge01=M!B, 3, 4");
    EXPECT_EQ(change_placement(text, "Window00", "gauge01", {.width = 9}).text,
              "[Window00]\r\nsize_mm=100\r\ngauge00=M!A, 1, 2\ngauge01=M!B, 3, 4, 9");
    EXPECT_EQ(add_placement(text, "Window00", {"M!C", 5, 6, {}, {}, {}}).text,
              "[Window00]\r\nsize_mm=100\r\ngauge00=M!A, 1, 2\ngauge01=M!B, 3, 4\r\n"
              "gauge02=M!C, 5, 6");
    EXPECT_EQ(remove_placement(text, "Window00", "gauge01").text,
              "[Window00]\r\nsize_mm=100\r\ngauge00=M!A, 1, 2\n");
    EXPECT_EQ(remove_placement(text, "Window00", "gauge00").text,
              "[Window00]\r\nsize_mm=100\r\ngauge01=M!B, 3, 4");

    // A comment pushed off its line by a parameter string takes that line's end.
    EXPECT_EQ(change_placement(panel, "Window00", "gauge02", {.parameters = "1"}).text,
              panel.substr(0, panel.find("gauge02")) + "; at its design size\r\n" +
                  "gauge02=Marlow_Instr!Altimeter, 360, 40, , , 1\r\n" +
                  panel.substr(panel.find("gauge04")));
}

} // namespace
