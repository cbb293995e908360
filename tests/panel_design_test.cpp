// Designing a panel on the workbench, through what the page and tools call: edits
// of placements saved back to the panel file touching only their lines, undo and
// redo, a module rebuilt under the running session, and a recorded session that
// plays back to the same pictures.
#include "key_event_names.hpp"
#include "render/panel_renderer.hpp"
#include "session_folder.hpp"
#include "simulator_numbers.h"
#include "workbench/workbench_session.hpp"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace panelhost;
using nlohmann::json;
namespace fs = std::filesystem;

namespace {

// CRLF, comments of each kind, a trailing comment and a line in its own spacing.
const char* designed_panel = "; the designer's panel\r\n"
                             "[Window Titles]\r\n"
                             "Window00=Main\r\n"
                             "Window01=Side\r\n"
                             "\r\n"
                             "[Window00]\r\n"
                             "size_mm=600,300\r\n"
                             "// the flight group\r\n"
                             "gauge00=Marlow_Instr!Airspeed,  0, 0, 200   ; left\r\n"
                             "gauge01=probe_module!Probe, 250, 0, 100, 100\r\n"
                             "\r\n"
                             "[Window01]\r\n"
                             "size_mm=300,300\r\n"
                             "gauge00=Marlow_Instr!Vertical_Speed, 0, 0, 100\r\n";

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines of `after` that differ from those of `before`, where both have as many.
std::vector<std::string> changed_lines(const std::string& before, const std::string& after) {
    std::vector<std::string> a = lines_of(before), b = lines_of(after), changed;
    EXPECT_EQ(a.size(), b.size());
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) changed.push_back(b[i]);
    return changed;
}

class PanelDesign : public SessionFolder {
  protected:
    PanelDesign() : SessionFolder("panel_design_test_", designed_panel) {}

    // Cycles from `from` to `to` seconds at the server's rate.
    void run(double from, double to) {
        for (double now = from; now <= to + 1e-9; now += 1.0 / 30)
            session->run_cycle(now);
    }

    json gauge_in_layout(const std::string& key, size_t window) {
        const json layout = session->layout();
        for (const json& gauge : layout["gauges"])
            if (gauge["key"] == key && gauge["window"] == window) return gauge;
        return nullptr;
    }
};

TEST_F(PanelDesign, AMoveAndASaveChangeOneLineAndUndoGivesTheFileBackByteForByte) {
    open();
    EditAnswer moved =
        session->edit_placement(R"({"window": "Window00", "gauge": "gauge00", "x": 20, "y": 30})");
    ASSERT_EQ(moved.status, 200) << moved.message;
    EXPECT_EQ(moved.key, "gauge00");
    EXPECT_TRUE(session->has_input()) << "the panel is placed anew at once";
    EXPECT_EQ(read_file(dir / "panel.cfg"), designed_panel) << "not saved yet";
    run(0, 0.1);
    EXPECT_EQ(gauge_in_layout("gauge00", 0)["x"], 20) << "the panel shows the edit";
    EXPECT_EQ(session->layout()["editing"]["unsaved"], true);

    ASSERT_EQ(session->edit_panel("save").status, 200);
    const std::string saved = read_file(dir / "panel.cfg");
    EXPECT_EQ(changed_lines(designed_panel, saved),
              std::vector<std::string>{"gauge00=Marlow_Instr!Airspeed,  20, 30, 200   ; left\r"});
    EXPECT_EQ(session->layout()["editing"]["unsaved"], false);
    const uint64_t layout = session->layout_number();
    run(1, 1.6); // the file watch sees the save: nothing to place again
    EXPECT_EQ(session->layout_number(), layout);

    ASSERT_EQ(session->edit_panel("undo").status, 200);
    EXPECT_EQ(session->edit_panel("undo").status, 400) << "one edit to undo";
    ASSERT_EQ(session->edit_panel("save").status, 200);
    EXPECT_EQ(read_file(dir / "panel.cfg"), designed_panel);
    ASSERT_EQ(session->edit_panel("redo").status, 200);
    run(2, 2.1);
    EXPECT_EQ(gauge_in_layout("gauge00", 0)["x"], 20);
}

// Edits not saved are kept beside the panel file after every change: a workbench
// stopped (Ctrl-C, a crash) before Save loses none. The next session takes them back
// as one edit, says so, and Undo or Save makes the kept copy go.
TEST_F(PanelDesign, EditsNotSavedAreKeptForTheNextSession) {
    const fs::path kept = dir / "panel.cfg.unsaved";
    open();
    ASSERT_EQ(
        session->edit_placement(R"({"window": "Window00", "gauge": "gauge00", "x": 40})").status,
        200);
    ASSERT_TRUE(fs::exists(kept));
    EXPECT_EQ(changed_lines(designed_panel, read_file(kept)),
              std::vector<std::string>{"gauge00=Marlow_Instr!Airspeed,  40, 0, 200   ; left\r"});
    session.reset(); // stopped without Save
    EXPECT_EQ(read_file(dir / "panel.cfg"), designed_panel);

    open();
    run(0, 0.1);
    EXPECT_EQ(gauge_in_layout("gauge00", 0)["x"], 40) << "the edit is back";
    EXPECT_EQ(session->layout()["editing"]["unsaved"], true);
    const std::string frame = session->frame(0);
    uint32_t length = 0;
    std::memcpy(&length, frame.data(), 4);
    const json problems = json::parse(frame.substr(4, length))["problems"];
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "the edits of " + (dir / "panel.cfg").string() +
                               " not saved when the workbench last stopped are back (kept in " +
                               kept.string() +
                               "): Save writes them to the file, Undo takes them "
                               "back");

    ASSERT_EQ(session->edit_panel("undo").status, 200);
    EXPECT_FALSE(fs::exists(kept)) << "nothing unsaved";
    ASSERT_EQ(session->edit_panel("redo").status, 200);
    EXPECT_TRUE(fs::exists(kept));
    ASSERT_EQ(session->edit_panel("save").status, 200);
    EXPECT_FALSE(fs::exists(kept));
    session.reset();
    open();
    EXPECT_EQ(session->layout()["editing"]["unsaved"], false) << "nothing to take back";
}

TEST_F(PanelDesign, GaugesAreAddedRemovedAndMovedBetweenWindowsAndBadEditsRefused) {
    open();
    EditAnswer added =
        session->edit_placement(R"({"window": "Window01", "add": "Marlow_Instr!Altimeter",)"
                                R"( "x": 100, "y": 100, "width": 150})");
    ASSERT_EQ(added.status, 200) << added.message;
    EXPECT_EQ(added.key, "gauge01");
    EditAnswer moved = session->edit_placement(
        R"({"window": "Window00", "gauge": "gauge01", "to_window": "Window01", "x": 5, "y": 6})");
    ASSERT_EQ(moved.status, 200) << moved.message;
    EXPECT_EQ(moved.key, "gauge02");
    ASSERT_EQ(
        session->edit_placement(R"({"window": "Window01", "gauge": "gauge00", "remove": true})")
            .status,
        200);
    run(0, 0.1);
    EXPECT_EQ(gauge_in_layout("gauge01", 1)["name"], "Altimeter");
    EXPECT_EQ(gauge_in_layout("gauge02", 1)["name"], "Probe");
    EXPECT_EQ(gauge_in_layout("gauge02", 1)["x"], 5);
    EXPECT_TRUE(gauge_in_layout("gauge00", 1).is_null());
    EXPECT_EQ(session->host().instances().size(), 3u);

    const std::string text_before = session->layout()["editing"].dump();
    struct Refusal {
        const char* body;
        int status;
        const char* message;
    };
    for (const Refusal& refusal : {
             Refusal{R"({"window": "Window00", "gauge": "gauge09", "x": 1})", 404,
                     "window [Window00] has no gauge gauge09"},
             Refusal{R"({"window": "Window07", "gauge": "gauge00", "x": 1})", 404,
                     "the panel file has no window [Window07]"},
             Refusal{R"({"window": "Window00", "gauge": "gauge00", "width": 0})", 400,
                     "\"width\" must be a whole number from 1 to 32768"},
             Refusal{R"({"window": "Window00", "add": "Marlow_Instr!Nothing", "x": 1, "y": 1})",
                     404, "no loaded module has a gauge Marlow_Instr!Nothing"},
             Refusal{R"({"window": "Window00", "gauge": "gauge00"})", 400,
                     "say what to change: \"x\", \"y\", \"width\", \"height\" or \"parameters\""},
             Refusal{"[1]", 400, "the request body must be a JSON object"},
         }) {
        EditAnswer answer = session->edit_placement(refusal.body);
        EXPECT_EQ(answer.status, refusal.status) << refusal.body;
        EXPECT_EQ(answer.message, refusal.message) << refusal.body;
    }
    EXPECT_EQ(session->layout()["editing"].dump(), text_before) << "refusals change nothing";
    EXPECT_EQ(session->edit_panel("launch").status, 404);
}

TEST_F(PanelDesign, AModuleRebuiltUnderTheSessionIsLoadedAgainAndTheStateKept) {
    open();
    session->submit(SetVariable{61, 123});
    session->submit(ShowWindow{1, false});
    run(0, 0.1);
    auto loads = [&] {
        for (const json& module : session->modules())
            if (module["name"] == "probe_module") return module["loads"].get<int>();
        return 0;
    };
    ASSERT_EQ(loads(), 1);
    EXPECT_EQ(session->modules()[0]["path"], (dir / "Marlow_Instr.so").string());

    // A build writes the module file anew.
    fs::remove(dir / "probe_module.so");
    fs::copy_file(PROBE_MODULE_PATH, dir / "probe_module.so");
    fs::last_write_time(dir / "probe_module.so",
                        fs::file_time_type::clock::now() + std::chrono::seconds(5));
    run(1, 2.5);
    EXPECT_EQ(loads(), 2);
    EXPECT_EQ(session->host().simulation().get(VAR_AIRSPEED), 123);
    EXPECT_EQ(session->panel().windows().size(), 2u);
    EXPECT_FALSE(session->panel().window_visible(session->panel().windows()[1]));
    EXPECT_TRUE(gauge_in_layout("gauge01", 0)["placeholder"].is_null()) << "the probe runs";

    // A file that is no module: reported, and the one loaded stays.
    std::ofstream(dir / "probe_module.so", std::ios::binary | std::ios::trunc) << "not a module";
    fs::last_write_time(dir / "probe_module.so",
                        fs::file_time_type::clock::now() + std::chrono::seconds(10));
    run(3, 4.5);
    EXPECT_EQ(loads(), 2);
    EXPECT_TRUE(gauge_in_layout("gauge01", 0)["placeholder"].is_null());
    json header = json::parse(session->frame(0).substr(4));
    bool reported = false;
    for (const json& problem : header["problems"])
        reported |= problem.get<std::string>().starts_with(
            "the rebuilt module probe_module cannot be loaded; the one loaded before stays: "
            "cannot load module " +
            (dir / "probe_module.so").string() + ": ");
    EXPECT_TRUE(reported) << "the file built, not its copy: " << header["problems"].dump();
    const fs::path loaded_copy = session->host().find_module("probe_module")->path();
    size_t copies = 0;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(loaded_copy.parent_path().parent_path()))
        copies += entry.is_directory();
    EXPECT_EQ(copies, 2u) << "the copies in use only (the two modules'): the failed one is gone";
}

// A picture of the whole panel as the session's simulation shows it now.
std::vector<uint32_t> panel_pixels(WorkbenchSession& session) {
    PanelRenderer renderer(session.host());
    SurfacePtr picture = renderer.render_panel(session.panel());
    cairo_surface_flush(picture.get());
    const auto* data =
        reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(picture.get()));
    return {data, data + size_t(cairo_image_surface_get_stride(picture.get()) / 4) *
                             size_t(cairo_image_surface_get_height(picture.get()))};
}

TEST_F(PanelDesign, ARecordedSessionPlaysBackToTheSamePicture) {
    open();
    run(0, 0.5);
    ASSERT_EQ(session->recording(R"({"action": "start"})", 0.5).status, 200);
    EXPECT_EQ(session->recording(R"({"action": "start"})", 0.5).status, 400);
    session->submit(SetVariable{61, 140}); // airspeed
    run(0.6, 0.7);
    session->submit(SendKeyEvent{*key_event_number("KOHLSMAN_INC"), 0});
    run(0.8, 1.0);
    session->submit(SetFailure{3, true});
    run(1.1, 1.5);
    const std::vector<uint32_t> recorded_picture = panel_pixels(*session);
    const std::string file = (dir / "recorded.json").string();
    EditAnswer stopped = session->recording(R"({"action": "stop", "file": ")" + file + "\"}", 1.5);
    ASSERT_EQ(stopped.status, 200) << stopped.message;
    EXPECT_EQ(stopped.key, file);

    json recorded = json::parse(std::ifstream(file));
    std::vector<std::string> entries;
    for (const json& entry : recorded["timeline"]) {
        json rest = entry;
        rest.erase("t");
        rest.erase("note");
        if (!entry.contains("note")) entries.push_back(rest.dump());
    }
    EXPECT_EQ(entries,
              (std::vector<std::string>{R"({"snap":{"61":140.0}})", R"({"key":["KOHLSMAN_INC",0]})",
                                        R"({"fail":[3]})"}));
    EXPECT_NEAR(recorded["timeline"][1]["t"].get<double>(), 0.1, 0.05);

    session.reset();
    open(file);
    run(0, 1.0);
    EXPECT_EQ(panel_pixels(*session), recorded_picture);
}

// A recording goes beside the panel file and never takes the place of a file: a
// name already taken is refused while the recording goes on, and two recordings
// stopped in the same second get names of their own.
TEST_F(PanelDesign, RecordingsNeverReplaceAFile) {
    open();
    auto stop = [&](const std::string& body) {
        EXPECT_EQ(session->recording(R"({"action": "start"})", 0).status, 200);
        return session->recording(body, 1);
    };
    const EditAnswer named = stop(R"({"action": "stop", "file": "approach.json"})");
    ASSERT_EQ(named.status, 200) << named.message;
    EXPECT_EQ(named.key, (dir / "approach.json").string());
    const std::string recorded = read_file(dir / "approach.json");
    ASSERT_FALSE(recorded.empty());

    for (const std::string taken : {"approach.json", "panel.cfg"}) {
        SCOPED_TRACE(taken);
        const std::string panel = read_file(dir / "panel.cfg");
        const EditAnswer refused = stop(R"({"action": "stop", "file": ")" + taken + "\"}");
        EXPECT_EQ(refused.status, 400);
        EXPECT_EQ(refused.message, (dir / taken).string() + " already exists: name a new file");
        EXPECT_EQ(read_file(dir / "panel.cfg"), panel);
        EXPECT_EQ(read_file(dir / "approach.json"), recorded);
        EXPECT_EQ(session->recording(R"({"action": "start"})", 0).status, 400) << "still recording";
        EXPECT_EQ(session->recording(R"({"action": "stop", "file": "kept.json"})", 1).status, 200);
        fs::remove(dir / "kept.json");
    }

    const EditAnswer first = stop(R"({"action": "stop"})");
    const EditAnswer second = stop(R"({"action": "stop"})");
    ASSERT_EQ(first.status, 200) << first.message;
    ASSERT_EQ(second.status, 200) << second.message;
    EXPECT_NE(first.key, second.key);
    EXPECT_EQ(fs::path(first.key).parent_path(), dir);
    EXPECT_TRUE(fs::exists(first.key) && fs::exists(second.key));
}

} // namespace
