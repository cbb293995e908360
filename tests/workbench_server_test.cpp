// The workbench server over real HTTP: what any client sends is answered, bad
// requests with 400 and a message, while the panel thread runs its cycles; and the
// server stops cleanly. Runs in the sanitizer build too, where races and bad reads
// would show.
#include "render/panel_fonts.hpp"
#include "workbench/workbench_server.hpp"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <thread>

using namespace panelhost;

namespace {

class Server : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(use_panel_fonts(error)) << error;
        WorkbenchOptions options;
        options.panel_file = PANEL_EXAMPLES_DIR "/panel.cfg";
        options.scenario_file = PANEL_EXAMPLES_DIR "/scenario.json";
        options.module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();
        server = std::make_unique<WorkbenchServer>(options, WORKBENCH_PAGE_DIR);
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
        server->stop();
        if (serving.joinable()) serving.join();
    }

    int post(const std::string& path, const std::string& body) {
        auto result = client->Post(path.c_str(), body, "application/json");
        return result ? result->status : -1;
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

    auto refused = client->Post("/api/variable", "{\"id\": 99999, \"value\": 1}", "application/json");
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
                       403, "Host \"rebound.example:" + std::to_string(port) +
                                "\" is not this workbench's address");
        expect_refused(client->Get(path, {{"Host", "127.0.0.1:1"}}), 403, "127.0.0.1:1");
    }
    expect_refused(client->Post("/api/variable", {{"Origin", "http://evil.example"}}, variable,
                                "text/plain"),
                   403, "a command from the page at \"http://evil.example\"");
    expect_refused(client->Post("/api/variable", {{"Origin", "null"}}, variable,
                                "application/json"),
                   403, "only this workbench's own pages");
    expect_refused(client->Post("/api/variable", variable, "text/plain"), 415,
                   "Content-Type: application/json; this one is \"text/plain\"");
    expect_refused(client->Post("/api/variable", {{"Host", "evil.example"}}, variable,
                                "application/json"),
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
                auto press = page.Post("/api/mouse", "{\"action\": \"release\"}", "application/json");
                auto frame = page.Get(("/api/frame?after=" + std::to_string(after)).c_str());
                if (set && press && frame && frame->status == 200) {
                    ++answered;
                    after += 1;
                }
            }
        });
    for (std::thread& page : pages) page.join();
    EXPECT_EQ(answered, 60);
    auto stats = nlohmann::json::parse(client->Get("/api/stats")->body);
    EXPECT_GT(stats["cycle"].get<uint64_t>(), 0u);
}

} // namespace
