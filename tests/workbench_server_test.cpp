// The workbench server over real HTTP: what any client sends is answered, bad
// requests with 400 and a message, while the panel thread runs its cycles; and the
// server stops cleanly. Runs in the sanitizer build too, where races and bad reads
// would show.
#include "bmp_files.hpp"
#include "render/panel_fonts.hpp"
#include "test_folder.hpp"
#include "workbench/workbench_server.hpp"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace panelhost;

namespace {

class Server : public ::testing::Test {
  protected:
    // The example panel and flight; fixtures of other panels say theirs.
    virtual WorkbenchOptions options() {
        WorkbenchOptions options;
        options.panel_file = PANEL_EXAMPLES_DIR "/panel.cfg";
        options.scenario_file = PANEL_EXAMPLES_DIR "/scenario.json";
        options.module_dirs = {std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string()};
        return options;
    }

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(use_panel_fonts(error)) << error;
        server = std::make_unique<WorkbenchServer>(options(), WORKBENCH_PAGE_DIR);
        port = server->bind(0);
        ASSERT_GT(port, 0);
        ASSERT_TRUE(server->start());
        serving = std::thread([this] { server->serve(); });
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
        client->set_read_timeout(5, 0);
        // Listening begins on the serving thread.
        for (int tries = 0; tries < 100 && !client->Get("/api/stats"); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    void TearDown() override {
        if (server) server->stop();
        if (serving.joinable()) serving.join();
    }

    int post(const std::string& path, const std::string& body) {
        auto result = client->Post(path.c_str(), body, "application/json");
        return result ? result->status : -1;
    }

    // The JSON header of the frame asked for with `query` (its length in four bytes,
    // least significant first, then the text); null where no frame comes.
    nlohmann::json frame_header(const std::string& query) {
        auto frame = client->Get(("/api/frame?" + query).c_str());
        if (!frame || frame->status != 200) return nullptr;
        uint32_t length = 0;
        for (int i = 0; i < 4; ++i)
            length |= uint32_t(uint8_t(frame->body[i])) << (8 * i);
        return nlohmann::json::parse(frame->body.substr(4, length));
    }

    // The header's `field`, asked for again for up to a second until it is `want`:
    // the serving thread draws a command's frame in its own time.
    nlohmann::json frame_field_once_it_is(const std::string& query, const std::string& field,
                                          const nlohmann::json& want) {
        nlohmann::json seen;
        for (int tries = 0; tries < 50; ++tries) {
            nlohmann::json header = frame_header(query);
            EXPECT_TRUE(header.is_object()) << "no frame for " << query;
            if (!header.is_object()) return nullptr;
            seen = header[field];
            if (seen == want) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return seen;
    }

    std::unique_ptr<WorkbenchServer> server;
    std::unique_ptr<httplib::Client> client;
    std::thread serving;
    int port = 0;
};

TEST_F(Server, ServesThePageTheLayoutAndFrames) {
    auto page = client->Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("workbench.js"), std::string::npos);
    auto alone = client->Get("/window/RADIO_STACK_PANEL"); // one window, the same page
    ASSERT_TRUE(alone);
    EXPECT_EQ(alone->status, 200);
    EXPECT_EQ(alone->body, page->body);

    auto layout = client->Get("/api/layout");
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->status, 200);
    EXPECT_GE(nlohmann::json::parse(layout->body)["gauges"].size(), 7u);

    auto frame = client->Get("/api/frame?after=0");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->status, 200);
    EXPECT_EQ(frame->get_header_value("Content-Type"), "application/octet-stream");
    EXPECT_GT(frame->body.size(), 4u);

    auto wave = client->Get("/module/Marlow_Instr/wave/30");
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->body.substr(0, 4), "RIFF");
}

TEST_F(Server, AnswersBadRequestsWith400AndAMessage) {
    auto frame = client->Get("/api/frame?after=soon");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->status, 400);
    EXPECT_EQ(frame->body, "\"after\" must be a cycle number\n");

    auto refused =
        client->Post("/api/variable", "{\"id\": 99999, \"value\": 1}", "application/json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 400);
    EXPECT_EQ(refused->body, "variable 99999 is not one the gauges read\n");

    EXPECT_EQ(post("/api/variable", ""), 400);
    EXPECT_EQ(post("/api/variable", std::string(100000, '{')), 413);
    EXPECT_EQ(post("/api/mouse", "{\"action\": \"press\", \"layout\": 1, \"gauge\": 99, \"x\": 0, "
                                 "\"y\": 0, \"button\": \"left\"}"),
              400);
    EXPECT_EQ(post("/api/key", "{\"event\": \"\\u0000\", \"value\": 0}"), 400);
    EXPECT_EQ(post("/api/launch", "{}"), 404);
    EXPECT_EQ(client->Get("/module/Marlow_Instr/wave/12345")->status, 404);
    EXPECT_EQ(client->Get("/module/No_Module/wave/30")->status, 404);
    EXPECT_EQ(client->Get("/../CMakeLists.txt")->status, 404);
    EXPECT_EQ(post("/api/variable", "{\"id\": 61, \"value\": 42}"), 200);
}

// The designer's requests: edits the panel file does not allow are refused with the
// reason (this panel is the repository's example, which no test may change), the
// modules and the palette are listed, and a recording is made and written.
TEST_F(Server, AnswersPanelEditsModulesPaletteAndRecordings) {
    auto refused =
        client->Post("/api/placement", R"({"window": "Window00", "gauge": "gauge99", "x": 1})",
                     "application/json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 404);
    EXPECT_EQ(refused->body, "window [Window00] has no gauge gauge99\n");
    EXPECT_EQ(post("/api/placement", R"({"window": "Window00", "gauge": "gauge00", "height": -1})"),
              400);
    auto undo = client->Post("/api/panel/undo", "{}", "application/json");
    ASSERT_TRUE(undo);
    EXPECT_EQ(undo->status, 400);
    EXPECT_EQ(undo->body, "there is nothing to undo\n");

    auto modules = client->Get("/api/modules");
    ASSERT_TRUE(modules);
    bool listed = false;
    for (const auto& module : nlohmann::json::parse(modules->body))
        listed |= module["name"] == "Marlow_Instr" && module["loads"] == 1;
    EXPECT_TRUE(listed) << modules->body;

    auto layout = nlohmann::json::parse(client->Get("/api/layout")->body);
    ASSERT_FALSE(layout["palette"].empty());
    EXPECT_EQ(layout["editing"]["unsaved"], false);
    auto thumbnail = client->Get(layout["palette"][0]["thumbnail"].get<std::string>());
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->status, 200);
    EXPECT_EQ(thumbnail->body.substr(1, 3), "PNG");
    EXPECT_EQ(client->Get("/api/palette/Marlow_Instr/Nothing.png")->status, 404);

    const std::string file =
        (std::filesystem::temp_directory_path() / "workbench_server_test_recording.json").string();
    std::filesystem::remove(file); // a recording never replaces a file
    EXPECT_EQ(post("/api/recording", R"({"action": "stop"})"), 400) << "none started";
    EXPECT_EQ(post("/api/recording", R"({"action": "start"})"), 200);
    EXPECT_EQ(post("/api/variable", R"({"id": 61, "value": 88})"), 200);
    auto stopped = client->Post("/api/recording", R"({"action": "stop", "file": ")" + file + "\"}",
                                "application/json");
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->status, 200);
    EXPECT_EQ(nlohmann::json::parse(stopped->body)["file"], file);
    EXPECT_TRUE(std::filesystem::exists(file));
    std::filesystem::remove(file);
}

// What a web page on another site can make the browser send: a text/plain POST with
// its own Origin (no permission asked), and requests under a name of its own that
// resolves to 127.0.0.1 (DNS rebinding). Each is refused with the reason.
TEST_F(Server, RefusesForeignHostsAndCommandsFromOtherOrigins) {
    const std::string own_host = "127.0.0.1:" + std::to_string(port);
    const std::string variable = "{\"id\": 61, \"value\": 42}";
    auto expect_refused = [](const httplib::Result& result, int status, const std::string& why) {
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, status);
        EXPECT_NE(result->body.find(why), std::string::npos) << result->body;
    };

    for (const char* path : {"/", "/api/layout", "/api/frame?after=0"}) {
        SCOPED_TRACE(path);
        expect_refused(client->Get(path, {{"Host", "rebound.example:" + std::to_string(port)}}),
                       403,
                       "Host \"rebound.example:" + std::to_string(port) +
                           "\" is not this workbench's address");
        expect_refused(client->Get(path, {{"Host", "127.0.0.1:1"}}), 403, "127.0.0.1:1");
    }
    expect_refused(
        client->Post("/api/variable", {{"Origin", "http://evil.example"}}, variable, "text/plain"),
        403, "a command from the page at \"http://evil.example\"");
    expect_refused(
        client->Post("/api/variable", {{"Origin", "null"}}, variable, "application/json"), 403,
        "only this workbench's own pages");
    expect_refused(client->Post("/api/variable", variable, "text/plain"), 415,
                   "Content-Type: application/json; this one is \"text/plain\"");
    expect_refused(
        client->Post("/api/variable", {{"Host", "evil.example"}}, variable, "application/json"),
        403, "Host \"evil.example\"");

    // The workbench's own page, under either of its names.
    for (const std::string& name : {own_host, "localhost:" + std::to_string(port)}) {
        SCOPED_TRACE(name);
        auto page = client->Get("/api/layout", {{"Host", name}});
        ASSERT_TRUE(page);
        EXPECT_EQ(page->status, 200);
        auto command = client->Post("/api/variable", {{"Host", name}, {"Origin", "http://" + name}},
                                    variable, "application/json; charset=utf-8");
        ASSERT_TRUE(command);
        EXPECT_EQ(command->status, 200) << command->body;
    }
}

// A second workbench cannot take the port of a running one (it would take half of
// the pages' requests); once the first has stopped, the port is free again at once.
TEST_F(Server, APortHasOneWorkbench) {
    WorkbenchServer second(options(), WORKBENCH_PAGE_DIR);
    EXPECT_EQ(second.bind(port), -1);
    server->stop();
    serving.join();
    server.reset();
    WorkbenchServer third(options(), WORKBENCH_PAGE_DIR);
    EXPECT_EQ(third.bind(port), port);
}

TEST_F(Server, KeepsCyclingWhilePagesSendAtOnceAndStopsCleanly) {
    std::atomic<int> answered = 0;
    std::vector<std::thread> pages;
    for (int i = 0; i < 4; ++i)
        pages.emplace_back([&, i] {
            httplib::Client page("127.0.0.1", port);
            uint64_t after = 0;
            for (int request = 0; request < 15; ++request) {
                std::string value = std::to_string(i * 100 + request);
                auto set = page.Post("/api/variable", "{\"id\": 61, \"value\": " + value + "}",
                                     "application/json");
                auto press =
                    page.Post("/api/mouse", "{\"action\": \"release\"}", "application/json");
                auto frame = page.Get(("/api/frame?after=" + std::to_string(after)).c_str());
                if (set && press && frame && frame->status == 200) {
                    ++answered;
                    after += 1;
                }
            }
        });
    for (std::thread& page : pages)
        page.join();
    EXPECT_EQ(answered, 60);
    auto stats = nlohmann::json::parse(client->Get("/api/stats")->body);
    EXPECT_GT(stats["cycle"].get<uint64_t>(), 0u);
}

// Cycles five seconds apart: anything a frame shows sooner came from a command
// carried out when it arrived.
class SlowServer : public Server {
  protected:
    WorkbenchOptions options() override {
        WorkbenchOptions options = Server::options();
        options.cycle_hz = 0.2;
        options.play_at_start = false;
        return options;
    }

    nlohmann::json frame_after(uint64_t after) {
        return frame_header("after=" + std::to_string(after));
    }
};

TEST_F(SlowServer, CarriesOutACommandAtOnceAndSendsItsFrameBeforeTheNextCycle) {
    const nlohmann::json first = frame_after(0);
    ASSERT_TRUE(first.is_object());
    const uint64_t cycle = first["cycle"];
    // The frame request waits at most a second; the next cycle is seconds away.
    ASSERT_EQ(post("/api/key", R"({"event": "0x101FA", "value": 42})"), 200);
    const nlohmann::json next = frame_after(cycle);
    ASSERT_TRUE(next.is_object());
    EXPECT_EQ(next["cycle"], cycle + 1);
    ASSERT_EQ(next["keys"].size(), 1u);
    EXPECT_EQ(next["keys"][0]["value"], 42);
    EXPECT_EQ(next["values"]["855"], 42) << "the heading bug set";
    EXPECT_EQ(next["scenario"]["time"], first["scenario"]["time"]) << "the scenario stood still";
}

// A panel of our own in a folder of its own: a window with a background bitmap,
// one without, and a 3D cockpit panel.
class ServerOfPlacedWindows : public Server {
  protected:
    WorkbenchOptions options() override {
        // One folder per test: ctest runs this fixture's tests side by side.
        dir = fresh_test_folder("workbench_server_test_placed_windows_");
        std::ofstream(dir / "panel.cfg") << "[Window00]\nsize_mm=200,100\nposition=7\n"
                                            "file=background.bmp\n"
                                            "gauge00=Marlow_Instr!Airspeed, 0, 0, 100\n"
                                            "[Window01]\nsize_mm=100,100\nposition=2\n"
                                            "gauge00=Foreign_Gauges!Clock, 0, 0, 100\n"
                                            "[VCockpit01]\nsize_mm=256,256\ntexture=$Panel_1\n"
                                            "gauge00=Marlow_Instr!Attitude, 0, 0, 256\n";
        auto grey = [](uint32_t, uint32_t) { return 0x808080u; };
        bmp_files::write_file(dir / "background.bmp", bmp_files::bmp_file(20, 10, grey));
        WorkbenchOptions options;
        options.panel_file = (dir / "panel.cfg").string();
        options.module_dirs = {std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string()};
        return options;
    }
    void TearDown() override {
        Server::TearDown();
        std::filesystem::remove_all(dir);
    }

    std::filesystem::path dir;
};

TEST_F(ServerOfPlacedWindows, ServesTheWindowsBackgroundBitmaps) {
    auto layout = nlohmann::json::parse(client->Get("/api/layout")->body);
    std::string address = layout["windows"][0]["background"];
    EXPECT_EQ(address.substr(0, address.find('?')), "/api/window/0/background.png");
    EXPECT_EQ(layout["windows"][1]["background"], nullptr);

    auto background = client->Get(address.c_str());
    ASSERT_TRUE(background);
    EXPECT_EQ(background->status, 200);
    EXPECT_EQ(background->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(background->body.substr(1, 3), "PNG");

    auto none = client->Get("/api/window/1/background.png");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->status, 404);
    EXPECT_EQ(none->body, "window 1 has no background bitmap\n");
    auto nowhere = client->Get("/api/window/7/background.png");
    ASSERT_TRUE(nowhere);
    EXPECT_EQ(nowhere->status, 404);
    EXPECT_EQ(nowhere->body, "there is no window number 7\n");
    EXPECT_EQ(client->Get("/api/window/x/background.png")->status, 404);
}

TEST_F(ServerOfPlacedWindows, OpensAndClosesWindowsAndRefusesBadOnes) {
    auto refused = client->Post("/api/view", R"({"window": 3, "shown": true})", "application/json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 400);
    EXPECT_EQ(refused->body, "there is no window number 3 (the panel has 3)\n");
    EXPECT_EQ(post("/api/view", R"({"window": -1, "shown": true})"), 400);
    EXPECT_EQ(post("/api/view", R"({"window": 1.5, "shown": true})"), 400);
    EXPECT_EQ(post("/api/view", R"({"window": 2, "shown": "yes"})"), 400);
    EXPECT_EQ(post("/api/view", R"({"window": 2})"), 400);
    EXPECT_EQ(post("/api/view", R"({"window": 2, "shown": true, "zoom": 2})"), 400);
    EXPECT_EQ(post("/api/view", R"({"window": 9, "zoom": 2})"), 400) << "no such window";
    auto pressed = client->Post("/api/mouse",
                                R"({"action": "press", "layout": 1, "gauge": 1, "x": 1, "y": 1, )"
                                R"("button": "left"})",
                                "application/json");
    ASSERT_TRUE(pressed);
    EXPECT_EQ(pressed->status, 400);
    EXPECT_NE(pressed->body.find("is a placeholder"), std::string::npos) << pressed->body;

    // The cockpit panel starts closed; the frames after the command show it open.
    EXPECT_EQ(frame_header("after=0")["windows"], nlohmann::json({true, true, false}));
    EXPECT_EQ(post("/api/view", R"({"window": 2, "shown": true})"), 200);
    EXPECT_EQ(post("/api/view", R"({"window": 0, "shown": false})"), 200);
    const nlohmann::json shown = {false, true, true};
    EXPECT_EQ(frame_field_once_it_is("after=0", "windows", shown), shown);
    EXPECT_EQ(post("/api/view", R"({"zoom": 1.5})"), 200);
    EXPECT_EQ(post("/api/view", R"({"window": 1, "zoom": 2})"), 200);
    const nlohmann::json zoomed = {1.5, 2.0, 1.5};
    EXPECT_EQ(frame_field_once_it_is("after=0", "zooms", zoomed), zoomed)
        << "all windows, then window 1 alone";

    // A page that names itself, in its frame requests and its zooms: window 2 is
    // drawn at the larger of its ask and the other page's.
    auto bad_page = client->Get("/api/frame?after=0&page=a%20b");
    ASSERT_TRUE(bad_page);
    EXPECT_EQ(bad_page->status, 400);
    EXPECT_EQ(bad_page->body, "\"page\" must be 1 to 64 letters, digits, '-' or '_'\n");
    EXPECT_EQ(post("/api/view", R"({"window": 2, "zoom": 3, "page": "a b"})"), 400);
    EXPECT_EQ(post("/api/view", R"({"window": 2, "zoom": 3, "page": "tablet-7"})"), 200);
    const nlohmann::json tablet_zooms = {1.5, 2.0, 3.0};
    EXPECT_EQ(frame_field_once_it_is("after=0&page=tablet-7", "zooms", tablet_zooms), tablet_zooms);
}

} // namespace
